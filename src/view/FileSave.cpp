#include "view/FileSave.h"

#include <QFile>

#include "files/FileWriter.h"

ExportFailure SaveFile(const QString& path, const std::function<void(FileWriter&)>& write) {
  try {
    FileWriter file(QFile::encodeName(path).toStdString());
    write(file);
    file.Commit();
  } catch (const FileWriteError& failure) {
    return QString::fromUtf8(failure.what());
  }
  return std::nullopt;
}

ExportFailure SaveFile(const QString& path, std::string_view bytes) {
  return SaveFile(path, [bytes](FileWriter& file) { file.Write(bytes); });
}

QString WriteFailureText(const QString& path, const QString& reason) {
  return QString::fromStdString(
      WriteFailureMessage(QFile::encodeName(path).toStdString(), reason.toStdString()));
}
