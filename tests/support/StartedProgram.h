// A started program under the offscreen platform, with its dialogs answered
// by a fake, and small helpers to read its controls.
#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <filesystem>
#include <memory>
#include <string>

#include "LoggerFileWriter.h"
#include "app/Startup.h"
#include "support/FakeUserDialogs.h"
#include "support/QtPrinters.h"
#include "view/CutoffDialog.h"
#include "view/PresetsDialog.h"

struct StartedProgram {
  explicit StartedProgram(int capacity = 200000)
      : windows(CreateProgramWindows(dialogs, capacity)) {
    form().show();
    form().activateWindow();
    // Shortcuts reach the active window only.
    EXPECT_TRUE(QTest::qWaitForWindowActive(&form()));
  }
  TMainForm& form() { return *windows->MainForm; }
  Recording& data() { return form().RecordingSession().Data(); }
  QString cell(int row, int column) { return form().ParamViews->item(row, column)->text(); }

  FakeUserDialogs dialogs;
  std::unique_ptr<ProgramWindows> windows;
};

// A file named `name` in a temporary folder of its own, removed with the
// object: runs that share a machine never meet.
class TempFile {
 public:
  explicit TempFile(const std::string& name)
      : path_(QFile::encodeName(folder_.filePath(QString::fromStdString(name))).toStdString()) {}
  TempFile(const std::string& name, const std::vector<std::uint8_t>& bytes) : TempFile(name) {
    loggen::WriteFile(path_, bytes);
  }
  QString path() const { return QString::fromStdString(path_); }
  std::string string() const { return path_; }

 private:
  QTemporaryDir folder_;
  std::string path_;
};

// A started program that has imported a logger file of these bytes, as a
// user would through the open dialog.
struct LoadedProgram : StartedProgram {
  explicit LoadedProgram(const std::vector<std::uint8_t>& bytes,
                         const std::string& name = "loaded.dat")
      : file(name, bytes) {
    form().ImportFileRoutine(file.path());
  }
  TempFile file;
};

inline std::vector<std::uint8_t> LoggerBytes(int blocks, std::uint32_t seed = 7, int shocks = 0) {
  loggen::LoggerFileOptions options;
  options.blocks = blocks;
  options.seed = seed;
  options.shocks = shocks;
  return loggen::MakeLoggerFile(options);
}
