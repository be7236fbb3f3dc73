// Answers the program's dialogs from a script and remembers what was shown.
#pragma once

#include <QString>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include "ui/UserDialogs.h"

class FakeUserDialogs final : public UserDialogs {
 public:
  enum class Kind { Warning, Error, Message, ErrorBox };
  struct Shown {
    Kind kind;
    QString text;
  };

  std::vector<Shown> shown;  // every box, in order
  std::vector<FileDialogSettings> openRequests;
  std::vector<FileDialogSettings> saveRequests;
  std::deque<QString> openAnswers;  // empty answer = cancelled
  std::deque<std::optional<SaveChoice>> saveAnswers;
  // What the "user" does while a modal dialog is open; it is closed after.
  std::deque<std::function<void(QDialog&)>> modalActions;
  int modalCount = 0;
  // The print preview: how often it was shown, and what it does.
  int previewCount = 0;
  std::function<void(QWidget* owner, const std::function<void(QPrinter&)>& paint)> previewAction;
  // Called whenever a box is shown, e.g. to look at the window meanwhile.
  std::function<void(const Shown&)> onBox;

  void Warning(QWidget*, const QString& text) override { Record(Kind::Warning, text); }
  void Error(QWidget*, const QString& text) override { Record(Kind::Error, text); }
  void Message(QWidget*, const QString& text) override { Record(Kind::Message, text); }
  void ErrorBox(QWidget*, const QString& text) override { Record(Kind::ErrorBox, text); }
  QString OpenFileName(QWidget* parent, const FileDialogSettings& settings) override;
  std::optional<SaveChoice> SaveFileName(QWidget* parent,
                                         const FileDialogSettings& settings) override;
  void ShowModal(QDialog& dialog) override;
  void ShowPrintPreview(QWidget* owner, const std::function<void(QPrinter&)>& paint) override;

  std::vector<QString> Texts() const;  // the texts of every box shown
  void Clear() { shown.clear(); }

 private:
  void Record(Kind kind, const QString& text);
};
