// The parts a chart hands out: its axes, its series and its title and
// footer blocks. Each change asks the chart for a repaint.
#include <stdexcept>
#include <utility>

#include "view/ChartSurface.h"
#include "view/SampleCurve.h"

namespace {

// The canvas handed to series hooks: draws on the chart while it paints.
class PainterCanvas : public ChartCanvas {
 public:
  explicit PainterCanvas(QCPPainter& painter) : painter_(painter) {}

 protected:
  void DrawLine(const QLine& line, const QPen& pen, PenMode mode) override {
    painter_.setAntialiasing(false);
    painter_.setPen(pen);
    painter_.setCompositionMode(mode == PenMode::Xor ? QPainter::RasterOp_SourceXorDestination
                                                     : QPainter::CompositionMode_SourceOver);
    painter_.drawLine(line);
  }

 private:
  QCPPainter& painter_;
};

}  // namespace

// --- ChartAxis ----------------------------------------------------------------------------------

ChartAxis::ChartAxis(ChartSurface& chart, QCPAxis* axis) : chart_(chart), axis_(axis) {}

void ChartAxis::SetAutomatic(bool on) {
  automatic_ = on;
  chart_.Invalidate();
}

ChartRange ChartAxis::Range() const {
  return {axis_->range().lower, axis_->range().upper};
}

void ChartAxis::SetRange(double lower, double upper) {
  automatic_ = false;
  axis_->setRange(std::min(lower, upper), std::max(lower, upper));
  chart_.Invalidate();
}

bool ChartAxis::Logarithmic() const {
  return axis_->scaleType() == QCPAxis::stLogarithmic;
}

void ChartAxis::SetLogarithmic(bool on) {
  axis_->setScaleType(on ? QCPAxis::stLogarithmic : QCPAxis::stLinear);
  if (on) {
    axis_->setTicker(QSharedPointer<QCPAxisTickerLog>(new QCPAxisTickerLog));
    axis_->setNumberFormat(QStringLiteral("gb"));
    axis_->setNumberPrecision(0);
  } else {
    axis_->setTicker(QSharedPointer<QCPAxisTicker>(new QCPAxisTicker));
    axis_->setNumberFormat(QStringLiteral("f"));
    axis_->setNumberPrecision(3);
  }
  chart_.Invalidate();
}

QString ChartAxis::Title() const {
  return axis_->label();
}

void ChartAxis::SetTitle(const QString& title) {
  axis_->setLabel(title);
  chart_.Invalidate();
}

QColor ChartAxis::TitleColor() const {
  return axis_->labelColor();
}

void ChartAxis::SetTitleColor(const QColor& color) {
  axis_->setLabelColor(color);
  chart_.Invalidate();
}

QColor ChartAxis::LabelColor() const {
  return axis_->tickLabelColor();
}

void ChartAxis::SetLabelColor(const QColor& color) {
  axis_->setTickLabelColor(color);
  chart_.Invalidate();
}

QColor ChartAxis::GridColor() const {
  return axis_->grid()->pen().color();
}

void ChartAxis::SetGridColor(const QColor& color) {
  axis_->grid()->setPen(QPen(color, 0, Qt::DotLine));
  chart_.Invalidate();
}

void ChartAxis::SetAxisLineColor(const QColor& color) {
  lineColor_ = color;
  ApplyLinePen();
}

void ChartAxis::SetAxisLineVisible(bool visible) {
  lineVisible_ = visible;
  ApplyLinePen();
}

void ChartAxis::ApplyLinePen() {
  axis_->setBasePen(lineVisible_ ? QPen(lineColor_, 0) : QPen(Qt::NoPen));
  chart_.Invalidate();
}

double ChartAxis::PixelToValue(double pixel) const {
  return axis_->pixelToCoord(pixel);
}

double ChartAxis::ValueToPixel(double value) const {
  return axis_->coordToPixel(value);
}

// --- ChartSeries --------------------------------------------------------------------------------

ChartSeries::ChartSeries(ChartSurface& chart, SampleCurve* curve, QString name)
    : chart_(chart), curve_(curve), name_(std::move(name)) {}

void ChartSeries::Clear() {
  curve_->Samples().Clear();
  chart_.Invalidate();
}

void ChartSeries::Append(const SampleSource& source) {
  if (PointCount() != 0) {
    throw std::logic_error("ChartSeries::Append: the series already holds points");
  }
  if (source.count != 0 && !(source.timeStep > 0.0)) {
    throw std::invalid_argument("ChartSeries::Append: the time step must be positive");
  }
  curve_->Samples().Assign(source);
  chart_.Invalidate();
}

std::size_t ChartSeries::PointCount() const {
  return curve_->Samples().Count();
}

QPointF ChartSeries::Point(std::size_t index) const {
  if (index >= PointCount()) throw std::out_of_range("ChartSeries::Point: no such point");
  return {curve_->Samples().X(index), curve_->Samples().Y(index)};
}

const SampleSource& ChartSeries::Source() const {
  return curve_->Samples().Source();
}

QColor ChartSeries::Color() const {
  return curve_->pen().color();
}

void ChartSeries::SetColor(const QColor& color) {
  QPen pen = curve_->pen();
  pen.setColor(color);
  curve_->setPen(pen);
  chart_.Invalidate();
}

int ChartSeries::LineWidth() const {
  return curve_->pen().width();
}

void ChartSeries::SetLineWidth(int width) {
  QPen pen = curve_->pen();
  pen.setWidth(width);
  curve_->setPen(pen);
  chart_.Invalidate();
}

bool ChartSeries::DrawAllPoints() const {
  return curve_->DrawAllPoints();
}

void ChartSeries::SetDrawAllPoints(bool on) {
  curve_->SetDrawAllPoints(on);
  chart_.Invalidate();
}

double ChartSeries::PixelToX(double pixel) const {
  return curve_->keyAxis()->pixelToCoord(pixel);
}

double ChartSeries::PixelToY(double pixel) const {
  return curve_->valueAxis()->pixelToCoord(pixel);
}

QPointF ChartSeries::PixelToPoint(QPointF pixel) const {
  return {PixelToX(pixel.x()), PixelToY(pixel.y())};
}

double ChartSeries::XToPixel(double x) const {
  return curve_->keyAxis()->coordToPixel(x);
}

double ChartSeries::YToPixel(double y) const {
  return curve_->valueAxis()->coordToPixel(y);
}

void ChartSeries::SetBeforeDrawValues(DrawHook hook) {
  SetHook(std::move(hook), true);
}

void ChartSeries::SetAfterDrawValues(DrawHook hook) {
  SetHook(std::move(hook), false);
}

void ChartSeries::SetHook(DrawHook hook, bool before) {
  SampleCurve::DrawHook onPainter;
  if (hook) {
    onPainter = [this, hook = std::move(hook)](QCPPainter& painter) {
      PainterCanvas canvas(painter);
      hook(*this, canvas);
    };
  }
  if (before) {
    curve_->SetBeforeDraw(std::move(onPainter));
  } else {
    curve_->SetAfterDraw(std::move(onPainter));
  }
}

// --- ChartTextBlock -----------------------------------------------------------------------------

void ChartTextBlock::SetVisible(bool visible) {
  visible_ = visible;
  changed_();
}

void ChartTextBlock::AddLine(const QString& line) {
  lines_.append(line);
  changed_();
}

void ChartTextBlock::Clear() {
  lines_.clear();
  changed_();
}

void ChartTextBlock::SetText(const QString& text) {
  QString plain = text;
  plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  if (plain.endsWith(QLatin1Char('\n'))) plain.chop(1);
  lines_ = plain.isEmpty() ? QStringList() : plain.split(QLatin1Char('\n'));
  changed_();
}

void ChartTextBlock::SetFontColor(const QColor& color) {
  color_ = color;
  changed_();
}
