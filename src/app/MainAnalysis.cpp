// Commands of the analysis: the interval parameters, the presets, the speed
// correction, the vibration-speed cut-off and the crop.
#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTableWidget>

#include "analysis/Crop.h"
#include "analysis/IntervalParams.h"
#include "text/NumberText.h"
#include "analysis/ParamDLg.h"
#include "analysis/SmoothDlg.h"
#include "analysis/Speed.h"
#include "analysis/VibroSpeed.h"
#include "app/Main.h"
#include "ui/UserDialogs.h"
#include "dsp/dspIIRFilters.h"
#include "view/ChartHlp.h"

namespace {

// Writes a calculation into the parameter list, the memo and message boxes.
class WindowParamOutput final : public ParamOutput {
 public:
  explicit WindowParamOutput(TMainForm& form) : form_(form) {}

  void WriteRow(int row, const RowTexts& cells) override {
    for (int column = 0; column < 4; ++column) {
      form_.ParamViews->item(row, column + 1)->setText(QString::fromStdString(cells[column]));
    }
  }
  void ClearMemo() override { form_.Memo1->clear(); }
  void AppendMemoLine(const std::string& line) override {
    form_.Memo1->appendPlainText(QString::fromStdString(line));
  }
  void ShowMessage(const std::string& text) override {
    form_.Dialogs().Message(&form_, QString::fromStdString(text));
  }
  void ShowFirstPage() override {
    form_.TabbedNotebook1->setCurrentIndex(0);
    form_.TabbedNotebook1->repaint();
  }

 private:
  TMainForm& form_;
};

}  // namespace

bool TMainForm::CodesMode() const {
  return paramForm_ != nullptr && paramForm_->Output_in_codes->isChecked();
}

void TMainForm::CalculateClick() {
  CalculateParam();
}

void TMainForm::CalculateParam() {
  ParamOptions options;
  options.Shown = {AccelX_line->isChecked(), AccelY_line->isChecked(), AccelZ_line->isChecked(),
                   Vibro_X_Line->isChecked(), Speed_X_Line->isChecked()};
  options.Tracking = SpyData->isChecked();
  options.Inverted = Inversion_chek_box->isChecked();
  options.CodesMode = CodesMode();

  // While tracking, the list takes the selection colours.
  QPalette palette = ParamViews->palette();
  const QPalette system;
  palette.setColor(QPalette::Base, options.Tracking ? system.color(QPalette::Highlight)
                                                    : system.color(QPalette::Base));
  palette.setColor(QPalette::Text, options.Tracking ? system.color(QPalette::HighlightedText)
                                                    : system.color(QPalette::Text));
  ParamViews->setPalette(palette);

  WindowParamOutput output(*this);
  CalculateIntervalParams(*recording_, StartPoint->text().toStdString(),
                          StopPoint->text().toStdString(), options, output);
  RefreshSpectra();
  RefreshShockEvents();
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

void TMainForm::Speed_corr_routineClick() {
  SpeedRecalculate(recording_->CodesX.get(), recording_->LinSpeedX.get());
  SpeedCorrection(recording_->LinSpeedX.get());
  UpdateGraph();
}

void TMainForm::SpeedRecalculate(const double* codes, double* speed) {
  ::SpeedRecalculate(codes, speed, recording_->SampleCount, recording_->Calibration[AxisX]);
}

void TMainForm::SpeedCorrection(double* values) {
  ::SpeedCorrection(values, recording_->SampleCount);
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
  dspIIRFilter3->SetFrequency1(cutoff);
  dspIIRFilter3->SetFrequency2(cutoff);
  dspIIRFilter3->Reset();
  UpdateGraph();
}

void TMainForm::Button1Click() {
  const auto range = CropInterval(StartPoint->text().toStdString(), StopPoint->text().toStdString(),
                                  recording_->SampleCount);
  if (!range) return;  // an empty recording stays as it is
  CropRecording(*recording_, *range);
  SetupGraf();
  ChartHelper->SetSectionX(-1);
  StartPoint->setText(ThreeDecimals(0));
  ClearParameterValues();
}
