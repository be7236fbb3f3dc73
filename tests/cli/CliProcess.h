// The command-line tool run as a process (also measured, as the system sees
// it), and a generated logger file in a folder of its own that is removed with it.
#pragma once

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QByteArray>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <chrono>
#include <string>
#include <vector>

#include "LoggerFileWriter.h"
#include "model/Recording.h"
#include "session/Session.h"

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

// A second-order Butterworth lowpass at 10 Hz of a 1000 Hz stream.
inline const QStringList kLowpass = {"filter",  "--kind",  "butterworth", "--response",
                                     "lowpass", "--order", "2",           "--f1",
                                     "10",      "--rate",  "1000"};

// Ten seconds with shocks beyond ±25 m/s².
inline loggen::LoggerFileOptions ShockOptions() {
  loggen::LoggerFileOptions options;
  options.blocks = 500;
  options.shocks = 4;
  options.seed = 11;
  return options;
}

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

// A run of the tool with its standard input on `input` (-1: closed) and its
// output in `outputPath`, with what the system measured of the process.
struct MeasuredRun {
  int exitCode = -1;
  std::string err;
  long peakKilobytes = 0;  // the child's peak resident memory
  double seconds = 0;      // wall time
};

inline MeasuredRun RunCliMeasured(const std::vector<std::string>& arguments, int input,
                                  const std::string& outputPath) {
  std::vector<std::string> words{TORVIK_CLI_PATH};
  words.insert(words.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  const std::string errorPath = outputPath + ".err";
  const auto start = std::chrono::steady_clock::now();
  const pid_t child = ::fork();
  if (child == 0) {  // only calls that are safe between fork and exec
    const int out = ::open(outputPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int err = ::open(errorPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (out < 0 || err < 0 || ::dup2(out, 1) < 0 || ::dup2(err, 2) < 0) ::_exit(126);
    if (input < 0) ::close(0);
    if (input >= 0 && ::dup2(input, 0) < 0) ::_exit(126);
    ::execv(argv[0], argv.data());
    ::_exit(127);
  }
  MeasuredRun run;
  int status = 0;
  rusage usage{};
  if (child < 0 || ::wait4(child, &status, 0, &usage) != child) return run;
  run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.peakKilobytes = usage.ru_maxrss;
  QFile errors(QString::fromStdString(errorPath));
  if (errors.open(QIODevice::ReadOnly)) run.err = errors.readAll().toStdString();
  return run;
}

// A logger file written by the generator, and the session that loaded it:
// the recording the import makes of it.
struct GeneratedLoggerFile {
  explicit GeneratedLoggerFile(const loggen::LoggerFileOptions& options,
                               int capacity = Recording::kFullCapacity)
      : session(capacity) {
    loggen::WriteFile(path, loggen::MakeLoggerFile(options));
    EXPECT_TRUE(session.LoadLoggerFile(path).Loaded());
  }
  // A name beside the file, removed with it; `name` is used as the bytes given.
  std::string TempPath(const std::string& name) const {
    return QFile::encodeName(folder.path()).toStdString() + "/" + name;
  }

  QTemporaryDir folder;
  const std::string path = TempPath("logger.dat");
  const QString file = QString::fromStdString(path);
  Session session;
  Recording& recording = session.Data();
};
