// A small chart for paper: a plot area with a dotted grid, axes with nice
// ticks (1, 2, 5 × 10^k, or log decades), curves and a legend above the plot.
// Everything is laid out in paper units (96 per inch) with fonts at their
// point size, so the chart reads the same at any resolution.
#pragma once

#include <QColor>
#include <QFont>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <cstddef>
#include <functional>
#include <vector>

class QPainter;

struct PlotAxis {
  QString Title;
  double Low = 0.0;  // the range shown; both above 0 on a log axis
  double High = 1.0;
  bool Logarithmic = false;
};

struct PlotCurve {
  QString Name;
  QColor Color;
  std::vector<QPointF> Points;  // data coordinates in key order; on a log axis, ≤ 0 breaks the line
};

struct PlotTick {
  double Value = 0.0;
  QString Label;
};

// About `wanted` ticks at multiples of 1, 2 or 5 × 10^k inside [low, high].
std::vector<PlotTick> LinearTicks(double low, double high, int wanted);
// The decades inside [low, high], with 2 and 5 between them where fewer
// than three decades show.
std::vector<PlotTick> LogTicks(double low, double high);

// A linear range around [low, high] that ends on ticks; a flat one widens.
PlotAxis LinearAxisAround(const QString& title, double low, double high);
// Whole decades around the positive values of [low, high].
PlotAxis LogAxisAround(const QString& title, double low, double high);

// Envelope columns per paper unit of a chart's width: finer than the eye sees.
inline constexpr double kEnvelopeColumnsPerUnit = 2.0;

// The points that draw `count` samples, value(k) at key first + k × step,
// on `columns` columns of the plot: every sample where there are few; else,
// per column, its first, lowest, highest and last sample in the order they
// occur, so a peak of one sample is still drawn.
std::vector<QPointF> ColumnEnvelope(std::size_t count, double first, double step, int columns,
                                    const std::function<double(std::size_t)>& value);

// Draws the chart into `frame` (paper units) with `font` for its words.
void DrawPlot(QPainter& painter, const QRectF& frame, const PlotAxis& x, const PlotAxis& y,
              const std::vector<PlotCurve>& curves, const QFont& font);
