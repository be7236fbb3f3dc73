#include "view/CutoffDialog.h"

#include <QLabel>
#include <QLineEdit>
#include <algorithm>

#include "model/AnalysisSettings.h"
#include "text/NumberText.h"
#include "ui/CommandRunner.h"
#include "ui/FormLayout.h"
#include "ui/UserDialogs.h"

TSmoothingPropertiesDlg::TSmoothingPropertiesDlg(UserDialogs& dialogs, QWidget* parent)
    : QDialog(parent, kToolWindowFlags), dialogs_(dialogs) {
  SetUpFixedDialog(*this, "SmoothingPropertiesDlg", QStringLiteral("Частота среза ФВЧ"),
                   QSize(249, 60));
  CutoffCaption = Placed(new QLabel(QStringLiteral("Частота среза ФВЧ, Гц"), this), "CutoffCaption",
                         QRect(3, 8, 122, 13));
  // The cut-off in force at start, "10".
  CutoffEdit = Placed(new QLineEdit(QString::fromStdString(FormatGeneral(kDefaultCutoff)), this),
                      "CutoffEdit", QRect(142, 6, 42, 21));
  CutoffUseCaption =
      Placed(new QLabel(QStringLiteral("Используется при расчете виброскорости"), this),
             "CutoffUseCaption", QRect(5, 32, 216, 13));
  GiveTextsRoom();

  connect(CutoffEdit, &QLineEdit::textChanged, this,
          [this] { RunCommand(dialogs_, this, [this] { CutoffEditChange(); }); });
}

// The edit keeps its designed gap after the label when our font needs more
// room than designed.
void TSmoothingPropertiesDlg::GiveTextsRoom() {
  const DesignMargins margins(*this);
  const int gapBesideLabel = CutoffEdit->x() - CutoffCaption->geometry().right();
  FitToText(*CutoffCaption);
  FitToText(*CutoffUseCaption);
  CutoffEdit->move(std::max(CutoffEdit->x(), CutoffCaption->geometry().right() + gapBesideLabel),
                   CutoffEdit->y());
  margins.Keep(*this);
}

// Warns about negative values while typing; larger values are clamped later.
void TSmoothingPropertiesDlg::CutoffEditChange() {
  if (StrToFloat(CutoffEdit->text().toStdString()) < 0) {
    dialogs_.Message(this, QStringLiteral("Только положительные числа в диапазоне от [1..500]"));
  }
}
