// Commands of the analysis: the interval parameters, the presets, the speed
// correction and the vibration-speed cut-off.
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTableWidget>

#include "app/Main.h"
#include "text/NumberText.h"
#include "ui/UserDialogs.h"
#include "view/ChartHlp.h"
#include "view/CutoffDialog.h"
#include "view/PresetsDialog.h"

void TMainForm::CalculateClick() {
  CalculateParam();
}

void TMainForm::WriteParamRow(int row, const RowTexts& cells) {
  for (int column = 0; column < 4; ++column) {
    ParamViews->item(row, column + 1)->setText(QString::fromStdString(cells[column]));
  }
}

// The memo gets each pass's lines before its warning box, and the user
// dismisses the box before the next pass and the last rows are shown.
// Tracking skips the search and brings the parameters page to the front.
void TMainForm::ShowExceedances(const IntervalParamsResult& result, bool tracking) {
  if (!AccelX_line->isChecked()) return;
  if (tracking) {
    ResultPages->setCurrentIndex(0);
    ResultPages->repaint();
    return;
  }
  ExceedanceMemo->clear();
  for (const ExceedancePass& pass : result.Passes) {
    if (!pass.Found.Exceeded) continue;
    ExceedanceMemo->appendPlainText(QString::fromStdString(pass.Header));
    for (const std::string& line : pass.RunLines)
      ExceedanceMemo->appendPlainText(QString::fromStdString(line));
    dialogs_.Message(this, QString::fromStdString(pass.Message));
  }
}

std::array<bool, kParamRowCount> TMainForm::ShownParamRows() const {
  return {AccelX_line->isChecked(), AccelY_line->isChecked(), AccelZ_line->isChecked(),
          Vibro_X_Line->isChecked(), Speed_X_Line->isChecked()};
}

void TMainForm::CalculateParam() {
  const bool tracking = SpyData->isChecked();
  // While tracking, the list takes the selection colours.
  QPalette palette = ParamViews->palette();
  const QPalette system;
  palette.setColor(QPalette::Base,
                   tracking ? system.color(QPalette::Highlight) : system.color(QPalette::Base));
  palette.setColor(QPalette::Text, tracking ? system.color(QPalette::HighlightedText)
                                            : system.color(QPalette::Text));
  ParamViews->setPalette(palette);

  std::optional<SampleInterval> interval;
  if (const auto measured = session_->MeasuredInterval()) interval = measured->Interval;
  if (interval) {
    const IntervalParamsResult result = session_->Params(*interval, ShownParamRows(), tracking);
    for (int row : kRowsBeforeSearch) WriteParamRow(row, result.Texts[row]);
    ShowExceedances(result, tracking);
    for (int row : kRowsAfterSearch) WriteParamRow(row, result.Texts[row]);
  }
  ShowAnalyses(interval);
}

void TMainForm::SpyDataClick() {
  TrackingLabel->setVisible(SpyData->isChecked());
  CalculateParam();
}

void TMainForm::Inversion_chek_boxClick() {
  UpdateGraph();
  CalculateParam();
}

void TMainForm::PresetsClick() {
  dialogs_.ShowModal(*paramForm_);
  SetupGraf();
}

// A new threshold or ADC-code mode shows on the chart at once; the parameters
// follow at the next calculation.
void TMainForm::ApplyBoundLevel(double boundLevel) {
  session_->SetBoundLevel(boundLevel);
  SetupGraf();
}

void TMainForm::Speed_corr_routineClick() {
  session_->CorrectSpeed();
  UpdateGraph();
}

void TMainForm::VibroSpeedRedrawClick() {
  UpdateGraph();
}

// A text that is not a number ends the command with the conversion error:
// cut-off, filter and chart stay as they were. A cut-off above the stable
// range is lowered to its top without a word, as 0.5 is raised to 1.
void TMainForm::CutoffClick() {
  dialogs_.ShowModal(*smoothingDlg_);
  session_->SetCutoff(StrToFloat(smoothingDlg_->CutoffEdit->text().toStdString()));
  UpdateGraph();
}
