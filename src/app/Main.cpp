#include "app/Main.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDragEnterEvent>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QStyle>
#include <QTableWidget>
#include <algorithm>

#include "analysis/Interval.h"
#include "text/NumberText.h"
#include "ui/BusyCursor.h"
#include "ui/CommandRunner.h"
#include "ui/FormLayout.h"
#include "ui/UserDialogs.h"
#include "view/ChartHlp.h"
#include "view/ChartSurface.h"
#include "view/PresetsDialog.h"

namespace {

QString Text(const std::string& text) {
  return QString::fromStdString(text);
}

}  // namespace

TMainForm::TMainForm(UserDialogs& dialogs, int capacity)
    : QMainWindow(nullptr), dialogs_(dialogs), session_(std::make_unique<Session>(capacity)) {
  setObjectName(QStringLiteral("MainForm"));
  setWindowTitle(kApplicationTitle);
  setAcceptDrops(true);
  BuildControls();
  connect(Inversion_chek_box, &QCheckBox::toggled, this,
          [this](bool on) { session_->SetInverted(on); });
  BuildChart();
  BuildMenu();
  FormCreate();
}

TMainForm::~TMainForm() = default;

void TMainForm::SetDialogs(TParamForm* paramForm, TSmoothingPropertiesDlg* smoothingDlg,
                           TAboutForm* aboutForm) {
  paramForm_ = paramForm;
  // The mode is the state of the presets dialog's check box.
  connect(paramForm_->Output_in_codes, &QCheckBox::toggled, this,
          [this](bool on) { session_->SetCodesMode(on); });
  smoothingDlg_ = smoothingDlg;
  aboutForm_ = aboutForm;
}

void TMainForm::FormCreate() {
  for (int row = 0; row < kParamRowCount; ++row)
    ParamViews->item(row, 0)->setText(QString::fromUtf8(ParamRows[row].Caption));
  // The row names keep their whole text on a font wider than designed:
  // text, the item's margins on both sides and the grid line.
  const QFontMetrics metrics(ParamViews->font());
  const int margins =
      2 * (ParamViews->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, ParamViews) +
           1) +
      1;
  int nameWidth = ParamViews->columnWidth(0);
  for (const ParamRowDef& row : ParamRows) {
    nameWidth =
        std::max(nameWidth, metrics.horizontalAdvance(QString::fromUtf8(row.Caption)) + margins);
  }
  ParamViews->setColumnWidth(0, nameWidth);
  SetupGraf();
}

void TMainForm::Run(void (TMainForm::*handler)()) {
  RunCommand(dialogs_, this, [this, handler] { (this->*handler)(); });
}

void TMainForm::ExitClick() {
  close();
}

QString TMainForm::ThreeDecimals(double seconds) const {
  return Text(ShownSecondsText(seconds));
}

void TMainForm::ClearParameterValues() {
  for (int row = 0; row < kParamRowCount; ++row) {
    for (int column = 1; column <= kParamValueColumns; ++column) {
      ParamViews->item(row, column)->setText(QString());
    }
  }
  ForgetAnalyses();
}

void TMainForm::ImportFileClick() {
  const QString path = dialogs_.OpenFileName(this, {QStringLiteral("Torvik bin files (*.dat)"),
                                                    QStringLiteral("dat"), openDialogInitialDir_});
  if (!path.isEmpty()) ImportFileRoutine(path);
}

void TMainForm::ImportFileRoutine(const QString& path) {
  ImportLoggerPath(QFile::encodeName(path).toStdString());
}

// A file that cannot be read or is not a logger recording changes nothing:
// its message is all the user gets. The path is the bytes the system uses,
// so a name that is not UTF-8 is still found.
void TMainForm::ImportLoggerPath(const std::string& path) {
  if (openDialogInitialDir_.isEmpty())
    openDialogInitialDir_ = QCoreApplication::applicationDirPath();
  LoadResult result;
  {
    BusyCursor busy;
    result = session_->LoadLoggerFile(path);
  }
  NoteImport(path, result.Status);
  const QString message = Text(result.Message);
  switch (result.Status) {
    case LoadStatus::NotFound:
    case LoadStatus::Empty:
      return dialogs_.Warning(this, message);
    case LoadStatus::CannotOpen:
      return dialogs_.Error(this, message);
    case LoadStatus::WrongFormat:
    case LoadStatus::NotANumber:
      return dialogs_.Message(this, message);
    case LoadStatus::Loaded:
      break;
  }
  WriteCalibrationEdits();
  AccelX_line->setChecked(true);
  Speed_X_Line->setChecked(true);
  SetupGraf();
  ChartHelper->SetSectionX(-1);
  SetIntervalHeld(false);
  StartPoint->setText(ThreeDecimals(0));
  ClearParameterValues();
  ExceedanceMemo->clear();
  MatchCropViews();
  ShowLoadedFile(QFile::decodeName(path.c_str()), QStringLiteral(".dat"));
  if (!message.isEmpty()) dialogs_.Warning(this, message);  // a file longer than the recording
}

void TMainForm::WriteCalibrationEdits() {
  const Recording& r = session_->Data();
  G_value_edit->setText(Text(FormatFixed(r.GValue, 10, 3)));
  const std::array<std::pair<QLineEdit*, QLineEdit*>, 3> edits = {
      std::pair{X_Code_0g_edit, X_Gain_edit}, std::pair{Y_Code_0g_edit, Y_Gain_Edit},
      std::pair{Z_Code_0g_edit, Z_Gain_edit}};
  for (int axis = 0; axis < 3; ++axis) {
    edits[axis].first->setText(Text(FormatFixed(r.Calibration[axis].Code0g, 10, 3)));
    edits[axis].second->setText(Text(FormatFixed(r.Calibration[axis].Gain, 10, 5)));
  }
}

// The caption names the file just read, with the extension of its kind; the
// report's title repeats it.
void TMainForm::ShowLoadedFile(const QString& path, const QString& extension) {
  SetCaption(*this, Caption(*this) + QFileInfo(path).completeBaseName() + extension);
  CHART->Title().SetText(Caption(*this));
  CHART->UndoZoom();
  if (session_->Data().SampleCount >= 1) {
    StopPoint->setText(ThreeDecimals((session_->Data().SampleCount - 1) * Recording::TimeStep));
  }
}

void TMainForm::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void TMainForm::dropEvent(QDropEvent* event) {
  const QList<QUrl> urls = event->mimeData()->urls();
  if (urls.isEmpty() || !urls.first().isLocalFile()) return;
  const QString path = urls.first().toLocalFile();
  if (!path.endsWith(QStringLiteral(".dat"), Qt::CaseInsensitive)) return;
  event->acceptProposedAction();
  RunCommand(dialogs_, this, [this, path] { ImportFileRoutine(path); });
}
