// One pair of lines over a chart's plot that follows the mouse. Each move
// takes the pair off the overlay and draws it at the new place, so the
// overlay holds two lines however long the mouse moves, and a move costs
// the same after a thousand as after one.
#pragma once

#include <QColor>
#include <QObject>
#include <QPoint>
#include <optional>

class ChartCanvas;
class ChartSurface;

class Crosshair : public QObject {
  Q_OBJECT

 public:
  Crosshair(ChartSurface& chart, QColor color);

  // At `position` (client pixels) while it is inside the plot; outside, the
  // lines go.
  void MoveTo(QPoint position);

 private:
  void Draw(ChartCanvas& canvas, QPoint at) const;

  ChartSurface& chart_;
  QColor color_;
  std::optional<QPoint> shown_;  // where the lines on the overlay are
};
