// The window "События": the shock events of the selected interval in a
// sortable table, a summary line and a CSV copy of the table. A double-click
// on a row asks its owner to show that event on the chart. The table lists
// at most kShownEventsLimit events, the largest by |peak|; the summary still
// counts them all.
#pragma once

#include <QString>
#include <cstddef>
#include <vector>

#include "analysis/ShockEvents.h"
#include "view/AnalysisWindow.h"

class QLabel;
class QPushButton;
class QTableWidget;

inline constexpr std::size_t kShownEventsLimit = 10'000;

class ShockEventsWindow : public AnalysisWindow {
  Q_OBJECT

 public:
  ShockEventsWindow(const Session& session, UserDialogs& dialogs, QWidget* owner);

  // The events of the interval, found with the presets threshold in m/s²
  // whatever the chart shows.
  void ShowAnalysis(std::optional<SampleInterval> interval) override;
  void ForgetRecording() override;

  // The event shown in a row of the table as it is sorted now.
  const ShockEvent& EventAtRow(int row) const;
  void SaveCsvClick();

  QLabel* Summary;
  QTableWidget* Table;
  QPushButton* SaveCsv;

 signals:
  void EventChosen(const ShockEvent& event);

 private:
  // The events found with `threshold` (m/s²) between `fromSeconds` and
  // `toSeconds`; `gValue` converts the peaks to g.
  void ShowEvents(ShockEventsResult result, double fromSeconds, double toSeconds, double threshold,
                  double gValue);
  // An empty table with one line that says why.
  void ShowNotice(const QString& line);
  void FillTable();
  QString SummaryText(double fromSeconds, double toSeconds, double threshold) const;
  QString CsvText() const;

  std::vector<ShockEvent> events_;
  std::vector<std::size_t> shown_;  // the events in the table, as indices into events_
  double gValue_ = 9.815;
};
