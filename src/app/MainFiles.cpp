// Commands of the "&Файл" and "&Help" menus besides the logger import: the
// codes text files, the printed report, the chart export and the About window.
#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QLabel>
#include <QTableWidget>
#include <cmath>

#include "app/Main.h"
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

// A file that is not a codes file leaves recording, cursor and display as
// they were.
void TMainForm::OpenFileRoutine(const QString& path) {
  LoadResult result;
  {
    BusyCursor busy;
    result = session_->LoadCodesFile(QFile::encodeName(path).toStdString());
  }
  const QString message = QString::fromStdString(result.Message);
  switch (result.Status) {
    case LoadStatus::WrongFormat:
    case LoadStatus::Empty:
      return dialogs_.Message(this, message);
    case LoadStatus::NotFound:
    case LoadStatus::CannotOpen:
    case LoadStatus::NotANumber:
      return dialogs_.ErrorBox(this, message);
    case LoadStatus::Loaded:
      break;
  }
  ForgetAnalyses();
  MatchCropViews();
  SetIntervalHeld(false);  // the load moved the stop
  AccelX_line->setChecked(true);
  AccelY_line->setChecked(true);
  AccelZ_line->setChecked(true);
  SetupGraf();
  ShowLoadedFile(path, QStringLiteral(".klv"));
  if (!message.isEmpty()) dialogs_.Warning(this, message);  // a file longer than the recording
}

// The file is written before the caption names it, so a file that cannot be
// created leaves caption and title as they were.
void TMainForm::SaveFileMenuClick() {
  if (session_->Data().SampleCount <= 1) {
    return dialogs_.Message(this, QStringLiteral("Невозможно записать пустой файл"));
  }
  SetDecimalSeparator('.');
  const auto choice = dialogs_.SaveFileName(
      this, {QStringLiteral("Kelvo files (*.csv)"), QStringLiteral("klv"), QString()});
  if (!choice || choice->filterIndex != 0) return;
  QString path = choice->path;
  if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".klv");

  BusyCursor busy;
  session_->SaveCodesFile(QFile::encodeName(path).toStdString());
  SetCaption(*this, QFileInfo(path).completeBaseName() + QStringLiteral(".csv"));
  CHART->Title().SetText(QFileInfo(path).fileName());
}

void TMainForm::PrintClick() {
  const auto cell = [this](int row, int column) { return ParamViews->item(row, column)->text(); };
  const SelectedInterval& interval = session_->Interval();
  const long double span =
      std::fabs(interval.Stop.value_or(0) - interval.Start.value_or(0)) / Recording::SampleRate;
  PrintReport(*CHART, *ChartHelper, dialogs_, this,
              ReportFooterLines(StartPoint->text(), StopPoint->text(), span, cell));
}

void TMainForm::ChartExportClick() {
  TChartExportForm form(*CHART, dialogs_, this);
  dialogs_.ShowModal(form);
}

void TMainForm::AboutClick() {
  dialogs_.ShowModal(*aboutForm_);
}
