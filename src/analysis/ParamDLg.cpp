#include "analysis/ParamDLg.h"

#include <QCheckBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>

#include "analysis/NumberText.h"
#include "app/FormLayout.h"

TParamForm::TParamForm(double& boundLevel, std::function<void()> setupGraf, QWidget* parent)
    : QDialog(parent, kToolWindowFlags), boundLevel_(boundLevel), setupGraf_(std::move(setupGraf)) {
  SetUpFixedDialog(*this, "ParamForm", QStringLiteral("Предустановки"), QSize(364, 93));
  Output_in_codes =
      Placed(new QCheckBox(QStringLiteral("Отображение и измерение в кодах ADC"), this),
             "Output_in_codes", QRect(16, 16, 297, 17));
  Label1 = Placed(new QLabel(QStringLiteral("Пороговые уровни при контроле\n"
                                            "40мс интервалов превышения, м/с2 = +/-"),
                             this),
                  "Label1", QRect(16, 40, 257, 32));
  Bound_level = Placed(new QLineEdit(this), "Bound_level", QRect(286, 50, 57, 24));

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
