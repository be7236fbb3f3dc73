// The About window: the program's version, read from its own file.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

class TAboutForm : public QDialog {
  Q_OBJECT

 public:
  explicit TAboutForm(QWidget* parent = nullptr);

  QLabel* Label1;
  QLabel* Version_num;
  QPushButton* Button1;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QString GetVersionText() const;
};
