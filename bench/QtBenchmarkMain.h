// The main of a benchmark that needs widgets: an application on the offscreen
// platform, the registered benchmarks, then `release` frees the widgets
// before the application goes.
#pragma once

#include <benchmark/benchmark.h>

#include <QApplication>
#include <functional>

inline int RunQtBenchmarks(int argc, char** argv, const std::function<void()>& release) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  release();
  return 0;
}
