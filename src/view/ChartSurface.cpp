#include "view/ChartSurface.h"

#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPageSize>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <array>
#include <cmath>
#include <optional>
#include <stdexcept>
#include <utility>

#include "report/PaperText.h"
#include "text/NumberText.h"
#include "view/SampleCurve.h"

namespace {

constexpr double kWheelZoomFactor = 0.85;  // range kept per wheel notch towards the user
constexpr double kKeyPanFraction = 0.1;    // of the shown span, per key press
constexpr double kKeyZoomFactor = 2.0;
constexpr int kMinZoomPixels = 3;  // smaller rectangles are taken for clicks
const QString kOverlayLayer = QStringLiteral("cursor");

QColor Inverse(const QColor& color) {
  return QColor(255 - color.red(), 255 - color.green(), 255 - color.blue());
}

// The lines drawn over the chart between full repaints, on a layer of its
// own that is repainted alone.
class OverlayLayerable : public QCPLayerable {
 public:
  explicit OverlayLayerable(QCustomPlot* plot) : QCPLayerable(plot, kOverlayLayer) {}

  // The same line in the same pen twice cancels out, as on a screen in
  // XOR mode.
  void Toggle(QLine line, const QPen& pen) {
    line = Normalized(line);
    for (auto it = lines_.begin(); it != lines_.end(); ++it) {
      if (it->first == line && it->second.color() == pen.color() &&
          it->second.width() == pen.width()) {
        lines_.erase(it);
        return;
      }
    }
    Add(line, pen);
  }
  void Add(const QLine& line, const QPen& pen) { lines_.emplace_back(Normalized(line), pen); }
  void Clear() { lines_.clear(); }
  std::vector<QLine> Lines() const {
    std::vector<QLine> result;
    for (const auto& entry : lines_) result.push_back(entry.first);
    return result;
  }
  void SetBand(const QRect& band, const QColor& color) {
    band_ = band;
    bandColor_ = color;
  }

 protected:
  void applyDefaultAntialiasingHint(QCPPainter* painter) const override {
    painter->setAntialiasing(false);
  }
  void draw(QCPPainter* painter) override {
    for (const auto& [line, pen] : lines_) {
      painter->setPen(pen);
      painter->drawLine(line);
    }
    if (!band_.isNull()) {
      painter->setPen(QPen(bandColor_, 1, Qt::DashLine));
      painter->setBrush(Qt::NoBrush);
      painter->drawRect(band_);
    }
  }

 private:
  static QLine Normalized(const QLine& line) {
    const bool ordered = line.p1().x() < line.p2().x() ||
                         (line.p1().x() == line.p2().x() && line.p1().y() <= line.p2().y());
    return ordered ? line : QLine(line.p2(), line.p1());
  }

  std::vector<std::pair<QLine, QPen>> lines_;
  QRect band_;
  QColor bandColor_;
};

// The canvas over the chart: collects lines and shows them with one
// repaint of the overlay layer when it goes.
class OverlayCanvasImpl : public ChartCanvas {
 public:
  OverlayCanvasImpl(OverlayLayerable& overlay, QCPLayer& layer)
      : overlay_(overlay), layer_(layer) {}
  ~OverlayCanvasImpl() override {
    if (changed_) layer_.replot();
  }

 protected:
  void DrawLine(const QLine& line, const QPen& pen, PenMode mode) override {
    if (mode == PenMode::Xor) {
      overlay_.Toggle(line, pen);
    } else {
      overlay_.Add(line, pen);
    }
    changed_ = true;
  }

 private:
  OverlayLayerable& overlay_;
  QCPLayer& layer_;
  bool changed_ = false;
};

// Text blocks keep a little room on both sides of the page.
constexpr double kTextWidthShare = 0.98;

// Axis numbers in the program's decimal separator, whatever the system's
// locale, read afresh at every repaint.
class SeparatorTicker : public QCPAxisTicker {
 protected:
  QString getTickLabel(double tick, const QLocale&, QChar formatChar, int precision) override {
    QString text = QLocale::c().toString(tick, formatChar.toLatin1(), precision);
    return text.replace(QLatin1Char('.'), QLatin1Char(DecimalSeparator()));
  }
};

const char* ImageFormatName(ChartSurface::ExportFormat format) {
  switch (format) {
    case ChartSurface::ExportFormat::Bmp:
      return "BMP";
    case ChartSurface::ExportFormat::Jpeg:
      return "JPG";
    default:
      return "PNG";
  }
}

}  // namespace

// --- ChartCanvas --------------------------------------------------------------------------------

ChartCanvas::ChartCanvas() : pen_(Qt::black, 1, Qt::SolidLine) {}

void ChartCanvas::LineTo(int x, int y) {
  const QPoint to(x, y);
  DrawLine(QLine(position_, to), pen_, mode_);
  position_ = to;
}

// --- Impl ---------------------------------------------------------------------------------------

struct ChartSurface::Impl {
  Impl(ChartSurface& owner);

  void ApplyAutoRanges();
  void BeginInteractiveChange();
  void ZoomTo(const QRect& rect);
  void PanBy(QPoint from, QPoint to);
  void ShowZoomBand(const QRect& band);
  void SyncTextBlocks();
  QCPTextElement* AddTextElement(const ChartTextBlock& block, int row, bool bold);
  bool Draw(QPaintDevice& device, const QRectF& target, double layoutDpi);
  void UseFontsFor(double layoutDpi, double layoutWidth);
  // Axis titles and numbers: bottom, then left.
  std::array<QFont, 4> AxisFonts() const;
  void SetAxisFonts(const std::array<QFont, 4>& fonts);

  ChartSurface& owner;
  QCustomPlot* plot;
  std::unique_ptr<ChartAxis> left;
  std::unique_ptr<ChartAxis> bottom;
  std::vector<std::unique_ptr<ChartSeries>> series;
  ChartTextBlock title;
  ChartTextBlock footer;
  QCPTextElement* titleElement = nullptr;
  QCPTextElement* footerElement = nullptr;
  QColor backWall = Qt::white;
  QColor panel = Qt::white;
  QCPLayer* overlayLayer = nullptr;
  OverlayLayerable* overlay = nullptr;
  std::optional<std::array<ChartAxesState::Axis, 2>> savedAxes;  // bottom, left
  std::optional<QPoint> zoomStart;
  std::optional<QPoint> panFrom;
};

ChartSurface::Impl::Impl(ChartSurface& chart)
    : owner(chart),
      plot(new QCustomPlot(&chart)),
      title([this] { SyncTextBlocks(); }),
      footer([this] { SyncTextBlocks(); }) {
  plot->setAttribute(Qt::WA_TransparentForMouseEvents);
  left.reset(new ChartAxis(chart, plot->yAxis));
  bottom.reset(new ChartAxis(chart, plot->xAxis));
  for (QCPAxis* axis : {plot->xAxis, plot->yAxis}) {
    axis->setTicker(QSharedPointer<SeparatorTicker>::create());
    axis->setNumberFormat(QStringLiteral("f"));
    axis->setNumberPrecision(3);
    axis->setBasePen(Qt::NoPen);
    axis->setTickPen(Qt::NoPen);
    axis->setSubTickPen(Qt::NoPen);
    axis->grid()->setSubGridVisible(false);
    axis->grid()->setZeroLinePen(Qt::NoPen);
  }
  plot->addLayer(kOverlayLayer, plot->layer(plot->layerCount() - 1), QCustomPlot::limAbove);
  overlayLayer = plot->layer(kOverlayLayer);
  overlayLayer->setMode(QCPLayer::lmBuffered);
  overlay = new OverlayLayerable(plot);
  QObject::connect(plot, &QCustomPlot::beforeReplot, &owner, [this] {
    overlay->Clear();
    ApplyAutoRanges();
    emit owner.OverlayCleared();
  });
}

void ChartSurface::Impl::ApplyAutoRanges() {
  for (ChartAxis* axis : {bottom.get(), left.get()}) {
    if (!axis->Automatic()) continue;
    std::optional<QCPRange> range;
    for (const auto& s : series) {
      bool found = false;
      const QCPRange r =
          axis == bottom.get() ? s->curve_->getKeyRange(found) : s->curve_->getValueRange(found);
      if (!found) continue;
      if (range) {
        range->expand(r);
      } else {
        range = r;
      }
    }
    if (!range) continue;
    if (axis->Logarithmic()) {  // a log axis shows up to twelve decades below the top
      if (!(range->upper > 0)) *range = QCPRange(0.1, 1.0);
      range->lower = std::max(range->lower, range->upper * 1e-12);
    }
    if (range->lower == range->upper) *range = QCPRange(range->lower - 1.0, range->upper + 1.0);
    axis->axis_->setRange(*range);
  }
}

void ChartSurface::Impl::BeginInteractiveChange() {
  if (!savedAxes) savedAxes = {owner.AxesState().Bottom, owner.AxesState().Left};
  bottom->automatic_ = false;
  left->automatic_ = false;
}

void ChartSurface::Impl::ZoomTo(const QRect& rect) {
  BeginInteractiveChange();
  const auto [timeLow, timeHigh] = std::minmax(
      {plot->xAxis->pixelToCoord(rect.left()), plot->xAxis->pixelToCoord(rect.right() + 1)});
  const auto [valueLow, valueHigh] = std::minmax(
      {plot->yAxis->pixelToCoord(rect.bottom() + 1), plot->yAxis->pixelToCoord(rect.top())});
  plot->xAxis->setRange(timeLow, timeHigh);
  plot->yAxis->setRange(valueLow, valueHigh);
}

void ChartSurface::Impl::PanBy(QPoint from, QPoint to) {
  BeginInteractiveChange();
  plot->xAxis->moveRange(plot->xAxis->pixelToCoord(from.x()) - plot->xAxis->pixelToCoord(to.x()));
  plot->yAxis->moveRange(plot->yAxis->pixelToCoord(from.y()) - plot->yAxis->pixelToCoord(to.y()));
}

void ChartSurface::Impl::ShowZoomBand(const QRect& band) {
  overlay->SetBand(band, Inverse(backWall));
  overlayLayer->replot();
}

// Text elements are rebuilt rather than hidden: a hidden element would still
// take its row from the plot.
void ChartSurface::Impl::SyncTextBlocks() {
  QCPLayoutGrid* layout = plot->plotLayout();
  for (QCPTextElement** element : {&titleElement, &footerElement}) {
    if (*element != nullptr) layout->remove(*element);
    *element = nullptr;
  }
  layout->simplify();
  if (title.Visible()) titleElement = AddTextElement(title, 0, true);
  if (footer.Visible()) {
    footerElement = AddTextElement(footer, layout->rowCount(), false);
    footerElement->setTextFlags(Qt::AlignLeft | Qt::AlignVCenter);
  }
  owner.Invalidate();
}

QCPTextElement* ChartSurface::Impl::AddTextElement(const ChartTextBlock& block, int row,
                                                   bool bold) {
  QFont font = owner.font();
  font.setBold(bold);
  auto* element = new QCPTextElement(plot, block.Text(), font);
  element->setTextColor(block.FontColor());
  plot->plotLayout()->insertRow(row);
  plot->plotLayout()->addElement(row, 0, element);
  return element;
}

// Lays the chart out on a canvas of `layoutDpi` units per inch of the
// device, with every font at its own size in those units, and stretches that
// picture into `target`. Fonts are set in units of the canvas rather than
// left to the device, which would size them once by its resolution and again
// by the stretch. The overlay belongs to the screen and stays out.
bool ChartSurface::Impl::Draw(QPaintDevice& device, const QRectF& target, double layoutDpi) {
  const QSizeF layout(target.width() * layoutDpi / device.logicalDpiX(),
                      target.height() * layoutDpi / device.logicalDpiY());
  const QSize whole(qRound(layout.width()), qRound(layout.height()));
  if (whole.isEmpty()) return false;
  QCPPainter painter(&device);
  if (!painter.isActive()) return false;
  painter.setMode(QCPPainter::pmVectorized);
  painter.setMode(QCPPainter::pmNoCaching);
  painter.translate(target.topLeft());
  painter.scale(target.width() / whole.width(), target.height() / whole.height());
  const std::array<QFont, 4> screenFonts = AxisFonts();
  UseFontsFor(layoutDpi, whole.width());
  overlayLayer->setVisible(false);
  plot->toPainter(&painter, whole.width(), whole.height());
  overlayLayer->setVisible(true);
  painter.end();
  SetAxisFonts(screenFonts);
  SyncTextBlocks();  // the screen's title and footer elements again
  plot->replot();    // back to the widget's own layout
  return true;
}

std::array<QFont, 4> ChartSurface::Impl::AxisFonts() const {
  return {plot->xAxis->labelFont(), plot->xAxis->tickLabelFont(), plot->yAxis->labelFont(),
          plot->yAxis->tickLabelFont()};
}

void ChartSurface::Impl::SetAxisFonts(const std::array<QFont, 4>& fonts) {
  plot->xAxis->setLabelFont(fonts[0]);
  plot->xAxis->setTickLabelFont(fonts[1]);
  plot->yAxis->setLabelFont(fonts[2]);
  plot->yAxis->setTickLabelFont(fonts[3]);
}

void ChartSurface::Impl::UseFontsFor(double layoutDpi, double layoutWidth) {
  std::array<QFont, 4> fonts = AxisFonts();
  for (QFont& font : fonts) font = FontAtDpi(font, layoutDpi);
  SetAxisFonts(fonts);
  for (QCPTextElement* element : {titleElement, footerElement}) {
    if (element == nullptr) continue;
    QFont font = FontAtDpi(element->font(), layoutDpi);
    const QStringList lines = element->text().split(QLatin1Char('\n'));
    element->setText(
        FitToWidth(font, lines, layoutWidth * kTextWidthShare).join(QLatin1Char('\n')));
    element->setFont(font);
  }
}

// --- ChartSurface -------------------------------------------------------------------------------

ChartSurface::ChartSurface(QWidget* parent) : QWidget(parent), impl_(new Impl(*this)) {
  setMouseTracking(true);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(impl_->plot);
  impl_->plot->replot();  // gives every layer its paint buffer
}

ChartSurface::~ChartSurface() = default;

ChartSeries* ChartSurface::AddSeries(const QString& name) {
  auto* curve = new SampleCurve(impl_->plot->xAxis, impl_->plot->yAxis);
  curve->setName(name);
  impl_->series.emplace_back(new ChartSeries(*this, curve, name));
  Invalidate();
  return impl_->series.back().get();
}

int ChartSurface::SeriesCount() const {
  return static_cast<int>(impl_->series.size());
}

ChartSeries* ChartSurface::Series(int index) const {
  if (index < 0 || index >= SeriesCount()) return nullptr;
  return impl_->series[static_cast<std::size_t>(index)].get();
}

ChartSeries* ChartSurface::FindSeries(const QString& name) const {
  for (const auto& s : impl_->series) {
    if (s->Name() == name) return s.get();
  }
  return nullptr;
}

ChartAxis& ChartSurface::LeftAxis() {
  return *impl_->left;
}
ChartAxis& ChartSurface::BottomAxis() {
  return *impl_->bottom;
}
const ChartAxis& ChartSurface::LeftAxis() const {
  return *impl_->left;
}
const ChartAxis& ChartSurface::BottomAxis() const {
  return *impl_->bottom;
}
ChartTextBlock& ChartSurface::Title() {
  return impl_->title;
}
ChartTextBlock& ChartSurface::Footer() {
  return impl_->footer;
}

QColor ChartSurface::BackWallColor() const {
  return impl_->backWall;
}

void ChartSurface::SetBackWallColor(const QColor& color) {
  impl_->backWall = color;
  impl_->plot->axisRect()->setBackground(QBrush(color));
  Invalidate();
}

QColor ChartSurface::PanelColor() const {
  return impl_->panel;
}

void ChartSurface::SetPanelColor(const QColor& color) {
  impl_->panel = color;
  impl_->plot->setBackground(QBrush(color));
  Invalidate();
}

void ChartSurface::UndoZoom() {
  if (const auto saved = std::exchange(impl_->savedAxes, std::nullopt)) {
    SetAxesState({(*saved)[0], (*saved)[1], std::nullopt});
  }
  Invalidate();
}

bool ChartSurface::CanUndoZoom() const {
  return impl_->savedAxes.has_value();
}

ChartAxesState ChartSurface::AxesState() const {
  const auto axis = [](const ChartAxis& a) {
    return ChartAxesState::Axis{a.Automatic(), a.Range()};
  };
  return {axis(BottomAxis()), axis(LeftAxis()), impl_->savedAxes};
}

void ChartSurface::SetAxesState(const ChartAxesState& state) {
  const auto apply = [](ChartAxis& a, QCPAxis* axis, const ChartAxesState::Axis& saved) {
    a.automatic_ = saved.Automatic;
    axis->setRange(saved.Range.Lower, saved.Range.Upper);
  };
  apply(*impl_->bottom, impl_->plot->xAxis, state.Bottom);
  apply(*impl_->left, impl_->plot->yAxis, state.Left);
  impl_->savedAxes = state.BeforeZoom;
  Invalidate();
}

void ChartSurface::PanTime(double fraction) {
  impl_->BeginInteractiveChange();
  impl_->plot->xAxis->moveRange(impl_->plot->xAxis->range().size() * fraction);
  Invalidate();
  emit Scrolled();
}

void ChartSurface::ZoomTime(double factor) {
  impl_->BeginInteractiveChange();
  impl_->plot->xAxis->scaleRange(1 / factor, impl_->plot->xAxis->range().center());
  Invalidate();
  emit Zoomed();
}

void ChartSurface::ZoomOnto(ChartRange time, std::optional<ChartRange> values) {
  impl_->BeginInteractiveChange();
  impl_->plot->xAxis->setRange(time.Lower, time.Upper);
  if (values) impl_->plot->yAxis->setRange(values->Lower, values->Upper);
  Invalidate();
  emit Zoomed();
}

void ChartSurface::Invalidate() {
  impl_->ApplyAutoRanges();
  impl_->plot->replot(QCustomPlot::rpQueuedReplot);
}

void ChartSurface::Repaint() {
  impl_->plot->replot(QCustomPlot::rpImmediateRefresh);
}

QRect ChartSurface::PlotRect() const {
  return impl_->plot->axisRect()->rect();
}

std::unique_ptr<ChartCanvas> ChartSurface::OverlayCanvas() {
  return std::make_unique<OverlayCanvasImpl>(*impl_->overlay, *impl_->overlayLayer);
}

std::vector<QLine> ChartSurface::OverlayLines() const {
  return impl_->overlay->Lines();
}

std::uint64_t ChartSurface::DataDrawCount() const {
  std::uint64_t count = 0;
  for (const auto& s : impl_->series) count += s->curve_->DrawCount();
  return count;
}

void ChartSurface::Render(QPaintDevice& device, const QRectF& target, double marginFraction) {
  const double dx = target.width() * marginFraction;
  const double dy = target.height() * marginFraction;
  impl_->Draw(device, target.adjusted(dx, dy, -dx, -dy), kPaperLayoutDpi);
}

// Rendered into memory first, so that a write that fails half-way is seen.
std::optional<QByteArray> ChartSurface::Picture(ExportFormat format, QSize size) {
  if (size.isEmpty()) return std::nullopt;
  const QRectF whole(QPointF(0, 0), QSizeF(size));
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  bool drawn = false;
  switch (format) {
    case ExportFormat::Svg: {
      QSvgGenerator svg;
      svg.setOutputDevice(&buffer);
      svg.setSize(size);
      svg.setViewBox(whole);
      drawn = impl_->Draw(svg, whole, svg.logicalDpiX());
      break;
    }
    case ExportFormat::Pdf: {
      QPdfWriter pdf(&buffer);
      pdf.setResolution(72);  // one device pixel per point
      pdf.setPageSize(QPageSize(QSizeF(size), QPageSize::Point, QString(), QPageSize::ExactMatch));
      pdf.setPageMargins(QMarginsF());
      drawn = impl_->Draw(pdf, whole, pdf.logicalDpiX());
      break;
    }
    default: {
      QImage image(size, QImage::Format_RGB32);
      image.fill(Qt::white);
      drawn = impl_->Draw(image, whole, image.logicalDpiX()) &&
              image.save(&buffer, ImageFormatName(format));
    }
  }
  if (!drawn || buffer.data().isEmpty()) return std::nullopt;
  return buffer.data();
}

// --- Gestures -----------------------------------------------------------------------------------

void ChartSurface::mousePressEvent(QMouseEvent* event) {
  const QPoint position = event->position().toPoint();
  if (event->button() == Qt::LeftButton && PlotRect().contains(position)) {
    impl_->zoomStart = position;
  } else if (event->button() == Qt::RightButton) {
    impl_->panFrom = position;
  }
}

void ChartSurface::mouseMoveEvent(QMouseEvent* event) {
  const QPoint position = event->position().toPoint();
  if (impl_->zoomStart) impl_->ShowZoomBand(QRect(*impl_->zoomStart, position).normalized());
  if (impl_->panFrom && *impl_->panFrom != position) {
    impl_->PanBy(*impl_->panFrom, position);
    impl_->panFrom = position;
    Invalidate();
    emit Scrolled();
  }
  emit MouseMoved(event->modifiers(), position);
}

void ChartSurface::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::RightButton) impl_->panFrom.reset();
  if (event->button() != Qt::LeftButton || !impl_->zoomStart) return;
  const QRect band = QRect(*impl_->zoomStart, event->position().toPoint()).normalized();
  impl_->zoomStart.reset();
  impl_->ShowZoomBand(QRect());
  // The small slip of a click or a double-click is no zoom.
  if (band.width() < kMinZoomPixels || band.height() < kMinZoomPixels ||
      band.width() + band.height() < QApplication::startDragDistance()) {
    return;
  }
  impl_->ZoomTo(band);
  Invalidate();
  emit Zoomed();
}

// A double-click starts no gesture, whatever its first press began.
void ChartSurface::mouseDoubleClickEvent(QMouseEvent* event) {
  if (impl_->zoomStart) impl_->ShowZoomBand(QRect());
  impl_->zoomStart.reset();
  impl_->panFrom.reset();
  emit DoubleClicked(event->position().toPoint());
}

void ChartSurface::wheelEvent(QWheelEvent* event) {
  const double notches = event->angleDelta().y() / 120.0;
  if (notches == 0.0) return;
  impl_->BeginInteractiveChange();
  QCPAxis* time = impl_->plot->xAxis;
  time->scaleRange(std::pow(kWheelZoomFactor, notches), time->pixelToCoord(event->position().x()));
  Invalidate();
  emit Zoomed();
}

void ChartSurface::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Left:
      return PanTime(-kKeyPanFraction);
    case Qt::Key_Right:
      return PanTime(kKeyPanFraction);
    case Qt::Key_Plus:
      return ZoomTime(kKeyZoomFactor);
    case Qt::Key_Minus:
      return ZoomTime(1 / kKeyZoomFactor);
    case Qt::Key_Home:
      emit FitAllAsked();
      return;
    default:
      QWidget::keyPressEvent(event);
  }
}
