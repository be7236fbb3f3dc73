#pragma once

#include "ui/UserDialogs.h"

// The real dialogs of the program.
class QtUserDialogs final : public UserDialogs {
 public:
  void Warning(QWidget* parent, const QString& text) override;
  void Error(QWidget* parent, const QString& text) override;
  void Message(QWidget* parent, const QString& text) override;
  void ErrorBox(QWidget* parent, const QString& text) override;
  QString OpenFileName(QWidget* parent, const FileDialogSettings& settings) override;
  std::optional<SaveChoice> SaveFileName(QWidget* parent,
                                         const FileDialogSettings& settings) override;
  void ShowModal(QDialog& dialog) override;
  void ShowPrintPreview(QWidget* owner, const std::function<void(QPrinter&)>& paint) override;
};
