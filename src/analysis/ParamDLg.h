// The presets dialog "Предустановки": the threshold level of the exceedance
// search and the ADC-code mode (the state of its check box).
#pragma once

#include <QDialog>
#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;

class TParamForm : public QDialog {
  Q_OBJECT

 public:
  // `boundLevel` is the recording's threshold; `setupGraf` redraws the chart.
  TParamForm(double& boundLevel, std::function<void()> setupGraf, QWidget* parent = nullptr);

  QCheckBox* Output_in_codes;
  QLabel* Label1;
  QLineEdit* Bound_level;

 protected:
  bool event(QEvent* e) override;
  void hideEvent(QHideEvent* e) override;

 private:
  void FormCreate();
  void GiveTextsRoom();
  void FormDeactivate();

  double& boundLevel_;
  std::function<void()> setupGraf_;
  bool appliedSinceActivation_ = false;  // closing both hides and deactivates
};
