#include "analysis/SmoothDlg.h"

#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>

#include "analysis/NumberText.h"
#include "app/CommandRunner.h"
#include "app/UserDialogs.h"

TSmoothingPropertiesDlg::TSmoothingPropertiesDlg(UserDialogs& dialogs, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      dialogs_(dialogs) {
  setObjectName(QStringLiteral("SmoothingPropertiesDlg"));
  setWindowTitle(QStringLiteral("Частота среза ФВЧ"));
  QFont font(QStringLiteral("Sans Serif"));
  font.setPixelSize(11);
  setFont(font);
  setFixedSize(249, 60);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->availableGeometry().center() - rect().center());
  }

  Label1 = new QLabel(QStringLiteral("Частота среза ФВЧ, Гц"), this);
  Label1->setObjectName(QStringLiteral("Label1"));
  Label1->setGeometry(3, 8, 122, 13);

  Edit1 = new QLineEdit(QStringLiteral("10"), this);
  Edit1->setObjectName(QStringLiteral("Edit1"));
  Edit1->setGeometry(142, 6, 42, 21);

  Label2 = new QLabel(QStringLiteral("Используется при расчете виброскорости"), this);
  Label2->setObjectName(QStringLiteral("Label2"));
  Label2->setGeometry(5, 32, 216, 13);

  connect(Edit1, &QLineEdit::textChanged, this,
          [this] { RunCommand(dialogs_, this, [this] { Edit1Change(); }); });
}

// Warns about negative values while typing; larger values are clamped later.
void TSmoothingPropertiesDlg::Edit1Change() {
  if (StrToFloat(Edit1->text().toStdString()) < 0) {
    dialogs_.Message(this, QStringLiteral("Только положительные числа в диапазоне от [1..500]"));
  }
}
