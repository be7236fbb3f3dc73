// The menu "Анализ": the analysis windows beside the chart, each of its own
// kind, made when first opened and following every calculation while shown.
#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "analysis/Baseline.h"
#include "app/Main.h"
#include "ui/CommandRunner.h"
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
}

AnalysisWindow* TMainForm::CreateAnalysisWindow(AnalysisKind kind) {
  if (kind == SpectraAnalysis) return new SpectraWindow(*session_, dialogs_, this);
  auto* events = new ShockEventsWindow(*session_, dialogs_, this);
  connect(events, &ShockEventsWindow::EventChosen, this,
          [this](const ShockEvent& event) { ShowShockEvent(event); });
  return events;
}

void TMainForm::OpenAnalysisWindow(AnalysisKind kind) {
  AnalysisWindow*& window = analysisWindows_[kind];
  if (window == nullptr) window = CreateAnalysisWindow(kind);
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

// Three durations of margin on each side, and the section point on the peak
// as the chart draws that sample.
void TMainForm::ShowShockEvent(const ShockEvent& event) {
  const double margin = 3 * event.DurationSeconds();
  CHART->BottomAxis().SetRange(event.StartSeconds() - margin,
                               event.StartSeconds() + event.DurationSeconds() + margin);
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
