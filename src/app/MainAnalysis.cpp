// Commands of the analysis: the interval parameters, the presets, the speed
// correction, the vibration-speed cut-off and the crop.
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTableWidget>

#include "analysis/Crop.h"
#include "analysis/DerivedData.h"
#include "analysis/IntervalParams.h"
#include "analysis/ParamDLg.h"
#include "analysis/SmoothDlg.h"
#include "analysis/VibroSpeed.h"
#include "app/Main.h"
#include "text/NumberText.h"
#include "ui/UserDialogs.h"
#include "view/ChartHlp.h"

bool TMainForm::CodesMode() const {
  return settings_.CodesMode;
}

std::optional<SampleInterval> TMainForm::SelectedInterval() const {
  return ParamInterval(StartPoint->text().toStdString(), StopPoint->text().toStdString(),
                       recording_->SampleCount);
}

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
void TMainForm::ShowExceedances(const IntervalParamsResult& result, const ParamOptions& options) {
  if (!options.Shown[kAccelXRow]) return;
  if (options.Tracking) {
    TabbedNotebook1->setCurrentIndex(0);
    TabbedNotebook1->repaint();
    return;
  }
  Memo1->clear();
  for (const ExceedancePass& pass : result.Passes) {
    if (!pass.Found.Exceeded) continue;
    Memo1->appendPlainText(QString::fromStdString(pass.Header));
    for (const std::string& line : pass.RunLines)
      Memo1->appendPlainText(QString::fromStdString(line));
    dialogs_.Message(this, QString::fromStdString(pass.Message));
  }
}

void TMainForm::CalculateParam() {
  ParamOptions options;
  options.Shown = {AccelX_line->isChecked(), AccelY_line->isChecked(), AccelZ_line->isChecked(),
                   Vibro_X_Line->isChecked(), Speed_X_Line->isChecked()};
  options.Tracking = SpyData->isChecked();
  options.Settings = settings_;

  // While tracking, the list takes the selection colours.
  QPalette palette = ParamViews->palette();
  const QPalette system;
  palette.setColor(QPalette::Base, options.Tracking ? system.color(QPalette::Highlight)
                                                    : system.color(QPalette::Base));
  palette.setColor(QPalette::Text, options.Tracking ? system.color(QPalette::HighlightedText)
                                                    : system.color(QPalette::Text));
  ParamViews->setPalette(palette);

  // Its row reads the vibration speed, which follows the linear speed and the
  // cut-off also while the chart shows codes.
  if (options.Shown[kVibroSpeedRow]) derived_->RefreshVibroSpeed(settings_.Cutoff);
  const std::optional<SampleInterval> interval = SelectedInterval();
  if (interval) {
    const IntervalParamsResult result = CalculateIntervalParams(*recording_, *interval, options);
    for (int row : kRowsBeforeSearch) WriteParamRow(row, result.Texts[row]);
    ShowExceedances(result, options);
    for (int row : kRowsAfterSearch) WriteParamRow(row, result.Texts[row]);
  }
  RefreshSpectra(interval);
  RefreshShockEvents(interval);
}

void TMainForm::SpyDataClick() {
  SpayDataLabel->setVisible(SpyData->isChecked());
  CalculateParam();
}

void TMainForm::Inversion_chek_boxClick() {
  UpdateGraph();
  CalculateParam();
}

void TMainForm::Calculate_propertClick() {
  dialogs_.ShowModal(*paramForm_);
  SetupGraf();
}

// A new threshold or ADC-code mode shows on the chart at once; the parameters
// follow at the next calculation.
void TMainForm::ApplyBoundLevel(double boundLevel) {
  settings_.BoundLevel = boundLevel;
  SetupGraf();
}

void TMainForm::Speed_corr_routineClick() {
  derived_->SpeedCorrected();
  UpdateGraph();
}

void TMainForm::LinSpeedClick() {}

void TMainForm::N4Click() {
  UpdateGraph();
}

// A text that is not a number ends the command with the conversion error:
// cut-off, filter and chart stay as they were.
void TMainForm::N10Click() {
  dialogs_.ShowModal(*smoothingDlg_);
  const long double cutoff =
      CutoffFrequency(StrToFloat(smoothingDlg_->Edit1->text().toStdString()));
  if (!VibroCutoffStable(cutoff)) {
    // The filter would grow without end: the previous cut-off stays in force.
    return dialogs_.Warning(
        this, QStringLiteral("Фильтр с частотой среза %1 Гц неустойчив. Допустимы частоты от 1 до "
                             "%2 Гц; прежняя частота среза сохранена.")
                  .arg(QString::fromStdString(FormatGeneral(cutoff)),
                       QString::fromStdString(FormatGeneral(HighestStableCutoff()))));
  }
  settings_.Cutoff = cutoff;
  derived_->ApplyCutoff(cutoff);
  UpdateGraph();
}

void TMainForm::Button1Click() {
  const auto range = CropInterval(StartPoint->text().toStdString(), StopPoint->text().toStdString(),
                                  recording_->SampleCount);
  if (!range) return;  // an empty recording stays as it is
  CropRecording(*recording_, *range);
  derived_->SamplesCropped();
  SetupGraf();
  ChartHelper->SetSectionX(-1);
  StartPoint->setText(ThreeDecimals(0));
  ClearParameterValues();
}
