#include "support/FakeUserDialogs.h"

#include <QDialog>

QString FakeUserDialogs::OpenFileName(QWidget*, const FileDialogSettings& settings) {
  openRequests.push_back(settings);
  if (openAnswers.empty()) return {};
  QString answer = openAnswers.front();
  openAnswers.pop_front();
  return answer;
}

std::optional<SaveChoice> FakeUserDialogs::SaveFileName(QWidget*,
                                                        const FileDialogSettings& settings) {
  saveRequests.push_back(settings);
  std::optional<SaveChoice> answer;
  if (!saveAnswers.empty()) {
    answer.swap(saveAnswers.front());
    saveAnswers.pop_front();
  }
  return answer;
}

void FakeUserDialogs::ShowModal(QDialog& dialog) {
  ++modalCount;
  dialog.show();
  if (!modalActions.empty()) {
    auto action = std::move(modalActions.front());
    modalActions.pop_front();
    action(dialog);
  }
  dialog.close();
}

void FakeUserDialogs::ShowPrintPreview(QWidget* owner,
                                       const std::function<void(QPrinter&)>& paint) {
  ++previewCount;
  if (previewAction) previewAction(owner, paint);
}

std::vector<QString> FakeUserDialogs::Texts() const {
  std::vector<QString> texts;
  for (const Shown& s : shown) texts.push_back(s.text);
  return texts;
}

void FakeUserDialogs::Record(Kind kind, const QString& text) {
  shown.push_back({kind, text});
  if (onBox) onBox(shown.back());
}
