#include "view/ChartHlp.h"

#include <QGuiApplication>
#include <QWindow>
#include <algorithm>
#include <cmath>

// --- TChartHelperList ---------------------------------------------------------------------------

TChartHelperList& TChartHelperList::Instance() {
  static TChartHelperList list;
  return list;
}

TChartHelperList::~TChartHelperList() {
  QObject::disconnect(activeFormHook_);
}

void TChartHelperList::Add(TChartHelper* helper) {
  helpers_.push_back(helper);
  if (qGuiApp != nullptr && hookedApplication_ != qGuiApp) {
    hookedApplication_ = qGuiApp;
    activeFormHook_ = QObject::connect(qGuiApp, &QGuiApplication::focusWindowChanged, qGuiApp,
                                       [this] { ActiveFormChanged(); });
  }
}

void TChartHelperList::Remove(TChartHelper* helper) {
  helpers_.erase(std::remove(helpers_.begin(), helpers_.end(), helper), helpers_.end());
}

void TChartHelperList::ActiveFormChanged() {
  for (TChartHelper* helper : helpers_) {
    helper->ForgetDetail();
    if (helper->chart_) helper->chart_->Invalidate();
  }
}

// --- TChartHelper -------------------------------------------------------------------------------

TChartHelper::TChartHelper(QObject* owner) : QObject(owner) {
  TChartHelperList::Instance().Add(this);
}

TChartHelper::~TChartHelper() {
  SetChart(nullptr);
  TChartHelperList::Instance().Remove(this);
}

void TChartHelper::SetChart(ChartSurface* chart) {
  if (chart == chart_) return;
  Unhook();
  chart_ = chart;
  Hook();
}

void TChartHelper::Hook() {
  if (!chart_) return;
  connections_ = {
      connect(chart_, &ChartSurface::DoubleClicked, this, &TChartHelper::ChartDblClick),
      connect(chart_, &ChartSurface::MouseMoved, this, &TChartHelper::ChartMouseMove),
      // The overlay went with a full repaint, and the crosshair with it.
      connect(chart_, &ChartSurface::OverlayCleared, this, [this] { ForgetDetail(); }),
  };
  for (int i = 0; i < chart_->SeriesCount(); ++i) {
    ChartSeries* series = chart_->Series(i);
    series->SetBeforeDrawValues(
        [this](ChartSeries&, ChartCanvas& c) { SeriesBeforeDrawValues(c); });
    series->SetAfterDrawValues([this](ChartSeries&, ChartCanvas& c) { SeriesAfterDrawValues(c); });
  }
}

void TChartHelper::Unhook() {
  for (const auto& connection : connections_) disconnect(connection);
  connections_.clear();
  if (!chart_) return;
  for (int i = 0; i < chart_->SeriesCount(); ++i) {
    chart_->Series(i)->SetBeforeDrawValues(nullptr);
    chart_->Series(i)->SetAfterDrawValues(nullptr);
  }
}

void TChartHelper::SetDetailColor(const QColor& color) {
  if (color == detailColor_) return;
  detailColor_ = color;
  RefreshChart();
}

void TChartHelper::SetSectionColor(const QColor& color) {
  if (color == sectionColor_) return;
  sectionColor_ = color;
  RefreshChart();
}

void TChartHelper::SetSection(std::optional<ChartPoint> section) {
  if (section == section_) return;
  section_ = section;
  if (chart_) chart_->Invalidate();
}

// Pixels come from the chart's bottom and left axes, which every series uses.
QPoint TChartHelper::SectionPixel() const {
  auto pixel = [](double p) { return static_cast<int>(std::lround(std::clamp(p, -1e9, 1e9))); };
  return {pixel(chart_->BottomAxis().ValueToPixel(section_->Time)),
          pixel(chart_->LeftAxis().ValueToPixel(section_->Value))};
}

int TChartHelper::SectionX() const {
  if (!section_ || !chart_) return -1;
  const int x = SectionPixel().x();
  return x == -1 ? -2 : x;  // −1 would read as "no section point"
}

int TChartHelper::SectionY() const {
  if (!section_ || !chart_) return -1;
  return SectionPixel().y();
}

void TChartHelper::SetSectionX(int x) {
  if (x == -1 || !chart_) {
    SetSection(std::nullopt);
    return;
  }
  const int y = section_ ? SectionPixel().y() : chart_->PlotRect().center().y();
  SetSection(ChartPoint{chart_->BottomAxis().PixelToValue(x), chart_->LeftAxis().PixelToValue(y)});
}

void TChartHelper::RefreshChart() {
  ForgetDetail();
  if (chart_) chart_->Invalidate();
  emit OnClearDetailInformation(this);
}

// Left and top edges belong to the plot, right and bottom edges do not.
bool TChartHelper::InPlot(QPoint pixel) const {
  return chart_->PlotRect().contains(pixel.x() - chart_->HorizontalDepth(),
                                     pixel.y() + chart_->VerticalDepth());
}

// The point is the double-click's own: the system cursor may already have
// moved on, or not yet caught up.
void TChartHelper::ChartDblClick(QPoint p) {
  if (InPlot(p)) {
    section_ = ChartPoint{chart_->BottomAxis().PixelToValue(p.x()),
                          chart_->LeftAxis().PixelToValue(p.y())};
  } else {
    section_.reset();
  }
  RefreshChart();
}

void TChartHelper::ChartMouseMove(Qt::KeyboardModifiers, QPoint position) {
  bool inside = false;
  mouse_ = position;
  {
    const auto canvas = chart_->OverlayCanvas();
    if (detail_.x() != -1) {
      DrawDetail(*canvas, detail_);
      detail_.setX(-1);
    }
    inside = InPlot(position);
    if (inside) {
      DrawDetail(*canvas, position);
      detail_ = position;
    }
  }
  emit OnChartMouseMove(this, inside);
}

// Drawn in XOR mode: the same crosshair drawn again erases it.
void TChartHelper::DrawDetail(ChartCanvas& canvas, QPoint at) const {
  const QRect plot = chart_->PlotRect();
  const int w = chart_->HorizontalDepth();
  const int h = chart_->VerticalDepth();
  canvas.SetPenColor(detailColor_);
  canvas.SetPenMode(ChartCanvas::PenMode::Xor);
  canvas.SetPenWidth(1);
  canvas.MoveTo(at.x(), plot.top() - h);
  canvas.LineTo(at.x(), plot.top() + plot.height() - h);
  canvas.MoveTo(plot.left() + w, at.y());
  canvas.LineTo(plot.left() + plot.width() + w, at.y());
}

// Each line is drawn while its own coordinate is on its axis: a value off
// the value axis (a hidden curve, a fit, a zoom) still leaves the time line.
void TChartHelper::DrawSection(ChartCanvas& canvas) const {
  if (!section_) return;
  const QPoint at = SectionPixel();
  const QRect plot = chart_->PlotRect();
  const int w = chart_->HorizontalDepth();
  const int h = chart_->VerticalDepth();
  canvas.SetPenColor(sectionColor_);
  canvas.SetPenMode(ChartCanvas::PenMode::Copy);
  canvas.SetPenStyle(Qt::SolidLine);
  canvas.SetPenWidth(1);
  if (at.y() - h >= plot.top() && at.y() - h <= plot.bottom()) {
    canvas.MoveTo(plot.left() + w, at.y() - h);
    canvas.LineTo(plot.left() + plot.width() + w, at.y() - h);
  }
  if (at.x() - w >= plot.left() && at.x() - w <= plot.right()) {
    canvas.MoveTo(at.x() - w, plot.top() + h);
    canvas.LineTo(at.x() - w, plot.top() + plot.height() + h);
  }
}

void TChartHelper::SeriesBeforeDrawValues(ChartCanvas& canvas) {
  DrawSection(canvas);
  emit BeforeDrawValues(this);
}

void TChartHelper::SeriesAfterDrawValues(ChartCanvas& canvas) {
  ForgetDetail();  // the repaint has wiped the crosshair
  DrawSection(canvas);
  emit AfterDrawValues(this);
}
