// Small helpers for windows laid out at fixed pixel positions.
#pragma once

#include <QDialog>
#include <QFont>
#include <QRect>
#include <QString>

// A sans-serif font of the given pixel height (or of `family`).
QFont PixelFont(int pixels, const QString& family = QStringLiteral("Sans Serif"));

// A control with its object name, placed at `geometry` in its window.
template <typename Control>
Control* Placed(Control* control, const char* name, QRect geometry) {
  control->setObjectName(QString::fromLatin1(name));
  control->setGeometry(geometry);
  return control;
}

// The window flags of a tool window with only a close button.
inline constexpr Qt::WindowFlags kToolWindowFlags =
    Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;

// The caption of a window shown as written: a "[*]" in it (a file name may
// hold one) is kept, not taken for the modified-marker.
void SetCaption(QWidget& window, const QString& caption);
QString Caption(const QWidget& window);

// A fixed-size dialog with the 11-pixel font, centred on the desktop.
void SetUpFixedDialog(QDialog& dialog, const char* name, const QString& title, QSize clientSize);

// Grows a control placed at fixed pixels to the room its text needs on this
// system's fonts; it never shrinks. The designed places suit narrower fonts.
void FitToText(QWidget& control);

// The right and bottom margins a fixed-layout dialog has around its controls
// as designed; Keep grows the dialog back to them after controls grew, and
// centres it again.
class DesignMargins {
 public:
  explicit DesignMargins(const QDialog& dialog);
  void Keep(QDialog& dialog) const;

 private:
  QSize margins_;
};
