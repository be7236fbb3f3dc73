#include "view/SampleCurve.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

namespace {

using Extremes = SampleSummary::Extremes;

constexpr Extremes kNoExtremes{std::numeric_limits<double>::infinity(),
                               -std::numeric_limits<double>::infinity()};

Extremes Merge(Extremes a, Extremes b) {
  return {std::min(a.Min, b.Min), std::max(a.Max, b.Max)};
}

// Pixel coordinates this far beyond the plot keep every visible slope exact
// to a fraction of a pixel and stay well inside the raster engine's range.
constexpr double kPixelReach = 1e6;

// A point index for a fractional index, kept within [low, high].
std::size_t ClampIndex(double index, std::size_t low, std::size_t high) {
  if (!(index > static_cast<double>(low))) return low;
  if (index >= static_cast<double>(high)) return high;
  return static_cast<std::size_t>(index);
}

}  // namespace

void SampleSummary::Assign(const SampleSource& source) {
  source_ = source;
  blockMin_.clear();
  blockMax_.clear();
  valueRange_ = {source.offset, source.offset};
  if (source.count == 0 || source.values == nullptr) return;

  const std::size_t blocks = source.count / kBlock;
  blockMin_.resize(blocks);
  blockMax_.resize(blocks);
  Extremes all = kNoExtremes;
  for (std::size_t b = 0; b < blocks; ++b) {
    const Extremes e = RawExtremes(b * kBlock, (b + 1) * kBlock);
    blockMin_[b] = e.Min;
    blockMax_[b] = e.Max;
    all = Merge(all, e);
  }
  if (blocks * kBlock < source.count) all = Merge(all, RawExtremes(blocks * kBlock, source.count));
  valueRange_ = Scaled(all);
}

double SampleSummary::X(std::size_t k) const {
  if (source_.keys != nullptr) return source_.keys[source_.first + k];
  return static_cast<double>(static_cast<std::int64_t>(source_.first + k)) * source_.timeStep;
}

double SampleSummary::Y(std::size_t k) const {
  if (source_.values == nullptr) return source_.offset;
  return (source_.values[source_.first + k] - source_.zero) * source_.factor + source_.offset;
}

// Pairs of doubles side by side, four pairs at a time: a comparison and a
// select per pair, which the compiler turns into vector minimum and maximum
// instructions; the extremes are exact whatever the order.
using Pair = double __attribute__((vector_size(2 * sizeof(double))));

SampleSummary::Extremes SampleSummary::RawExtremes(std::size_t begin, std::size_t end) const {
  constexpr std::size_t kPairs = 4;
  const double* v = source_.values + source_.first;
  Pair low[kPairs], high[kPairs];
  for (std::size_t j = 0; j < kPairs; ++j) low[j] = high[j] = Pair{v[begin], v[begin]};
  std::size_t i = begin;
  for (; i + 2 * kPairs <= end; i += 2 * kPairs) {
    for (std::size_t j = 0; j < kPairs; ++j) {
      Pair x;
      std::memcpy(&x, v + i + 2 * j, sizeof x);
      low[j] = x < low[j] ? x : low[j];
      high[j] = x > high[j] ? x : high[j];
    }
  }
  double lowest = v[begin], highest = v[begin];
  for (std::size_t j = 0; j < kPairs; ++j) {
    lowest = std::min({lowest, low[j][0], low[j][1]});
    highest = std::max({highest, high[j][0], high[j][1]});
  }
  for (; i < end; ++i) {
    lowest = std::min(lowest, v[i]);
    highest = std::max(highest, v[i]);
  }
  return {lowest, highest};
}

SampleSummary::Extremes SampleSummary::Scaled(Extremes raw) const {
  const double a = (raw.Min - source_.zero) * source_.factor + source_.offset;
  const double b = (raw.Max - source_.zero) * source_.factor + source_.offset;
  return {std::min(a, b), std::max(a, b)};
}

SampleSummary::Extremes SampleSummary::RangeExtremes(std::size_t begin, std::size_t end) const {
  if (source_.values == nullptr) return valueRange_;
  const std::size_t firstBlock = (begin + kBlock - 1) / kBlock;
  const std::size_t endBlock = std::min(end / kBlock, blockMin_.size());
  if (firstBlock >= endBlock) return Scaled(RawExtremes(begin, end));

  Extremes raw = kNoExtremes;
  if (begin < firstBlock * kBlock) raw = RawExtremes(begin, firstBlock * kBlock);
  for (std::size_t b = firstBlock; b < endBlock; ++b) {
    raw = Merge(raw, {blockMin_[b], blockMax_[b]});
  }
  if (endBlock * kBlock < end) raw = Merge(raw, RawExtremes(endBlock * kBlock, end));
  return Scaled(raw);
}

SampleCurve::SampleCurve(QCPAxis* keyAxis, QCPAxis* valueAxis)
    : QCPAbstractPlottable(keyAxis, valueAxis) {
  setSelectable(QCP::stNone);
  setAntialiased(false);
}

double SampleCurve::selectTest(const QPointF&, bool, QVariant*) const {
  return -1.0;
}

QCPRange SampleCurve::getKeyRange(bool& foundRange, QCP::SignDomain) const {
  foundRange = samples_.Count() > 0;
  if (!foundRange) return {};
  return {samples_.X(0), samples_.X(samples_.Count() - 1)};
}

QCPRange SampleCurve::getValueRange(bool& foundRange, QCP::SignDomain, const QCPRange&) const {
  foundRange = samples_.Count() > 0;
  if (!foundRange) return {};
  return {samples_.ValueRange().Min, samples_.ValueRange().Max};
}

void SampleCurve::RunHook(const DrawHook& hook, QCPPainter& painter) const {
  if (!hook) return;
  painter.save();
  hook(painter);
  painter.restore();
}

void SampleCurve::draw(QCPPainter* painter) {
  ++drawCount_;
  RunHook(beforeDraw_, *painter);
  const QPolygonF line = Polyline();
  if (!line.isEmpty()) {
    painter->save();
    applyDefaultAntialiasingHint(painter);
    painter->setPen(mPen);
    painter->setBrush(Qt::NoBrush);
    if (line.size() == 1) {
      painter->drawPoint(line.front());
    } else {
      painter->drawPolyline(line);
    }
    painter->restore();
  }
  RunHook(afterDraw_, *painter);
}

void SampleCurve::drawLegendIcon(QCPPainter* painter, const QRectF& rect) const {
  painter->setPen(mPen);
  painter->drawLine(QLineF(rect.left(), rect.center().y(), rect.right(), rect.center().y()));
}

SampleCurve::VisibleSpan SampleCurve::Visible() const {
  const std::size_t count = samples_.Count();
  const SampleSource& source = samples_.Source();
  const QCPRange keys = mKeyAxis->range();
  if (source.keys != nullptr) {  // one point beyond each edge, as below
    const double* begin = source.keys + source.first;
    const auto low = std::lower_bound(begin, begin + count, keys.lower) - begin;
    const auto high = std::upper_bound(begin, begin + count, keys.upper) - begin;
    return {static_cast<std::size_t>(std::max<std::ptrdiff_t>(low - 1, 0)),
            static_cast<std::size_t>(std::min<std::ptrdiff_t>(high, count - 1))};
  }
  const double first = static_cast<double>(source.first);
  // One point beyond each edge, so the line runs on out of the plot.
  const double low = std::floor(keys.lower / source.timeStep) - first - 1.0;
  const double high = std::ceil(keys.upper / source.timeStep) - first + 1.0;
  if (high < 0.0 || low > static_cast<double>(count - 1)) return {1, 0};
  return {ClampIndex(low, 0, count - 1), ClampIndex(high, 0, count - 1)};
}

QPolygonF SampleCurve::Polyline() const {
  if (samples_.Count() == 0 || !mKeyAxis || !mValueAxis) return {};
  const VisibleSpan span = Visible();
  if (span.First > span.Last) return {};
  const double columns = mKeyAxis->axisRect()->width();
  // The envelope walks equal steps of pixels and keys: not on a ladder or a log axis.
  const bool even = samples_.Source().keys == nullptr &&
                    mKeyAxis->scaleType() == QCPAxis::stLinear &&
                    mValueAxis->scaleType() == QCPAxis::stLinear;
  const bool dense = even && static_cast<double>(span.Last - span.First + 1) > 2.0 * columns;
  QPolygonF line = dense && samples_.Source().values != nullptr ? Envelope(span) : RawLine(span);
  ClipEnds(line);
  const QRect plot = mKeyAxis->axisRect()->rect();
  for (QPointF& p : line) {
    p.setY(std::clamp(p.y(), plot.top() - kPixelReach, plot.bottom() + kPixelReach));
  }
  return line;
}

double SampleCurve::ValuePixel(double value) const {
  return mValueAxis->coordToPixel(value);
}

QPolygonF SampleCurve::RawLine(VisibleSpan span) const {
  QPolygonF line;
  const bool logValues = mValueAxis->scaleType() == QCPAxis::stLogarithmic;
  auto add = [&](std::size_t k) {
    if (logValues && !(samples_.Y(k) > 0.0)) return;
    line << QPointF(mKeyAxis->coordToPixel(samples_.X(k)), ValuePixel(samples_.Y(k)));
  };
  if (samples_.Source().values == nullptr) {  // a constant: its two ends say it all
    add(span.First);
    if (span.Last > span.First) add(span.Last);
    return line;
  }
  line.reserve(static_cast<qsizetype>(span.Last - span.First + 1));
  for (std::size_t k = span.First; k <= span.Last; ++k) add(k);
  return line;
}

// Per pixel column the first sample, the extremes and the last sample, all
// on the column: every peak stays visible however many samples share it, and
// the step from one column's last sample to the next column's first is the
// true line between them.
QPolygonF SampleCurve::Envelope(VisibleSpan span) const {
  const double step = samples_.Source().timeStep;
  const double origin = mKeyAxis->pixelToCoord(0.0);
  const double perPixel = (mKeyAxis->pixelToCoord(1.0) - origin) / step;  // points per column
  if (!(perPixel > 0.0)) return RawLine(span);
  const double indexAtZero = origin / step - static_cast<double>(samples_.Source().first);
  auto indexAt = [&](double pixel) { return std::ceil(indexAtZero + perPixel * pixel); };

  const QRect plot = mKeyAxis->axisRect()->rect();
  const int firstColumn = std::max(
      plot.left() - 1, static_cast<int>(std::floor((span.First - indexAtZero) / perPixel)));
  const int lastColumn = std::min(
      plot.right() + 1, static_cast<int>(std::floor((span.Last - indexAtZero) / perPixel)));
  QPolygonF line;
  line.reserve(4 * std::max(0, lastColumn - firstColumn + 1));
  for (int column = firstColumn; column <= lastColumn; ++column) {
    const std::size_t begin = ClampIndex(indexAt(column), span.First, span.Last + 1);
    const std::size_t end = ClampIndex(indexAt(column + 1.0), span.First, span.Last + 1);
    if (begin >= end) continue;
    line << QPointF(column, ValuePixel(samples_.Y(begin)));
    if (drawAllPoints_) {
      const Extremes e = samples_.RangeExtremes(begin, end);
      line << QPointF(column, ValuePixel(e.Min)) << QPointF(column, ValuePixel(e.Max));
    }
    line << QPointF(column, ValuePixel(samples_.Y(end - 1)));
  }
  return line;
}

// The outermost points may lie far beyond the plot when zoomed in deeply;
// move them onto its edges along their own segment so the slope stays true.
void SampleCurve::ClipEnds(QPolygonF& line) const {
  if (line.size() < 2) return;
  const QRect plot = mKeyAxis->axisRect()->rect();
  auto moveOnto = [](QPointF& outer, const QPointF& inner, double x) {
    if (inner.x() == outer.x()) return;
    const double t = (x - outer.x()) / (inner.x() - outer.x());
    outer = QPointF(x, outer.y() + t * (inner.y() - outer.y()));
  };
  const double left = plot.left() - 1.0;
  const double right = plot.right() + 2.0;
  if (line.front().x() < left && line[1].x() > left) moveOnto(line.front(), line[1], left);
  const qsizetype last = line.size() - 1;
  if (line[last].x() > right && line[last - 1].x() < right)
    moveOnto(line[last], line[last - 1], right);
}
