#include "view/ChartLook.h"

#include <QPalette>

#include "view/ChartSurface.h"

ChartLook ScreenLook() {
  return {QColor(0, 0, 0),
          QColor(0, 0, 128),
          QColor(255, 0, 0),
          QColor(128, 128, 128),
          QColor(255, 255, 0),
          QColor(255, 0, 0),
          {QColor(255, 255, 255), QColor(255, 0, 0), QColor(255, 255, 0), QColor(0, 255, 0),
           QColor(255, 128, 0), QColor(0, 255, 255)}};
}

ChartLook PrintLook() {
  const QColor text = QPalette().color(QPalette::WindowText);
  return {Qt::white,
          Qt::white,
          text,
          Qt::black,
          text,
          text,
          {text, QColor(128, 128, 128), text, text, text, text}};
}

void ApplyLook(ChartSurface& chart, const ChartLook& look) {
  chart.SetBackWallColor(look.backWall);
  chart.SetPanelColor(look.panel);
  chart.LeftAxis().SetTitleColor(look.axisTitles);
  chart.LeftAxis().SetGridColor(look.grid);
  chart.BottomAxis().SetGridColor(look.grid);
  chart.BottomAxis().SetTitleColor(look.axisTitles);
  chart.LeftAxis().SetLabelColor(look.axisLabels);
  chart.BottomAxis().SetLabelColor(look.axisLabels);
  chart.Footer().SetFontColor(look.footer);
  for (int i = 0; i < 6; ++i) chart.Series(i)->SetColor(look.series[i]);
}
