#include "app/FormLayout.h"

#include <QGuiApplication>
#include <QScreen>

QFont PixelFont(int pixels, const QString& family) {
  QFont font(family);
  font.setPixelSize(pixels);
  return font;
}

void SetUpFixedDialog(QDialog& dialog, const char* name, const QString& title, QSize clientSize) {
  dialog.setObjectName(QString::fromLatin1(name));
  dialog.setWindowTitle(title);
  dialog.setFont(PixelFont(11));
  dialog.setFixedSize(clientSize);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    dialog.move(screen->availableGeometry().center() - dialog.rect().center());
  }
}
