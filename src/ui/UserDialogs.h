// Every message box, file dialog, modal window and print preview goes through
// this interface, so that tests can answer them without a person.
#pragma once

#include <QString>
#include <functional>
#include <optional>

class QDialog;
class QPrinter;
class QWidget;

struct FileDialogSettings {
  QString filter;         // Qt form, e.g. "Torvik bin files (*.dat)"
  QString defaultSuffix;  // without the dot
  QString initialFolder;
};

struct SaveChoice {
  QString path;
  int filterIndex = 0;  // 0 = the first filter
};

class UserDialogs {
 public:
  virtual ~UserDialogs() = default;

  virtual void Warning(QWidget* parent, const QString& text) = 0;  // warning icon, OK
  virtual void Error(QWidget* parent, const QString& text) = 0;    // error icon, OK
  virtual void Message(QWidget* parent, const QString& text) = 0;  // plain box, OK
  // The application's standard error box: stop icon, OK, the program's title.
  virtual void ErrorBox(QWidget* parent, const QString& text) = 0;

  // Empty when the user cancels.
  virtual QString OpenFileName(QWidget* parent, const FileDialogSettings& settings) = 0;
  virtual std::optional<SaveChoice> SaveFileName(QWidget* parent,
                                                 const FileDialogSettings& settings) = 0;

  // Shows a dialog modally and returns when the user has closed it.
  virtual void ShowModal(QDialog& dialog) = 0;

  // The print preview: `paint` draws the report onto the printer it is given.
  virtual void ShowPrintPreview(QWidget* owner, const std::function<void(QPrinter&)>& paint) = 0;
};

// The title of the program's own boxes.
inline const QString kApplicationTitle = QStringLiteral("TORVIK 3-Axis");
