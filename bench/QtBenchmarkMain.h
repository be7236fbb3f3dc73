// The main of a benchmark that needs widgets: an application on the offscreen
// platform, the registered benchmarks, then `release` frees the widgets
// before the application goes. What the windows keep between runs goes to a
// folder of the run's own, so a benchmark neither reads nor changes the
// user's.
#pragma once

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <functional>

inline int RunQtBenchmarks(int argc, char** argv, const std::function<void()>& release) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const QTemporaryDir settings;
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  release();
  return 0;
}
