// Commands of the "&Файл" and "&Help" menus besides the logger import: the
// codes text files, the printed report, the chart export and the About window.
#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QLabel>
#include <QTableWidget>

#include "analysis/DerivedData.h"
#include "app/Main.h"
#include "files/CodesTextFile.h"
#include "files/LoggerFile.h"
#include "text/NumberText.h"
#include "ui/BusyCursor.h"
#include "ui/FormLayout.h"
#include "ui/UserDialogs.h"
#include "view/About.h"
#include "view/ChartExportDialog.h"
#include "view/ChartHlp.h"
#include "view/ChartSurface.h"
#include "view/Report.h"

void TMainForm::OpenFileMenuClick() {
  const QString path = dialogs_.OpenFileName(this, {QStringLiteral("Accel 3D codes files (*.csv)"),
                                                    QStringLiteral("asc"), openDialogInitialDir_});
  if (!path.isEmpty()) OpenFileRoutine(path);
}

// Every field is checked before the recording changes: a file that is not a
// codes file leaves recording, cursor and display as they were.
void TMainForm::OpenFileRoutine(const QString& path) {
  CodesTextResult result;
  {
    BusyCursor busy;
    const CodesTextFileRead file =
        ReadCodesTextFile(QFile::encodeName(path).toStdString(), *recording_);
    if (file.status != FileReadStatus::Ok) throw std::runtime_error(ImportMessage(file.status));
    result = file.result;
  }
  if (result.status != CodesTextStatus::Loaded) {
    return dialogs_.Message(this, QString::fromStdString(CodesTextMessage(result)));
  }
  derived_->SamplesLoaded();
  ForgetAnalyses();
  AccelX_line->setChecked(true);
  AccelY_line->setChecked(true);
  AccelZ_line->setChecked(true);
  SetupGraf();
  ShowLoadedFile(path, QStringLiteral(".klv"));
  if (result.truncated()) dialogs_.Warning(this, QString::fromStdString(CodesTextMessage(result)));
}

// The file is written before the caption names it, so a file that cannot be
// created leaves caption and title as they were.
void TMainForm::SaveFileMenuClick() {
  if (recording_->SampleCount <= 1) {
    return dialogs_.Message(this, QStringLiteral("Невозможно записать пустой файл"));
  }
  SetDecimalSeparator('.');
  const auto choice = dialogs_.SaveFileName(
      this, {QStringLiteral("Kelvo files (*.csv)"), QStringLiteral("klv"), QString()});
  if (!choice || choice->filterIndex != 0) return;
  QString path = choice->path;
  if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".klv");

  BusyCursor busy;
  WriteCodesTextFile(QFile::encodeName(path).toStdString(), *recording_);
  SetCaption(*this, QFileInfo(path).completeBaseName() + QStringLiteral(".csv"));
  CHART->Title().SetText(QFileInfo(path).fileName());
}

void TMainForm::PrintClick() {
  const auto cell = [this](int row, int column) { return ParamViews->item(row, column)->text(); };
  PrintReport(*CHART, *ChartHelper, dialogs_, this,
              ReportFooterLines(StartPoint->text(), StopPoint->text(), cell));
}

void TMainForm::PrintSetupClick() {
  TChartExportForm form(*CHART, dialogs_, this);
  dialogs_.ShowModal(form);
}

void TMainForm::N17Click() {
  dialogs_.ShowModal(*aboutForm_);
}
