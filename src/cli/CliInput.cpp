#include "cli/CliInput.h"

#include <cctype>

#include "analysis/DerivedData.h"
#include "files/CodesTextFile.h"
#include "files/LoggerFile.h"
#include "text/NumberText.h"

namespace {

QString Text(const std::string& text) {
  return QString::fromStdString(text);
}

bool IsLoggerFileName(const std::string& path) {
  if (path.size() < 4) return false;
  std::string extension = path.substr(path.size() - 4);
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return extension == ".dat";
}

std::optional<LoadedFile> LoadLoggerFile(const std::string& path, QString& message) {
  LoadedFile loaded{std::make_unique<Recording>(), QString()};
  const LoggerFileRead file = ReadLoggerFile(path, loaded.recording->Capacity);
  if (file.status != FileReadStatus::Ok) {
    message = Text(ImportMessage(file.status));
    return std::nullopt;
  }
  const LoggerImportResult result = DecodeLoggerFile(file.View(), *loaded.recording);
  if (result.status != LoggerImportStatus::Loaded) {
    message = Text(ImportMessage(result));
    return std::nullopt;
  }
  DerivedData(*loaded.recording).SamplesLoaded();
  loaded.warning = Text(ImportMessage(result));
  return loaded;
}

}  // namespace

std::optional<LoadedFile> LoadRecording(const std::string& path, QString& message) {
  if (IsLoggerFileName(path)) return LoadLoggerFile(path, message);
  LoadedFile loaded{std::make_unique<Recording>(), QString()};
  try {
    const CodesTextFileRead file = ReadCodesTextFile(path, *loaded.recording);
    if (file.status != FileReadStatus::Ok) {
      message = Text(ImportMessage(file.status));
      return std::nullopt;
    }
    const CodesTextResult& result = file.result;
    if (result.status != CodesTextStatus::Loaded) {
      message = Text(CodesTextMessage(result));
      return std::nullopt;
    }
    DerivedData(*loaded.recording).SamplesLoaded();
    loaded.warning = Text(CodesTextMessage(result));
  } catch (const ConversionError& error) {
    message = QString::fromUtf8(error.what());
    return std::nullopt;
  }
  return loaded;
}
