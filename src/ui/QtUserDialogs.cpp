#include "ui/QtUserDialogs.h"

#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintPreviewDialog>
#include <QPrinter>

namespace {

void Box(QWidget* parent, QMessageBox::Icon icon, const QString& title, const QString& text) {
  QMessageBox box(icon, title, text, QMessageBox::Ok, parent);
  box.exec();
}

QFileDialog* MakeFileDialog(QWidget* parent, const FileDialogSettings& settings) {
  auto* dialog = new QFileDialog(parent, QString(), settings.initialFolder, settings.filter);
  dialog->setDefaultSuffix(settings.defaultSuffix);
  dialog->setAttribute(Qt::WA_DeleteOnClose, false);
  return dialog;
}

}  // namespace

void QtUserDialogs::Warning(QWidget* parent, const QString& text) {
  Box(parent, QMessageBox::Warning, QStringLiteral("Предупреждение"), text);
}

void QtUserDialogs::Error(QWidget* parent, const QString& text) {
  Box(parent, QMessageBox::Critical, QStringLiteral("Ошибка"), text);
}

void QtUserDialogs::Message(QWidget* parent, const QString& text) {
  Box(parent, QMessageBox::NoIcon, kApplicationTitle, text);
}

void QtUserDialogs::ErrorBox(QWidget* parent, const QString& text) {
  Box(parent, QMessageBox::Critical, kApplicationTitle, text);
}

QString QtUserDialogs::OpenFileName(QWidget* parent, const FileDialogSettings& settings) {
  std::unique_ptr<QFileDialog> dialog(MakeFileDialog(parent, settings));
  dialog->setFileMode(QFileDialog::ExistingFile);
  dialog->setAcceptMode(QFileDialog::AcceptOpen);
  if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) return {};
  return dialog->selectedFiles().first();
}

std::optional<SaveChoice> QtUserDialogs::SaveFileName(QWidget* parent,
                                                      const FileDialogSettings& settings) {
  std::unique_ptr<QFileDialog> dialog(MakeFileDialog(parent, settings));
  dialog->setAcceptMode(QFileDialog::AcceptSave);
  dialog->setFileMode(QFileDialog::AnyFile);
  if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) return {};
  const int filterIndex = dialog->nameFilters().indexOf(dialog->selectedNameFilter());
  return SaveChoice{dialog->selectedFiles().first(), std::max(filterIndex, 0)};
}

void QtUserDialogs::ShowModal(QDialog& dialog) {
  dialog.exec();
}

void QtUserDialogs::ShowPrintPreview(QWidget* owner, const std::function<void(QPrinter&)>& paint) {
  QPrinter printer(QPrinter::HighResolution);
  QPrintPreviewDialog preview(&printer, owner);
  QObject::connect(&preview, &QPrintPreviewDialog::paintRequested,
                   [&paint](QPrinter* target) { paint(*target); });
  preview.exec();
}
