// The page "Падения" of the window "События": the drops of the interval in
// a sortable table (start, fall time, height, impact speed and impact) and a
// summary line that counts them and names the highest, and a button to save
// the table as CSV. The table lists at most kShownDropsLimit drops, the
// highest; the summary counts them all.
#pragma once

#include <QString>
#include <QWidget>
#include <cstddef>
#include <vector>

#include "analysis/Drops.h"

class QLabel;
class QPushButton;
class QTableWidget;

inline constexpr std::size_t kShownDropsLimit = 10'000;

class DropsPage : public QWidget {
  Q_OBJECT

 public:
  explicit DropsPage(QWidget* parent);

  // The drops found between `fromSeconds` and `toSeconds` with `settings`.
  void ShowDrops(std::vector<Drop> drops, double fromSeconds, double toSeconds,
                 const DropSettings& settings);
  // An empty table with one line that says why.
  void ShowNotice(const QString& line);

  // The drop shown in a row of the table as it is sorted now.
  const Drop& DropAtRow(int row) const;
  // The drops in the order the table shows them.
  std::vector<Drop> ShownDrops() const;

  QLabel* Summary;
  QTableWidget* Table;
  QPushButton* SaveCsv;  // enabled while there are drops

 private:
  void FillTable();
  QString SummaryText(double fromSeconds, double toSeconds, const DropSettings& settings) const;

  std::vector<Drop> drops_;
  std::vector<std::size_t> shown_;  // the drops in the table, as indices into drops_
};
