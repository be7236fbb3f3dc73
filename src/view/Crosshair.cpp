#include "view/Crosshair.h"

#include "view/ChartSurface.h"

Crosshair::Crosshair(ChartSurface& chart, QColor color)
    : QObject(&chart), chart_(chart), color_(color) {
  // A full repaint wipes the overlay, lines and all.
  connect(&chart, &ChartSurface::OverlayCleared, this, [this] { shown_.reset(); });
}

void Crosshair::MoveTo(QPoint position) {
  const std::optional<QPoint> next =
      chart_.PlotRect().contains(position) ? std::optional(position) : std::nullopt;
  if (next == shown_) return;
  auto canvas = chart_.OverlayCanvas();
  canvas->SetPenColor(color_);
  // Drawn twice in Xor mode, a line is gone.
  canvas->SetPenMode(ChartCanvas::PenMode::Xor);
  if (shown_) Draw(*canvas, *shown_);
  if (next) Draw(*canvas, *next);
  shown_ = next;
}

void Crosshair::Draw(ChartCanvas& canvas, QPoint at) const {
  const QRect plot = chart_.PlotRect();
  canvas.MoveTo(at.x(), plot.top());
  canvas.LineTo(at.x(), plot.bottom());
  canvas.MoveTo(plot.left(), at.y());
  canvas.LineTo(plot.right(), at.y());
}
