// The chart with all eight series over a full-capacity recording, in a
// 1153 × 704 widget: a repaint at full view and zoomed to one second, a
// crosshair move (which must not repaint the data), setting all eight
// series, the largest picture export, and the resident memory with
// everything shown.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFileInfo>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <memory>

#include "QtBenchmarkMain.h"
#include "ResidentMemory.h"
#include "model/Recording.h"
#include "view/ChartExportDialog.h"
#include "view/ChartHlp.h"
#include "view/ChartSurface.h"

namespace {

constexpr double kBoundLevel = 25.0;

// Logger-like signals: noise around the zero code, vibration bursts, a few
// shocks beyond the threshold, a slow temperature drift, integrated speeds.
void FillRecording(Recording& data) {
  const std::uint32_t n = Recording::kFullCapacity;
  data.SampleCount = n;
  std::uint32_t state = 12345;
  auto noise = [&state] {
    state = state * 1664525u + 1013904223u;
    return static_cast<double>(state >> 8) / static_cast<double>(1u << 24) - 0.5;
  };
  for (std::uint32_t i = 0; i < n; ++i) {
    const double burst = (i / 50000) % 7 == 3 ? 400.0 * std::sin(i * 0.3) : 0.0;
    const double shock = i % 250000 < 20 ? 9000.0 * std::sin(i % 250000 * 0.157) : 0.0;
    data.CodesX[i] = 32768.0 + 16.0 * noise() + burst + shock;
    data.CodesY[i] = 32768.0 + 16.0 * noise() + burst * 0.5;
    data.CodesZ[i] = 32768.0 + 16.0 * noise() - burst * 0.3;
    data.Temperature[i] = 20.0 + 5.0 * i / n;
    data.LinSpeedX[i + 1] = data.LinSpeedX[i] + (data.CodesX[i] - 32768.0) * 1e-6;
    data.VibroSpeedX[i + 1] = data.LinSpeedX[i + 1] - data.LinSpeedX[i / 1000 * 1000];
  }
  for (auto& axis : data.Calibration) axis.Gain = 9.815 / 16384.0;
}

struct ChartBench {
  Recording data;
  ChartSurface chart;
  TChartHelper helper;

  ChartBench() {
    FillRecording(data);
    for (int i = 1; i <= 8; ++i) chart.AddSeries(QStringLiteral("Series%1").arg(i));
    chart.resize(1153, 704);
    chart.show();
    helper.SetChart(&chart);
    ShowAll();
    Settle();
  }

  // Every series as the chart view fills it: points 1 … n − 1.
  void ShowAll() {
    const std::size_t count = data.SampleCount - 1;
    auto acceleration = [&](const Recording::Array& codes, const AxisCalibration& c) {
      return SampleSource{codes.get(), c.Gain, 0, 1, count, Recording::TimeStep, c.Code0g};
    };
    const SampleSource sources[8] = {
        {data.VibroSpeedX.get(), 1.0, 0.0, 1, count, Recording::TimeStep},
        acceleration(data.CodesX, data.Calibration[AxisX]),
        acceleration(data.CodesY, data.Calibration[AxisY]),
        acceleration(data.CodesZ, data.Calibration[AxisZ]),
        {data.Temperature.get(), 1.0, 0.0, 1, count, Recording::TimeStep},
        {data.LinSpeedX.get(), 1.0, 0.0, 1, count, Recording::TimeStep},
        {nullptr, 1.0, kBoundLevel, 1, count, Recording::TimeStep},
        {nullptr, 1.0, -kBoundLevel, 1, count, Recording::TimeStep},
    };
    for (int i = 0; i < 8; ++i) {
      chart.Series(i)->Clear();
      chart.Series(i)->Append(sources[i]);
    }
  }

  void Settle() {
    chart.Repaint();
    QApplication::processEvents();
  }

  void FullView() {
    chart.UndoZoom();
    chart.BottomAxis().SetAutomatic(true);
    chart.LeftAxis().SetAutomatic(true);
    Settle();
  }
};

// Widgets must go before the application object does.
std::unique_ptr<ChartBench> gBench;

ChartBench& Bench() {
  if (!gBench) gBench = std::make_unique<ChartBench>();
  return *gBench;
}

void BM_FullViewReplot(benchmark::State& state) {
  ChartBench& bench = Bench();
  bench.FullView();
  for (auto _ : state) bench.chart.Repaint();
  state.counters["target_ms"] = 50;
  state.counters["max_ratio"] = 1.0;
}
BENCHMARK(BM_FullViewReplot)->Unit(benchmark::kMillisecond);

// Reading every shown sample once: what a repaint without the block
// extremes would cost at the least.
void BM_FullViewReplot_Baseline(benchmark::State& state) {
  const Recording& data = Bench().data;
  for (auto _ : state) {
    for (const Recording::Array* array : {&data.VibroSpeedX, &data.CodesX, &data.CodesY,
                                          &data.CodesZ, &data.Temperature, &data.LinSpeedX}) {
      const auto [low, high] =
          std::minmax_element(array->get() + 1, array->get() + data.SampleCount);
      benchmark::DoNotOptimize(*low + *high);
    }
  }
}
BENCHMARK(BM_FullViewReplot_Baseline)->Unit(benchmark::kMillisecond);

void BM_ReplotZoomedToOneSecond(benchmark::State& state) {
  ChartBench& bench = Bench();
  bench.chart.BottomAxis().SetRange(700.0, 701.0);
  bench.Settle();
  for (auto _ : state) bench.chart.Repaint();
  bench.FullView();
  state.counters["target_ms"] = 10;
}
BENCHMARK(BM_ReplotZoomedToOneSecond)->Unit(benchmark::kMillisecond);

void BM_CrosshairMove(benchmark::State& state) {
  ChartBench& bench = Bench();
  bench.FullView();
  const QRect plot = bench.chart.PlotRect();
  const std::uint64_t draws = bench.chart.DataDrawCount();
  int step = 0;
  for (auto _ : state) {
    const QPoint at = plot.center() + QPoint(step % 200 - 100, step % 80 - 40);
    ++step;
    QMouseEvent move(QEvent::MouseMove, QPointF(at), QPointF(bench.chart.mapToGlobal(at)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&bench.chart, &move);
    QApplication::processEvents();  // the widget shows the new overlay
  }
  if (bench.chart.DataDrawCount() != draws)
    state.SkipWithError("a crosshair move repainted the data");
  state.counters["target_ms"] = 16;
}
BENCHMARK(BM_CrosshairMove)->Unit(benchmark::kMillisecond);

void BM_SetAllEightSeries(benchmark::State& state) {
  ChartBench& bench = Bench();
  for (auto _ : state) bench.ShowAll();
  bench.Settle();
  state.counters["target_ms"] = 40;
}
BENCHMARK(BM_SetAllEightSeries)->Unit(benchmark::kMillisecond);

// The largest picture the export dialog allows, saved through the file
// writer: drawn and encoded in memory, then handed to the writer. The
// baseline draws and encodes the same picture without saving it, so the
// ratio is what holding the bytes and writing them costs.
const QSize kLargestPicture(8000, 8000);

void BM_ExportLargestPicture(benchmark::State& state) {
  ChartBench& bench = Bench();
  bench.FullView();
  const QTemporaryDir folder;
  const QString path = folder.filePath(QStringLiteral("chart.png"));
  for (auto _ : state) {
    if (ExportChart(bench.chart, ChartExportFormat::Png, kLargestPicture, path)) {
      state.SkipWithError("the export failed");
    }
  }
  state.counters["file_mb"] = static_cast<double>(QFileInfo(path).size()) / (1 << 20);
  state.counters["max_ratio"] = 1.1;
}
BENCHMARK(BM_ExportLargestPicture)->Unit(benchmark::kMillisecond);

void BM_ExportLargestPicture_Baseline(benchmark::State& state) {
  ChartBench& bench = Bench();
  bench.FullView();
  for (auto _ : state) {
    benchmark::DoNotOptimize(bench.chart.Picture(ChartSurface::ExportFormat::Png, kLargestPicture));
  }
}
BENCHMARK(BM_ExportLargestPicture_Baseline)->Unit(benchmark::kMillisecond);

void BM_AllEightSeriesShown(benchmark::State& state) {
  ChartBench& bench = Bench();
  bench.ShowAll();
  bench.FullView();
  double megabytes = 0.0;
  for (auto _ : state) benchmark::DoNotOptimize(megabytes = ResidentMegabytes());
  state.counters["rss_mb"] = megabytes;
  state.counters["target_rss_mb"] = 450;
}
BENCHMARK(BM_AllEightSeriesShown)->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
  return RunQtBenchmarks(argc, argv, [] { gBench.reset(); });
}
