#include "analysis/ParamDLg.h"

#include <QCheckBox>
#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>

#include "analysis/NumberText.h"

namespace {

QFont PixelFont(int pixels) {
  QFont font(QStringLiteral("Sans Serif"));
  font.setPixelSize(pixels);
  return font;
}

}  // namespace

TParamForm::TParamForm(double& boundLevel, std::function<void()> setupGraf, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      boundLevel_(boundLevel),
      setupGraf_(std::move(setupGraf)) {
  setObjectName(QStringLiteral("ParamForm"));
  setWindowTitle(QStringLiteral("Предустановки"));
  setFont(PixelFont(11));
  setFixedSize(364, 93);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->availableGeometry().center() - rect().center());
  }

  Output_in_codes = new QCheckBox(QStringLiteral("Отображение и измерение в кодах ADC"), this);
  Output_in_codes->setObjectName(QStringLiteral("Output_in_codes"));
  Output_in_codes->setGeometry(16, 16, 297, 17);

  Label1 = new QLabel(QStringLiteral("Пороговые уровни при контроле\n"
                                     "40мс интервалов превышения, м/с2 = +/-"),
                      this);
  Label1->setObjectName(QStringLiteral("Label1"));
  Label1->setGeometry(16, 40, 257, 32);

  Bound_level = new QLineEdit(this);
  Bound_level->setObjectName(QStringLiteral("Bound_level"));
  Bound_level->setGeometry(286, 50, 57, 24);

  for (QWidget* control : {static_cast<QWidget*>(Output_in_codes), static_cast<QWidget*>(Label1),
                           static_cast<QWidget*>(Bound_level)}) {
    control->setFont(PixelFont(15));
  }
  setTabOrder(Output_in_codes, Bound_level);
  FormCreate();
}

void TParamForm::FormCreate() {
  Bound_level->setText(QString::fromStdString(FormatGeneral(boundLevel_)));
}

// Whatever the user typed becomes the threshold; a text that is not a number
// silently gives the default 25.
void TParamForm::FormDeactivate() {
  appliedSinceActivation_ = true;
  boundLevel_ =
      static_cast<double>(TryStrToFloat(Bound_level->text().toStdString()).value_or(25.0));
  if (setupGraf_) setupGraf_();
}

bool TParamForm::event(QEvent* e) {
  if (e->type() == QEvent::WindowActivate) appliedSinceActivation_ = false;
  if (e->type() == QEvent::WindowDeactivate && isVisible() && !appliedSinceActivation_) {
    FormDeactivate();
  }
  return QDialog::event(e);
}

void TParamForm::hideEvent(QHideEvent* e) {
  if (!appliedSinceActivation_) FormDeactivate();
  appliedSinceActivation_ = false;
  QDialog::hideEvent(e);
}
