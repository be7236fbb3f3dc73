#include "analysis/SmoothDlg.h"

#include <QLabel>
#include <QLineEdit>
#include <algorithm>

#include "text/NumberText.h"
#include "ui/CommandRunner.h"
#include "ui/FormLayout.h"
#include "ui/UserDialogs.h"

TSmoothingPropertiesDlg::TSmoothingPropertiesDlg(UserDialogs& dialogs, QWidget* parent)
    : QDialog(parent, kToolWindowFlags), dialogs_(dialogs) {
  SetUpFixedDialog(*this, "SmoothingPropertiesDlg", QStringLiteral("Частота среза ФВЧ"),
                   QSize(249, 60));
  Label1 = Placed(new QLabel(QStringLiteral("Частота среза ФВЧ, Гц"), this), "Label1",
                  QRect(3, 8, 122, 13));
  Edit1 = Placed(new QLineEdit(QStringLiteral("10"), this), "Edit1", QRect(142, 6, 42, 21));
  Label2 = Placed(new QLabel(QStringLiteral("Используется при расчете виброскорости"), this),
                  "Label2", QRect(5, 32, 216, 13));
  GiveTextsRoom();

  connect(Edit1, &QLineEdit::textChanged, this,
          [this] { RunCommand(dialogs_, this, [this] { Edit1Change(); }); });
}

// The edit keeps its designed gap after the label when our font needs more
// room than designed.
void TSmoothingPropertiesDlg::GiveTextsRoom() {
  const DesignMargins margins(*this);
  const int gapBesideLabel = Edit1->x() - Label1->geometry().right();
  FitToText(*Label1);
  FitToText(*Label2);
  Edit1->move(std::max(Edit1->x(), Label1->geometry().right() + gapBesideLabel), Edit1->y());
  margins.Keep(*this);
}

// Warns about negative values while typing; larger values are clamped later.
void TSmoothingPropertiesDlg::Edit1Change() {
  if (StrToFloat(Edit1->text().toStdString()) < 0) {
    dialogs_.Message(this, QStringLiteral("Только положительные числа в диапазоне от [1..500]"));
  }
}
