// A started program with 5000 samples of a sawtooth on X drawn, and the mouse on
// its chart: pixels of a time and value, moves and double-clicks.
#pragma once

#include <QApplication>
#include <QCursor>
#include <QMouseEvent>
#include <cmath>

#include "support/StartedProgram.h"
#include "view/ChartHlp.h"
#include "view/ChartSurface.h"

// One mouse event as a window system delivers it: position from the event
// only, the system cursor left far away (as when it lags behind).
inline void SendMouse(ChartSurface& chart, QEvent::Type type, QPoint at, Qt::MouseButtons held,
                      Qt::MouseButton button = Qt::LeftButton) {
  QMouseEvent event(type, at, chart.mapToGlobal(at),
                    type == QEvent::MouseMove ? Qt::NoButton : button, held, Qt::NoModifier);
  QApplication::sendEvent(&chart, &event);
}

struct CursorProgram : StartedProgram {
  CursorProgram() {
    Recording& r = data();
    r.SampleCount = 5000;
    for (std::uint32_t i = 0; i < 5000; ++i) r.CodesX[i] = 32768 + (i % 100);
    form().AccelX_line->setChecked(true);
    form().UpdateGraph();
    form().CHART->Repaint();
  }
  ChartSurface& chart() { return *form().CHART; }
  QPoint PixelOf(double time, double value) {
    return QPoint(static_cast<int>(std::lround(chart().BottomAxis().ValueToPixel(time))),
                  static_cast<int>(std::lround(chart().LeftAxis().ValueToPixel(value))));
  }
  void MoveTo(QPoint at) {
    QCursor::setPos(chart().mapToGlobal(at));
    QMouseEvent move(QEvent::MouseMove, at, chart().mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(&chart(), &move);
  }
  void DoubleClickAt(QPoint at) {
    QCursor::setPos(chart().mapToGlobal(at));
    QMouseEvent click(QEvent::MouseButtonDblClick, at, chart().mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&chart(), &click);
  }
  QString panel(int i) { return form().StatusPanels[i]->text(); }
};
