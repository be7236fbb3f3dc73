#include "view/PresetsDialog.h"

#include <QCheckBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <algorithm>

#include "model/AnalysisSettings.h"
#include "text/NumberText.h"
#include "ui/FormLayout.h"

TParamForm::TParamForm(double boundLevel, std::function<void(double)> apply, QWidget* parent)
    : QDialog(parent, kToolWindowFlags), apply_(std::move(apply)) {
  SetUpFixedDialog(*this, "ParamForm", QStringLiteral("Предустановки"), QSize(364, 93));
  Output_in_codes =
      Placed(new QCheckBox(QStringLiteral("Отображение и измерение в кодах ADC"), this),
             "Output_in_codes", QRect(16, 16, 297, 17));
  ThresholdCaption = Placed(new QLabel(QStringLiteral("Пороговые уровни при контроле\n"
                                                      "40мс интервалов превышения, м/с2 = +/-"),
                                       this),
                            "ThresholdCaption", QRect(16, 40, 257, 32));
  Bound_level = Placed(new QLineEdit(this), "Bound_level", QRect(286, 50, 57, 24));

  for (QWidget* control :
       {static_cast<QWidget*>(Output_in_codes), static_cast<QWidget*>(ThresholdCaption),
        static_cast<QWidget*>(Bound_level)}) {
    control->setFont(PixelFont(15));
  }
  GiveTextsRoom();
  setTabOrder(Output_in_codes, Bound_level);
  FormCreate(boundLevel);
}

// The check box, the label below it and the edit beside the label's second
// line keep their designed gaps when our font needs more room than designed.
void TParamForm::GiveTextsRoom() {
  const DesignMargins margins(*this);
  const int gapBelowCheckBox = ThresholdCaption->y() - Output_in_codes->geometry().bottom();
  const int gapBesideLabel = Bound_level->x() - ThresholdCaption->geometry().right();
  // The label's second line runs through three quarters of its height.
  auto secondLine = [this] { return ThresholdCaption->y() + ThresholdCaption->height() * 3 / 4; };
  const int editBelowSecondLine = Bound_level->y() - secondLine();
  FitToText(*Output_in_codes);
  FitToText(*ThresholdCaption);
  ThresholdCaption->move(ThresholdCaption->x(),
                         Output_in_codes->geometry().bottom() + gapBelowCheckBox);
  Bound_level->move(
      std::max(Bound_level->x(), ThresholdCaption->geometry().right() + gapBesideLabel),
      secondLine() + editBelowSecondLine);
  margins.Keep(*this);
}

void TParamForm::FormCreate(double boundLevel) {
  Bound_level->setText(QString::fromStdString(FormatGeneral(boundLevel)));
}

// Whatever the user typed becomes the threshold; a text that is not a number
// silently gives the default.
void TParamForm::FormDeactivate() {
  appliedSinceActivation_ = true;
  const double boundLevel = static_cast<double>(
      TryStrToFloat(Bound_level->text().toStdString()).value_or(kDefaultBoundLevel));
  if (apply_) apply_(boundLevel);
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
