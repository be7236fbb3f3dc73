#include "view/About.h"

#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QPushButton>

#include "files/VersionResource.h"
#include "ui/FormLayout.h"

TAboutForm::TAboutForm(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("AboutForm"));
  setWindowTitle(QStringLiteral("About"));
  setFixedSize(189, 132);
  move(575, 313);

  VersionCaption = Placed(new QLabel(QStringLiteral("Версия программы:"), this), "VersionCaption",
                          QRect(16, 16, 160, 16));
  Version_num =
      Placed(new QLabel(QStringLiteral("________"), this), "Version_num", QRect(16, 40, 160, 16));
  CloseButton = Placed(new QPushButton(QStringLiteral("Закрыть"), this), "CloseButton",
                       QRect(54, 88, 80, 25));
  connect(CloseButton, &QPushButton::clicked, this, &QDialog::close);
}

void TAboutForm::showEvent(QShowEvent* event) {
  Version_num->setText(GetVersionText());
  QDialog::showEvent(event);
}

QString TAboutForm::GetVersionText() const {
  const QByteArray program = QFile::encodeName(QCoreApplication::applicationFilePath());
  return QString::fromStdString(VersionText(ReadVersionResource(program.toStdString())));
}
