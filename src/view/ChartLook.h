// The colours of the main chart on screen and on paper.
#pragma once

#include <QColor>
#include <QString>
#include <array>

class ChartSurface;

struct ChartLook {
  QColor backWall;
  QColor panel;
  QColor axisTitles;
  QColor grid;
  QColor axisLabels;
  QColor footer;
  std::array<QColor, 6> series;  // Series1 … Series6; the threshold lines keep their pink
};

// The left axis title on screen and on paper.
inline const QString kLeftAxisTitle = QStringLiteral("А,м/с2 + V,м/с");

ChartLook ScreenLook();
ChartLook PrintLook();  // dark on white, in the system's window-text colour

// In the order: back wall, panel, left title, left grid, bottom grid, bottom
// title, left labels, bottom labels, footer, Series1 … Series6.
void ApplyLook(ChartSurface& chart, const ChartLook& look);
