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
  // The edit starts with `boundLevel`; `apply` takes the threshold the user
  // leaves in it each time the dialog lets go.
  TParamForm(double boundLevel, std::function<void(double)> apply, QWidget* parent = nullptr);

  QCheckBox* Output_in_codes;
  QLabel* ThresholdCaption;
  QLineEdit* Bound_level;

 protected:
  bool event(QEvent* e) override;
  void hideEvent(QHideEvent* e) override;

 private:
  void FormCreate(double boundLevel);
  void GiveTextsRoom();
  void FormDeactivate();

  std::function<void(double)> apply_;
  bool appliedSinceActivation_ = false;  // closing both hides and deactivates
};
