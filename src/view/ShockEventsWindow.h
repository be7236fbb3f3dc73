// The window "События": the shock events of the selected interval in a
// sortable table, a summary line and a CSV copy of the table. A double-click
// on a row asks its owner to show that event on the chart. The table lists
// at most kShownEventsLimit events, the largest by |peak|; the summary still
// counts them all.
#pragma once

#include <QString>
#include <QWidget>
#include <cstddef>
#include <vector>

#include "analysis/ShockEvents.h"

class QLabel;
class QPushButton;
class QTableWidget;
class UserDialogs;

inline constexpr std::size_t kShownEventsLimit = 10'000;

class ShockEventsWindow : public QWidget {
  Q_OBJECT

 public:
  // A window of its own (not modal); `owner` keeps it alive.
  ShockEventsWindow(UserDialogs& dialogs, QWidget* owner);

  // The events found with `threshold` (m/s²) between `fromSeconds` and
  // `toSeconds`; `gValue` converts the peaks to g.
  void ShowEvents(ShockEventsResult result, double fromSeconds, double toSeconds, double threshold,
                  double gValue);
  // An empty table with one line that says why.
  void ShowNotice(const QString& line);

  // The event shown in a row of the table as it is sorted now.
  const ShockEvent& EventAtRow(int row) const;
  void SaveCsvClick();

  QLabel* Summary;
  QTableWidget* Table;
  QPushButton* SaveCsv;

 signals:
  void EventChosen(const ShockEvent& event);

 private:
  void FillTable();
  QString SummaryText(double fromSeconds, double toSeconds, double threshold) const;
  QString CsvText() const;

  UserDialogs& dialogs_;
  std::vector<ShockEvent> events_;
  std::vector<std::size_t> shown_;  // the events in the table, as indices into events_
  double gValue_ = 9.815;
};
