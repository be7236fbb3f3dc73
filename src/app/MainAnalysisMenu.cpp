// The menu "Анализ": shock events and spectra, each in a window of its own
// that follows the interval whenever the parameters are computed.
#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>

#include "analysis/Interval.h"
#include "analysis/ShockEvents.h"
#include "app/Main.h"
#include "view/ChartHlp.h"
#include "view/ChartSurface.h"
#include "view/ShockEventsWindow.h"
#include "view/SpectraWindow.h"

// Built before "&Help", so it stands in front of it.
void TMainForm::BuildAnalysisMenu() {
  QMenu* menu = menuBar()->addMenu(QStringLiteral("Анализ"));
  menu->setObjectName(QStringLiteral("AnalysisMenu"));
  ShockEventsItem = menu->addAction(QStringLiteral("События по всем осям"));
  ShockEventsItem->setObjectName(QStringLiteral("ShockEventsItem"));
  connect(ShockEventsItem, &QAction::triggered, this,
          [this] { Run(&TMainForm::ShockEventsClick); });
  SpectraItem = menu->addAction(QStringLiteral("Спектр и ударный спектр"));
  SpectraItem->setObjectName(QStringLiteral("SpectraItem"));
  connect(SpectraItem, &QAction::triggered, this, [this] { Run(&TMainForm::SpectraItemClick); });
}

void TMainForm::SpectraItemClick() {
  if (spectraWindow_ == nullptr) spectraWindow_ = new SpectraWindow(*recording_, dialogs_, this);
  spectraWindow_->show();
  spectraWindow_->raise();
  RefreshSpectra(SelectedInterval());
}

void TMainForm::RefreshSpectra(std::optional<SampleInterval> interval) {
  if (spectraWindow_ == nullptr || !spectraWindow_->isVisible()) return;
  if (interval) spectraWindow_->Refresh(*interval);
}

void TMainForm::ShockEventsClick() {
  if (shockEventsWindow_ == nullptr) {
    shockEventsWindow_ = new ShockEventsWindow(dialogs_, this);
    connect(shockEventsWindow_, &ShockEventsWindow::EventChosen, this,
            [this](const ShockEvent& event) { ShowShockEvent(event); });
  }
  shockEventsWindow_->show();
  shockEventsWindow_->raise();
  shockEventsWindow_->activateWindow();
  RefreshShockEvents(SelectedInterval());
}

// The events of the interval the parameters were computed for, found with
// the presets threshold in m/s² whatever the chart shows.
void TMainForm::RefreshShockEvents(std::optional<SampleInterval> interval) {
  if (shockEventsWindow_ == nullptr || !shockEventsWindow_->isVisible()) return;
  const Recording& r = *recording_;
  if (!interval) {
    shockEventsWindow_->ShowNotice(QStringLiteral("Запись пуста: искать события не в чем."));
    return;
  }
  if (!(settings_.BoundLevel > 0)) {
    shockEventsWindow_->ShowNotice(
        QStringLiteral("Порог должен быть больше нуля. Задайте его в меню «Настройка» → "
                       "«Предустановки измерения»."));
    return;
  }
  const ShockSettings settings{settings_.BoundLevel, ShockSettings{}.Gap};
  shockEventsWindow_->ShowEvents(
      FindShockEvents(r, *interval, settings), interval->Start * Recording::TimeStep,
      interval->Stop * Recording::TimeStep, settings_.BoundLevel, r.GValue);
}

void TMainForm::ForgetAnalyses() {
  if (shockEventsWindow_ != nullptr) {
    shockEventsWindow_->ShowNotice(
        QStringLiteral("Запись изменилась. Нажмите F5 («Вычислить»), чтобы найти события заново."));
  }
  if (spectraWindow_ != nullptr) spectraWindow_->Forget();
}

// Three durations of margin on each side, and the section point on the peak
// as the chart draws that sample.
void TMainForm::ShowShockEvent(const ShockEvent& event) {
  const double margin = 3 * event.DurationSeconds();
  CHART->BottomAxis().SetRange(event.StartSeconds() - margin,
                               event.StartSeconds() + event.DurationSeconds() + margin);
  double value = event.Peak;
  if (event.Channel != ShockChannel::R) {
    const int axis = static_cast<int>(event.Channel);
    const std::array<const double*, 3> codes = {recording_->CodesX.get(), recording_->CodesY.get(),
                                                recording_->CodesZ.get()};
    const double code = codes[axis][event.PeakIndex];
    const double sign = settings_.Inverted ? -1.0 : 1.0;
    value = CodesMode() ? code : sign * Acceleration(code, recording_->Calibration[axis]);
  }
  ChartHelper->SetSection(ChartPoint{event.PeakSeconds(), value});
  CHART->Invalidate();
}
