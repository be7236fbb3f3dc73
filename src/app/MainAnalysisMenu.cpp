// The menu "Анализ": the analysis windows beside the chart, each of its own
// kind, made when first opened and following every calculation while shown.
#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "analysis/Baseline.h"
#include "analysis/EventInterval.h"
#include "app/Main.h"
#include "ui/CommandRunner.h"
#include "view/ChartFit.h"
#include "view/ChartHlp.h"
#include "view/ChartSurface.h"
#include "view/ShockEventsWindow.h"
#include "view/SpectraWindow.h"

namespace {

struct AnalysisItem {
  const char* name;
  const char* caption;
};

// In the order of the menu, one per kind.
constexpr std::array<AnalysisItem, TMainForm::AnalysisKindCount> kAnalysisItems = {{
    {"ShockEventsItem", "События по всем осям"},
    {"SpectraItem", "Спектр и ударный спектр"},
}};

}  // namespace

// Built before "&Help", so it stands in front of it.
void TMainForm::BuildAnalysisMenu() {
  QMenu* menu = menuBar()->addMenu(QStringLiteral("Анализ"));
  menu->setObjectName(QStringLiteral("AnalysisMenu"));
  std::array<QAction*, AnalysisKindCount> items{};
  for (int kind = 0; kind < AnalysisKindCount; ++kind) {
    items[kind] = menu->addAction(QString::fromUtf8(kAnalysisItems[kind].caption));
    items[kind]->setObjectName(QString::fromLatin1(kAnalysisItems[kind].name));
    connect(items[kind], &QAction::triggered, this, [this, kind] {
      RunCommand(dialogs_, this, [this, kind] { OpenAnalysisWindow(AnalysisKind(kind)); });
    });
  }
  ShockEventsItem = items[ShockEventsAnalysis];
  SpectraItem = items[SpectraAnalysis];
  menu->addSeparator();
  IntervalItem = menu->addAction(QStringLiteral("Интервал…"));
  IntervalItem->setObjectName(QStringLiteral("IntervalItem"));
  IntervalItem->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_I));
  connect(IntervalItem, &QAction::triggered, this, [this] { Run(&TMainForm::IntervalClick); });
  IntervalDataExportItem = menu->addAction(QStringLiteral("Экспорт данных интервала…"));
  IntervalDataExportItem->setObjectName(QStringLiteral("IntervalDataExportItem"));
  connect(IntervalDataExportItem, &QAction::triggered, this,
          [this] { Run(&TMainForm::IntervalDataExportClick); });
}

AnalysisWindow* TMainForm::CreateAnalysisWindow(AnalysisKind kind) {
  if (kind == SpectraAnalysis) return new SpectraWindow(*session_, dialogs_, this);
  auto* events = new ShockEventsWindow(*session_, dialogs_, this);
  connect(events, &ShockEventsWindow::EventChosen, this,
          [this](const ShockEvent& event) { ShowShockEvent(event); });
  connect(events, &ShockEventsWindow::DropChosen, this,
          [this](const Drop& drop) { ShowDrop(drop); });
  connect(
      events, &ShockEventsWindow::IntervalChosen, this,
      [this](double startSeconds, double stopSeconds) { HoldInterval(startSeconds, stopSeconds); });
  return events;
}

AnalysisWindow& TMainForm::AnalysisWindowOf(AnalysisKind kind) {
  AnalysisWindow*& window = analysisWindows_[kind];
  if (window == nullptr) window = CreateAnalysisWindow(kind);
  return *window;
}

void TMainForm::OpenAnalysisWindow(AnalysisKind kind) {
  AnalysisWindow* window = &AnalysisWindowOf(kind);
  window->show();
  window->raise();
  window->activateWindow();
  const auto measured = session_->MeasuredInterval();
  window->ShowAnalysis(measured ? std::optional(measured->Interval) : std::nullopt);
}

void TMainForm::ShowAnalyses(std::optional<SampleInterval> interval) {
  for (AnalysisWindow* window : analysisWindows_) {
    if (window != nullptr && window->isVisible()) window->ShowAnalysis(interval);
  }
}

void TMainForm::ForgetAnalyses() {
  for (AnalysisWindow* window : analysisWindows_) {
    if (window != nullptr) window->ForgetRecording();
  }
}

// Ticks the items of the curves in "Вид" that are not shown, and draws them
// in one redraw.
void TMainForm::ShowCurves(std::initializer_list<QAction*> items) {
  bool ticked = false;
  for (QAction* item : items) {
    if (item->isChecked()) continue;
    item->setChecked(true);
    ticked = true;
  }
  if (ticked) UpdateGraph();
}

// An event of a hidden curve shows that curve, as ticking its item in "Вид"
// would; then three durations of margin on each side, and the section
// point on the peak as the chart draws that sample.
void TMainForm::ShowShockEvent(const ShockEvent& event) {
  if (event.Channel != ShockChannel::R) {
    ShowCurves(
        {std::array{AccelX_line, AccelY_line, AccelZ_line}[static_cast<int>(event.Channel)]});
  }
  const double margin = kEventMarginDurations * event.DurationSeconds();
  ZoomOnto(event.StartSeconds() - margin, event.StartSeconds() + event.DurationSeconds() + margin);
  double value = event.Peak;
  if (event.Channel != ShockChannel::R) {
    const Recording& r = session_->Data();
    const int axis = static_cast<int>(event.Channel);
    const double code = AxisCodes(r, axis)[event.PeakIndex];
    const AnalysisSettings& settings = session_->Settings();
    const double sign = settings.Inverted ? -1.0 : 1.0;
    value = settings.CodesMode ? code : sign * Acceleration(code, r.Calibration[axis]);
  }
  ChartHelper->SetSection(ChartPoint{event.PeakSeconds(), value});
  CHART->Invalidate();
}

// The three axes, whose magnitude finds a drop, over the fall and the
// stretch its impact was looked for in, with a quarter of their length on
// each side.
void TMainForm::ShowDrop(const Drop& drop) {
  ShowCurves({AccelX_line, AccelY_line, AccelZ_line});
  const SampleInterval stretch = FallAndImpact(drop, session_->Data().SampleCount);
  const double from = stretch.First * Recording::TimeStep;
  const double to = stretch.Last * Recording::TimeStep;
  const double margin = (to - from) / 4;
  ZoomOnto(from - margin, to + margin);
}

// The time axis onto from … to, and the value axis fitted to what the
// shown curves take there: a zoom that "Вместить всё" and a new recording
// take back, as a mouse zoom.
void TMainForm::ZoomOnto(double fromSeconds, double toSeconds) {
  CHART->ZoomOnto({fromSeconds, toSeconds}, ValueRangeBetween(*CHART, fromSeconds, toSeconds));
}
