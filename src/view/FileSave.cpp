#include "view/FileSave.h"

#include <QFile>

#include "files/FileWriter.h"
#include "ui/UserDialogs.h"

ExportFailure Saved(const std::function<void()>& write) {
  try {
    write();
  } catch (const FileWriteError& failure) {
    return QString::fromUtf8(failure.what());
  }
  return std::nullopt;
}

ExportFailure SaveFile(const QString& path, const std::function<void(FileWriter&)>& write) {
  return Saved([&] {
    FileWriter file(SystemPath(path));
    write(file);
    file.Commit();
  });
}

QString WriteFailureText(const QString& path, const QString& reason) {
  return QString::fromStdString(WriteFailureMessage(SystemPath(path), reason.toStdString()));
}

std::string SystemPath(const QString& path) {
  return QFile::encodeName(path).toStdString();
}

std::optional<QString> AskSaveName(UserDialogs& dialogs, QWidget* parent, const QString& filter,
                                   const QString& suffix) {
  const std::optional<SaveChoice> choice =
      dialogs.SaveFileName(parent, FileDialogSettings{filter, suffix, QString()});
  if (!choice || choice->path.isEmpty()) return std::nullopt;
  return choice->path;
}
