// The program's windows on a full-capacity recording imported as the user
// would, every curve shown.
#pragma once

#include <QAction>
#include <QFile>
#include <QTemporaryDir>
#include <memory>
#include <stdexcept>

#include "BenchRecording.h"
#include "LoggerFileWriter.h"
#include "app/Startup.h"
#include "ui/QtUserDialogs.h"
#include "view/ChartSurface.h"

struct FullWindow {
  QtUserDialogs dialogs;  // nothing the benchmarks do asks the user anything
  std::unique_ptr<ProgramWindows> windows = CreateProgramWindows(dialogs);
  TMainForm& form = *windows->MainForm;

  FullWindow() {
    const QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("bench_window.dat"));
    loggen::WriteFile(QFile::encodeName(path).toStdString(),
                      loggen::MakeLoggerFile(FullCapacityOptions()));
    form.show();
    form.ImportFileRoutine(path);
    if (form.RecordingSession().Data().SampleCount !=
        static_cast<std::uint32_t>(form.RecordingSession().Data().Capacity)) {
      throw std::runtime_error("the benchmark recording did not load in full");
    }
    for (QAction* item : {form.AccelY_line, form.AccelZ_line, form.Vibro_X_Line,
                          form.Temperature_line, form.Boundslevel_check}) {
      item->setChecked(true);
    }
    form.UpdateGraph();
    form.CHART->Repaint();
  }
};
