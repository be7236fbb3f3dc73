#include "cli/CliInput.h"

#include <QFile>
#include <string_view>

#include "analysis/NumberText.h"
#include "files/CodesTextFile.h"
#include "files/LoggerFile.h"

namespace {

QString Text(const std::string& text) {
  return QString::fromStdString(text);
}

}  // namespace

std::optional<LoadedFile> LoadRecording(const QString& path, QString& message) {
  const FileReadResult file = ReadWholeFile(QFile::encodeName(path).toStdString());
  if (file.status != FileReadStatus::Ok) {
    message = Text(ImportMessage(file.status));
    return std::nullopt;
  }
  LoadedFile loaded{std::make_unique<Recording>(), QString()};
  if (path.endsWith(QStringLiteral(".dat"), Qt::CaseInsensitive)) {
    const LoggerImportResult result = DecodeLoggerFile(file.bytes, *loaded.recording);
    if (result.status != LoggerImportStatus::Loaded) {
      message = Text(ImportMessage(result));
      return std::nullopt;
    }
    loaded.warning = Text(ImportMessage(result));
    return loaded;
  }
  try {
    const std::string_view text(reinterpret_cast<const char*>(file.bytes.data()),
                                file.bytes.size());
    const CodesTextResult result = ReadCodesText(text, *loaded.recording);
    if (result.status != CodesTextStatus::Loaded) {
      message = Text(CodesTextMessage(result));
      return std::nullopt;
    }
    loaded.warning = Text(CodesTextMessage(result));
  } catch (const ConversionError& error) {
    message = QString::fromUtf8(error.what());
    return std::nullopt;
  }
  return loaded;
}
