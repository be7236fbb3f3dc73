// The command-line tool run as a process, and a generated logger file in a
// folder of its own that is removed with it.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <string>
#include <vector>

#include "LoggerFileWriter.h"
#include "analysis/DerivedData.h"
#include "app/Recording.h"
#include "files/LoggerFile.h"

struct CliResult {
  int exitCode;
  QByteArray out;
  QByteArray err;
  // One JSON object per line of the output.
  std::vector<QJsonObject> objects() const {
    std::vector<QJsonObject> list;
    for (const QByteArray& line : out.split('\n')) {
      if (!line.isEmpty()) list.push_back(QJsonDocument::fromJson(line).object());
    }
    return list;
  }
};

// `input` goes to the tool's stdin; its stdout goes to `outputFile` when given.
inline CliResult RunCli(const QStringList& arguments, const QByteArray& input = {},
                        const QString& outputFile = {}) {
  QProcess process;
  if (!outputFile.isEmpty()) process.setStandardOutputFile(outputFile);
  process.start(TORVIK_CLI_PATH, arguments);
  process.write(input);
  process.closeWriteChannel();
  process.waitForFinished(60000);
  return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

// A logger file written by the generator, and the recording the import makes
// of it.
struct GeneratedLoggerFile {
  explicit GeneratedLoggerFile(const loggen::LoggerFileOptions& options,
                               int capacity = Recording::kFullCapacity)
      : recording(capacity) {
    const auto bytes = loggen::MakeLoggerFile(options);
    loggen::WriteFile(path, bytes);
    DecodeLoggerFile(bytes, recording);
    DerivedData(recording).SamplesLoaded();
  }
  // A name beside the file, removed with it; `name` is used as the bytes given.
  std::string TempPath(const std::string& name) const {
    return QFile::encodeName(folder.path()).toStdString() + "/" + name;
  }

  QTemporaryDir folder;
  const std::string path = TempPath("logger.dat");
  const QString file = QString::fromStdString(path);
  Recording recording;
};
