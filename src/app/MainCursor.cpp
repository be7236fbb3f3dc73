// The readout of the two chart cursors: the interval panels and the status bar.
#include <QAction>
#include <QLabel>

#include "app/Main.h"
#include "view/ChartHlp.h"
#include "view/ChartSurface.h"

void TMainForm::SelectInterval(double startSeconds, double stopSeconds) {
  session_->SelectCursorTimes(startSeconds, stopSeconds);
  StartPoint->setText(ThreeDecimals(startSeconds));
  StopPoint->setText(ThreeDecimals(stopSeconds));
}

void TMainForm::ChartHelperChartMouseMove(QObject*, bool insideChartRect) {
  if (insideChartRect) {
    const QPointF cursor = Series[0]->PixelToPoint(ChartHelper->MousePosition());
    const QString cx = ThreeDecimals(cursor.x());
    const QString cy = ThreeDecimals(cursor.y());
    StatusPanels[0]->setText(QStringLiteral("X1= ") + cx + QStringLiteral(" c"));
    StatusPanels[1]->setText(QStringLiteral("Y1= ") + cy + QStringLiteral("м/с2"));
    if (const auto section = ChartHelper->Section()) {
      SelectInterval(section->Time, cursor.x());
      StatusPanels[2]->setText(QStringLiteral("X2= ") + ThreeDecimals(section->Time) +
                               QStringLiteral(" c"));
      StatusPanels[3]->setText(QStringLiteral("Y2= ") + ThreeDecimals(section->Value) +
                               QStringLiteral("м/с2"));
      StatusPanels[4]->setText(QStringLiteral("dX= ") +
                               ThreeDecimals(std::fabs(cursor.x() - section->Time)) +
                               QStringLiteral(" c"));
      StatusPanels[5]->setText(QStringLiteral("dY= ") +
                               ThreeDecimals(std::fabs(cursor.y() - section->Value)) +
                               QStringLiteral("м/с2"));
    }
  }
  if (SpyData->isChecked()) CalculateParam();
}

void TMainForm::ChartHelperClearDetailInformation(QObject*) {
  StatusPanels[0]->setText(QString());
  StatusPanels[1]->setText(QString());
}
