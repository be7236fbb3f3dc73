#include "ui/FormLayout.h"

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

namespace {

void CentreOnDesktop(QWidget& window) {
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    window.move(screen->availableGeometry().center() - window.rect().center());
  }
}

QPoint FarCorner(const QDialog& dialog) {
  const QRect controls = dialog.childrenRect();
  return controls.topLeft() + QPoint(controls.width(), controls.height());
}

}  // namespace

void SetUpFixedDialog(QDialog& dialog, const char* name, const QString& title, QSize clientSize) {
  dialog.setObjectName(QString::fromLatin1(name));
  dialog.setWindowTitle(title);
  dialog.setFont(PixelFont(11));
  dialog.setFixedSize(clientSize);
  CentreOnDesktop(dialog);
}

void FitToText(QWidget& control) {
  control.resize(control.size().expandedTo(control.sizeHint()));
}

DesignMargins::DesignMargins(const QDialog& dialog) {
  const QPoint corner = FarCorner(dialog);
  margins_ = QSize(dialog.width() - corner.x(), dialog.height() - corner.y());
}

void DesignMargins::Keep(QDialog& dialog) const {
  const QPoint corner = FarCorner(dialog);
  dialog.setFixedSize(dialog.size().expandedTo(QSize(corner.x(), corner.y()) + margins_));
  CentreOnDesktop(dialog);
}
