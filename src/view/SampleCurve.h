// A line series drawn straight from a caller-owned sample array, without
// copying the samples. Private to the chart surface: nothing else includes
// QCustomPlot.
#pragma once

#include <qcustomplot.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "view/ChartSurface.h"

// The samples of one series and the minimum and maximum of every block of
// them, built in one pass when the samples are set. A pixel column that
// spans thousands of samples then costs a few dozen reads, and the value
// range for automatic axes is known without another pass.
class SampleSummary {
 public:
  struct Extremes {
    double Min = 0.0;
    double Max = 0.0;
  };

  void Assign(const SampleSource& source);
  void Clear() { Assign(SampleSource{}); }

  const SampleSource& Source() const { return source_; }
  std::size_t Count() const { return source_.count; }
  double X(std::size_t k) const;
  double Y(std::size_t k) const;
  // Extremes of Y over the points [begin, end); requires begin < end <= Count().
  Extremes RangeExtremes(std::size_t begin, std::size_t end) const;
  // Extremes of Y over all points; requires Count() > 0.
  Extremes ValueRange() const { return valueRange_; }

 private:
  static constexpr std::size_t kBlock = 64;

  Extremes RawExtremes(std::size_t begin, std::size_t end) const;
  Extremes Scaled(Extremes raw) const;

  SampleSource source_;
  std::vector<double> blockMin_;  // raw values, before factor and offset
  std::vector<double> blockMax_;
  Extremes valueRange_;
};

class SampleCurve : public QCPAbstractPlottable {
 public:
  using DrawHook = std::function<void(QCPPainter&)>;

  SampleCurve(QCPAxis* keyAxis, QCPAxis* valueAxis);

  SampleSummary& Samples() { return samples_; }
  const SampleSummary& Samples() const { return samples_; }

  // Off: points that share a pixel column may be skipped, peaks included.
  void SetDrawAllPoints(bool on) { drawAllPoints_ = on; }
  bool DrawAllPoints() const { return drawAllPoints_; }

  void SetBeforeDraw(DrawHook hook) { beforeDraw_ = std::move(hook); }
  void SetAfterDraw(DrawHook hook) { afterDraw_ = std::move(hook); }

  // How often the curve has drawn itself (screen or render).
  std::uint64_t DrawCount() const { return drawCount_; }

  // The polyline the curve draws, in pixels, for the axes' current layout.
  QPolygonF Polyline() const;

  double selectTest(const QPointF& pos, bool onlySelectable,
                    QVariant* details = nullptr) const override;
  QCPRange getKeyRange(bool& foundRange, QCP::SignDomain inSignDomain = QCP::sdBoth) const override;
  QCPRange getValueRange(bool& foundRange, QCP::SignDomain inSignDomain = QCP::sdBoth,
                         const QCPRange& inKeyRange = QCPRange()) const override;

 protected:
  void draw(QCPPainter* painter) override;
  void drawLegendIcon(QCPPainter* painter, const QRectF& rect) const override;

 private:
  struct VisibleSpan {
    std::size_t First = 0;  // first and last point index drawn, one beyond the view
    std::size_t Last = 0;
  };
  VisibleSpan Visible() const;
  QPolygonF RawLine(VisibleSpan span) const;
  QPolygonF Envelope(VisibleSpan span) const;
  double ValuePixel(double value) const;
  void ClipEnds(QPolygonF& line) const;
  void RunHook(const DrawHook& hook, QCPPainter& painter) const;

  SampleSummary samples_;
  bool drawAllPoints_ = true;
  DrawHook beforeDraw_;
  DrawHook afterDraw_;
  std::uint64_t drawCount_ = 0;
};
