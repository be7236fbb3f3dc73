#include "app/FormLayout.h"

#include <QGuiApplication>
#include <QScreen>

QFont PixelFont(int pixels, const QString& family) {
  QFont font(family);
  font.setPixelSize(pixels);
  return font;
}

namespace {
const QString kMarker = QStringLiteral("[*]");
const QString kLiteralMarker = QStringLiteral("[*][*]");  // shown as one "[*]"
}  // namespace

void SetCaption(QWidget& window, const QString& caption) {
  window.setWindowTitle(QString(caption).replace(kMarker, kLiteralMarker));
}

QString Caption(const QWidget& window) {
  return window.windowTitle().replace(kLiteralMarker, kMarker);
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
