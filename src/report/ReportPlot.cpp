#include "report/ReportPlot.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPolygonF>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

#include "report/PaperText.h"
#include "text/NumberText.h"

namespace {

constexpr double kGap = 4.0;          // paper units between a label and what it names
constexpr double kLegendLine = 18.0;  // length of a curve's sample in the legend
constexpr double kCurveWidth = 1.0;   // a quarter of a millimetre

// m × 10^k written out exactly: "0.002", "5000", "1e-07".
QString ScaledText(long long m, int k) {
  if (m != 0 && (k < -6 || k > 6)) return QStringLiteral("%1e%2").arg(m).arg(k);
  std::string digits = std::to_string(std::llabs(m));
  if (k >= 0) {
    if (m != 0) digits.append(static_cast<std::size_t>(k), '0');
  } else {
    const std::size_t decimals = static_cast<std::size_t>(-k);
    if (digits.size() <= decimals) digits.insert(0, decimals - digits.size() + 1, '0');
    digits.insert(digits.size() - decimals, 1, DecimalSeparator());
    while (digits.back() == '0') digits.pop_back();
    if (digits.back() == DecimalSeparator()) digits.pop_back();
  }
  return QString::fromStdString((m < 0 ? "-" : "") + digits);
}

// The double nearest m × 10^k.
double ScaledValue(long long m, int k) {
  return std::strtod((std::to_string(m) + "e" + std::to_string(k)).c_str(), nullptr);
}

// The position of `value` along the axis as a share of its length.
double Share(const PlotAxis& axis, double value) {
  if (axis.Logarithmic) {
    return (std::log10(value) - std::log10(axis.Low)) /
           (std::log10(axis.High) - std::log10(axis.Low));
  }
  return (value - axis.Low) / (axis.High - axis.Low);
}

std::vector<PlotTick> TicksOf(const PlotAxis& axis) {
  return axis.Logarithmic ? LogTicks(axis.Low, axis.High) : LinearTicks(axis.Low, axis.High, 6);
}

// Label every n-th tick, n such that labels `extent` long along the axis do not touch.
int LabelStride(std::size_t ticks, double extent, double length) {
  if (ticks < 2) return 1;
  const double room = length / static_cast<double>(ticks - 1);
  return std::max(1, static_cast<int>(std::ceil((extent + 2 * kGap) / room)));
}

struct PlotLayout {
  QRectF plot;
  std::vector<PlotTick> xTicks, yTicks;
  double lineHeight = 0;
};

PlotLayout Layout(const QRectF& frame, const PlotAxis& x, const PlotAxis& y, const QFont& font) {
  const QFontMetricsF metrics(font);
  PlotLayout layout;
  layout.lineHeight = metrics.height();
  layout.xTicks = TicksOf(x);
  layout.yTicks = TicksOf(y);
  double labelWidth = 0;
  for (const PlotTick& tick : layout.yTicks)
    labelWidth = std::max(labelWidth, metrics.horizontalAdvance(tick.Label));
  double lastLabel = 0;
  if (!layout.xTicks.empty()) lastLabel = metrics.horizontalAdvance(layout.xTicks.back().Label);
  const double left = layout.lineHeight + kGap + labelWidth + kGap;
  const double top = layout.lineHeight + kGap;  // the legend
  const double bottom = 2 * layout.lineHeight + 2 * kGap;
  layout.plot = frame.adjusted(left, top, -std::max(kGap, lastLabel / 2), -bottom);
  return layout;
}

void DrawGridAndTicks(QPainter& painter, const PlotLayout& layout, const PlotAxis& x,
                      const PlotAxis& y, const QFontMetricsF& metrics, const QRectF& frame) {
  const QRectF& plot = layout.plot;
  QPen grid(QColor(150, 150, 150), 0.5, Qt::DotLine);
  QPen text(Qt::black);
  double widest = 0;
  for (const PlotTick& tick : layout.xTicks)
    widest = std::max(widest, metrics.horizontalAdvance(tick.Label));
  const int xStride = LabelStride(layout.xTicks.size(), widest, plot.width());
  for (std::size_t i = 0; i < layout.xTicks.size(); ++i) {
    const double px = plot.left() + Share(x, layout.xTicks[i].Value) * plot.width();
    painter.setPen(grid);
    painter.drawLine(QPointF(px, plot.top()), QPointF(px, plot.bottom()));
    if (i % static_cast<std::size_t>(xStride) != 0) continue;
    const double width = metrics.horizontalAdvance(layout.xTicks[i].Label);
    const double left = std::clamp(px - width / 2, frame.left(), frame.right() - width);
    painter.setPen(text);
    painter.drawText(QPointF(left, plot.bottom() + kGap + metrics.ascent()),
                     layout.xTicks[i].Label);
  }
  const int yStride = LabelStride(layout.yTicks.size(), metrics.height(), plot.height());
  for (std::size_t i = 0; i < layout.yTicks.size(); ++i) {
    const double py = plot.bottom() - Share(y, layout.yTicks[i].Value) * plot.height();
    painter.setPen(grid);
    painter.drawLine(QPointF(plot.left(), py), QPointF(plot.right(), py));
    if (i % static_cast<std::size_t>(yStride) != 0) continue;
    const double width = metrics.horizontalAdvance(layout.yTicks[i].Label);
    painter.setPen(text);
    painter.drawText(QPointF(plot.left() - kGap - width, py + metrics.ascent() / 2 - 1),
                     layout.yTicks[i].Label);
  }
}

// The axis titles, each shrunk to its side of the plot if it must be: the
// time below the plot, the value turned along the frame's left edge.
void DrawTitles(QPainter& painter, const PlotLayout& layout, const PlotAxis& x, const PlotAxis& y,
                const QFont& font, const QRectF& frame) {
  const QRectF& plot = layout.plot;
  QFont xFont = font;
  const QString xTitle = FitToWidth(xFont, {x.Title}, plot.width()).join(QLatin1Char(' '));
  const QFontMetricsF xMetrics(xFont);
  painter.setFont(xFont);
  painter.drawText(QPointF(plot.center().x() - xMetrics.horizontalAdvance(xTitle) / 2,
                           plot.bottom() + 2 * kGap + layout.lineHeight + xMetrics.ascent()),
                   xTitle);
  QFont yFont = font;
  const QString yTitle = FitToWidth(yFont, {y.Title}, plot.height()).join(QLatin1Char(' '));
  const QFontMetricsF yMetrics(yFont);
  painter.setFont(yFont);
  painter.save();
  painter.translate(frame.left() + yMetrics.ascent(),
                    plot.center().y() + yMetrics.horizontalAdvance(yTitle) / 2);
  painter.rotate(-90);
  painter.drawText(QPointF(0, 0), yTitle);
  painter.restore();
  painter.setFont(font);
}

// The curves' names with a sample of their line, right-aligned above the plot.
void DrawLegend(QPainter& painter, const PlotLayout& layout, const std::vector<PlotCurve>& curves,
                const QFontMetricsF& metrics) {
  double right = layout.plot.right();
  const double baseline = layout.plot.top() - kGap - metrics.descent();
  for (auto curve = curves.rbegin(); curve != curves.rend(); ++curve) {
    const double width = metrics.horizontalAdvance(curve->Name);
    painter.setPen(Qt::black);
    painter.drawText(QPointF(right - width, baseline), curve->Name);
    const double lineY = baseline - metrics.ascent() / 3;
    painter.setPen(QPen(curve->Color, 2 * kCurveWidth));
    painter.drawLine(QPointF(right - width - kGap - kLegendLine, lineY),
                     QPointF(right - width - kGap, lineY));
    right -= width + 2 * kGap + kLegendLine + 3 * kGap;
  }
}

void DrawCurves(QPainter& painter, const QRectF& plot, const PlotAxis& x, const PlotAxis& y,
                const std::vector<PlotCurve>& curves) {
  painter.save();
  painter.setClipRect(plot);
  for (const PlotCurve& curve : curves) {
    painter.setPen(QPen(curve.Color, kCurveWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QPolygonF line;
    const auto flush = [&] {
      if (line.size() > 1) painter.drawPolyline(line);
      line.clear();
    };
    for (const QPointF& point : curve.Points) {
      const bool drawable = (!x.Logarithmic || point.x() > 0) && (!y.Logarithmic || point.y() > 0);
      if (!drawable || !std::isfinite(point.x()) || !std::isfinite(point.y())) {
        flush();
        continue;
      }
      line.append(QPointF(plot.left() + Share(x, point.x()) * plot.width(),
                          plot.bottom() - Share(y, point.y()) * plot.height()));
    }
    flush();
  }
  painter.restore();
}

}  // namespace

std::vector<PlotTick> LinearTicks(double low, double high, int wanted) {
  if (!(high > low) || wanted < 1) return {};
  const double raw = (high - low) / wanted;
  int exponent = static_cast<int>(std::floor(std::log10(raw)));
  const double mantissa = raw / std::pow(10.0, exponent);
  long long multiple = mantissa <= 1 ? 1 : mantissa <= 2 ? 2 : mantissa <= 5 ? 5 : 10;
  if (multiple == 10) {
    multiple = 1;
    ++exponent;
  }
  const double step = ScaledValue(multiple, exponent);
  const auto first = static_cast<long long>(std::ceil(low / step - 1e-9));
  const auto last = static_cast<long long>(std::floor(high / step + 1e-9));
  std::vector<PlotTick> ticks;
  for (long long n = first; n <= last; ++n) {
    ticks.push_back({ScaledValue(n * multiple, exponent), ScaledText(n * multiple, exponent)});
  }
  return ticks;
}

std::vector<PlotTick> LogTicks(double low, double high) {
  if (!(low > 0) || !(high > low)) return {};
  const int lowest = static_cast<int>(std::floor(std::log10(low) + 1e-9));
  const int highest = static_cast<int>(std::floor(std::log10(high) + 1e-9));
  const bool between = highest - lowest < 3;
  std::vector<PlotTick> ticks;
  for (int k = lowest; k <= highest; ++k) {
    for (const long long m : {1LL, 2LL, 5LL}) {
      if (m != 1 && !between) continue;
      const double value = ScaledValue(m, k);
      if (value >= low * (1 - 1e-12) && value <= high * (1 + 1e-12)) {
        ticks.push_back({value, ScaledText(m, k)});
      }
    }
  }
  return ticks;
}

PlotAxis LinearAxisAround(const QString& title, double low, double high) {
  if (!(high > low)) {
    const double widen = std::max(1.0, std::fabs(low) * 0.1);
    low -= widen;
    high += widen;
  }
  const std::vector<PlotTick> ticks = LinearTicks(low, high, 6);
  const double step = ticks.size() > 1 ? ticks[1].Value - ticks[0].Value : high - low;
  return {title, std::floor(low / step + 1e-9) * step, std::ceil(high / step - 1e-9) * step, false};
}

PlotAxis LogAxisAround(const QString& title, double low, double high) {
  if (!(low > 0) || !(high >= low)) return {title, 1.0, 10.0, true};
  const int lowest = static_cast<int>(std::floor(std::log10(low) + 1e-9));
  const int highest = std::max(lowest + 1, static_cast<int>(std::ceil(std::log10(high) - 1e-9)));
  return {title, ScaledValue(1, lowest), ScaledValue(1, highest), true};
}

std::vector<QPointF> ColumnEnvelope(std::size_t count, double first, double step, int columns,
                                    const std::function<double(std::size_t)>& value) {
  std::vector<QPointF> points;
  const auto key = [&](std::size_t k) { return first + static_cast<double>(k) * step; };
  const auto width = static_cast<std::size_t>(std::max(columns, 1));
  if (count <= 4 * width) {
    for (std::size_t k = 0; k < count; ++k) points.emplace_back(key(k), value(k));
    return points;
  }
  points.reserve(4 * width);
  for (std::size_t c = 0; c < width; ++c) {
    const std::size_t begin = c * count / width;
    const std::size_t end = (c + 1) * count / width;
    std::size_t lowest = begin, highest = begin;
    double low = value(begin), high = low;
    const double firstValue = low;
    double lastValue = low;
    for (std::size_t k = begin + 1; k < end; ++k) {
      lastValue = value(k);
      if (lastValue < low) {
        low = lastValue;
        lowest = k;
      }
      if (lastValue > high) {
        high = lastValue;
        highest = k;
      }
    }
    points.emplace_back(key(begin), firstValue);
    const bool lowFirst = lowest <= highest;
    points.emplace_back(key(lowFirst ? lowest : highest), lowFirst ? low : high);
    points.emplace_back(key(lowFirst ? highest : lowest), lowFirst ? high : low);
    points.emplace_back(key(end - 1), lastValue);
  }
  return points;
}

void DrawPlot(QPainter& painter, const QRectF& frame, const PlotAxis& x, const PlotAxis& y,
              const std::vector<PlotCurve>& curves, const QFont& font) {
  painter.save();
  painter.setFont(font);
  const QFontMetricsF metrics(font);
  const PlotLayout layout = Layout(frame, x, y, font);
  DrawGridAndTicks(painter, layout, x, y, metrics, frame);
  DrawCurves(painter, layout.plot, x, y, curves);
  painter.setPen(QPen(Qt::black, 0.75));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(layout.plot);
  DrawTitles(painter, layout, x, y, font, frame);
  DrawLegend(painter, layout, curves, metrics);
  painter.restore();
}
