// The readout of the two chart cursors: the interval panels and the status bar.
#include <QAction>
#include <QLabel>

#include "app/Main.h"
#include "ui/UserDialogs.h"
#include "view/ChartHlp.h"
#include "view/ChartSurface.h"
#include "view/IntervalDialog.h"

void TMainForm::SelectInterval(double startSeconds, double stopSeconds) {
  session_->SelectCursorTimes(startSeconds, stopSeconds);
  StartPoint->setText(ThreeDecimals(startSeconds));
  StopPoint->setText(ThreeDecimals(stopSeconds));
}

// The section point at the start (at the height it has, or in the middle of
// the value axis), the readout of a move to the stop at that height.
void TMainForm::HoldInterval(double startSeconds, double stopSeconds) {
  const ChartRange values = CHART->LeftAxis().Range();
  const double value =
      ChartHelper->Section().value_or(ChartPoint{0, (values.Lower + values.Upper) / 2}).Value;
  const ChartPoint section{startSeconds, value};
  ChartHelper->SetSection(section);
  ShowReadout({stopSeconds, value}, section);
  SelectInterval(startSeconds, stopSeconds);
  SetIntervalHeld(true);
  CalculateParam();
}

// The dialog starts with the interval as the tool row shows it; a missing
// end is the recording's first or last sample.
void TMainForm::IntervalClick() {
  const SelectedInterval& selected = session_->Interval();
  const std::uint32_t count = session_->Data().SampleCount;
  const auto shown = [this](double position) {
    return ThreeDecimals(position * Recording::TimeStep);
  };
  IntervalDialog dialog(dialogs_, count, shown(selected.Start.value_or(0)),
                        shown(selected.Stop.value_or(count - 1.0)), this);
  dialogs_.ShowModal(dialog);
  if (const auto times = dialog.AcceptedTimes()) HoldInterval(times->Start, times->Stop);
}

void TMainForm::SetIntervalHeld(bool held) {
  intervalHeld_ = held;
  HeldIntervalPanel->setVisible(held);
}

void TMainForm::ShowReadout(QPointF cursor, std::optional<ChartPoint> section) {
  StatusPanels[0]->setText(QStringLiteral("X1= ") + ThreeDecimals(cursor.x()) +
                           QStringLiteral(" c"));
  StatusPanels[1]->setText(QStringLiteral("Y1= ") + ThreeDecimals(cursor.y()) +
                           QStringLiteral("м/с2"));
  if (!section) return;
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

// A held interval keeps its stop; the readout still follows the mouse.
void TMainForm::ChartHelperChartMouseMove(QObject*, bool insideChartRect) {
  if (insideChartRect) {
    const QPointF cursor = Series[0]->PixelToPoint(ChartHelper->MousePosition());
    const std::optional<ChartPoint> section = ChartHelper->Section();
    ShowReadout(cursor, section);
    if (section && !intervalHeld_) SelectInterval(section->Time, cursor.x());
  }
  if (SpyData->isChecked()) CalculateParam();
}

void TMainForm::ChartHelperClearDetailInformation(QObject*) {
  StatusPanels[0]->setText(QString());
  StatusPanels[1]->setText(QString());
}
