// The window "События" refreshed on a crafted full-capacity recording with
// 500,000 events at the default threshold: a one-sample spike every 12
// samples on X, Y and Z at once, so each spike is an event on every axis and
// on the resultant. The baseline is the search alone on the same recording:
// what the refresh costs beyond it is the window's table and summary.
#include <benchmark/benchmark.h>

#include <QAction>
#include <QLabel>
#include <QTableWidget>
#include <array>
#include <memory>
#include <stdexcept>

#include "QtBenchmarkMain.h"
#include "analysis/DerivedData.h"
#include "analysis/ShockEvents.h"
#include "app/Startup.h"
#include "ui/QtUserDialogs.h"
#include "view/ShockEventsWindow.h"

namespace {

constexpr std::uint32_t kSpikeEvery = 12;
constexpr double kSpike = 100.0;  // m/s² above the quiet level, far beyond the threshold

struct EventsBench {
  QtUserDialogs dialogs;  // the refresh asks the user nothing
  std::unique_ptr<ProgramWindows> windows = CreateProgramWindows(dialogs);
  TMainForm& form = *windows->MainForm;
  SampleInterval whole{};

  EventsBench() {
    Recording& r = form.RecordingSession().Data();
    const std::array<double*, 3> codes = {r.CodesX.get(), r.CodesY.get(), r.CodesZ.get()};
    for (int axis = 0; axis < 3; ++axis) {
      const AxisCalibration& c = r.Calibration[axis];
      for (int i = 0; i < r.Capacity; ++i) {
        codes[axis][i] = c.Code0g + (i % kSpikeEvery == 0 ? kSpike : 0.0) / c.Gain;
      }
    }
    r.SampleCount = static_cast<std::uint32_t>(r.Capacity);
    form.RecordingSession().SamplesWritten();
    whole = {0, r.SampleCount - 1};
    form.SelectInterval(0.000, 1499.999);
    form.show();
    form.ShockEventsItem->trigger();
    if (form.findChild<ShockEventsWindow*>()->Table->rowCount() !=
        static_cast<int>(kShownEventsLimit)) {
      throw std::runtime_error("the crafted recording did not fill the events table");
    }
  }
};

std::unique_ptr<EventsBench> gBench;  // widgets must go before the application

EventsBench& Bench() {
  if (!gBench) gBench = std::make_unique<EventsBench>();
  return *gBench;
}

void BM_ShockEventsWindowRefresh(benchmark::State& state) {
  EventsBench& bench = Bench();
  ShockEventsWindow& window = *bench.form.findChild<ShockEventsWindow*>();
  for (auto _ : state) window.ShowAnalysis(bench.whole);
  const ShockEventsResult counted =
      FindShockEvents(bench.form.RecordingSession().Data(), bench.whole, {});
  state.counters["events"] = static_cast<double>(counted.Events.size());
  state.counters["target_ms"] = 500;
}

void BM_ShockEventsWindowRefresh_Baseline(benchmark::State& state) {
  EventsBench& bench = Bench();
  for (auto _ : state) {
    const ShockEventsResult result =
        FindShockEvents(bench.form.RecordingSession().Data(), bench.whole, {});
    benchmark::DoNotOptimize(result.Events.data());
  }
}

}  // namespace

BENCHMARK(BM_ShockEventsWindowRefresh)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ShockEventsWindowRefresh_Baseline)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
  return RunQtBenchmarks(argc, argv, [] { gBench.reset(); });
}
