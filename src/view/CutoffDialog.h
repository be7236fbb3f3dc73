// The cut-off dialog "Частота среза ФВЧ" of the vibration-speed filter.
#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class UserDialogs;

class TSmoothingPropertiesDlg : public QDialog {
  Q_OBJECT

 public:
  explicit TSmoothingPropertiesDlg(UserDialogs& dialogs, QWidget* parent = nullptr);

  QLabel* CutoffCaption;
  QLineEdit* CutoffEdit;
  QLabel* CutoffUseCaption;

 private:
  void CutoffEditChange();
  void GiveTextsRoom();

  UserDialogs& dialogs_;
};
