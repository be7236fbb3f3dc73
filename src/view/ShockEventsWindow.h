// The window "События": on its first page the shock events of the selected
// interval in a sortable table, a summary line and a CSV copy of the table;
// on its second, "Падения", the drops, likewise. A double-click or Enter on a row asks
// its owner to show that event or drop on the chart; "Интервал по событию"
// asks it to take the selected one, with margins, as the interval. The
// events table lists at most kShownEventsLimit events, the largest by
// |peak|; the summary still counts them all. The gap that joins events and
// the drop settings are the window's own and kept between runs; the
// threshold is the presets'.
#pragma once

#include <QString>
#include <cstddef>
#include <optional>
#include <vector>

#include "analysis/Drops.h"
#include "analysis/ShockEvents.h"
#include "view/AnalysisWindow.h"

class DropsPage;
class NumberEdit;
class QAction;
class QLabel;
class QPushButton;
class QTabWidget;
class QTableWidget;

inline constexpr std::size_t kShownEventsLimit = 10'000;

class ShockEventsWindow : public AnalysisWindow {
  Q_OBJECT

 public:
  ShockEventsWindow(const Session& session, UserDialogs& dialogs, QWidget* owner);

  // The events of the interval, found with the presets threshold in m/s²
  // whatever the chart shows, and its drops.
  void ShowAnalysis(std::optional<SampleInterval> interval) override;
  void ForgetRecording() override;

  // The event shown in a row of the table as it is sorted now.
  const ShockEvent& EventAtRow(int row) const;
  // The table of the events page, or of the drops page, as shown, to a CSV file.
  void SaveCsvClick();
  void SaveDropsCsvClick();
  // The selected event, or drop on the page of drops, with three durations
  // of margin on each side within the recording, as the interval.
  void IntervalClick();

  // The settings in force.
  std::uint32_t Gap() const { return shockSettings_.Gap; }
  const DropSettings& Drops() const { return dropSettings_; }

  QTabWidget* Pages;  // events, drops
  QLabel* Summary;
  QTableWidget* Table;
  QPushButton* SaveCsv;
  DropsPage* DropPage;
  NumberEdit* GapEdit;
  NumberEdit* FallLevelEdit;
  NumberEdit* MinFallEdit;
  QPushButton* DefaultsButton;  // "По умолчанию"
  QPushButton* IntervalButton;  // "Интервал по событию"
  QAction* IntervalAction;      // the same in the tables' context menu

 signals:
  void EventChosen(const ShockEvent& event);
  void DropChosen(const Drop& drop);
  void IntervalChosen(double startSeconds, double stopSeconds);

 protected:
  // Enter on a row does what a double-click does.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* BuildSettings();
  QWidget* BuildEventsPage();
  void LoadSettings();
  void KeepSettings() const;
  void Defaults();
  void SettingAccepted();
  void ChooseRow(const QTableWidget& table, int row);
  // The selected row of the page in front, or none.
  std::optional<int> SelectedRow() const;
  void UpdateIntervalButton();
  void Refresh();
  void ShowEvents(ShockEventsResult result, double fromSeconds, double toSeconds, double threshold,
                  double gValue);
  // An empty table with one line that says why.
  void ShowNotice(const QString& line);
  void FillTable();
  QString SummaryText(double fromSeconds, double toSeconds, double threshold) const;

  ShockSettings shockSettings_;  // the threshold is the presets' at every refresh
  DropSettings dropSettings_;
  std::optional<SampleInterval> interval_;
  std::vector<ShockEvent> events_;
  std::vector<std::size_t> shown_;  // the events in the table, as indices into events_
  double gValue_ = 9.815;
};
