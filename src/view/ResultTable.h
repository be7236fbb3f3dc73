// The tables of results in the analysis windows: one row per result, whole
// rows selected, sorted by clicking a header; a cell sorts by a number behind
// its text, not by the text, and keeps digits under digits; numbers use the
// program's decimal separator.
#pragma once

#include <QString>
#include <QTableWidgetItem>
#include <cstddef>
#include <span>

class QTableWidget;
class QWidget;

#include "text/NumberText.h"

class NumberItem : public QTableWidgetItem {
 public:
  static constexpr int kSortKeyRole = Qt::UserRole + 1;

  NumberItem(const QString& text, double key) : QTableWidgetItem(text) {
    setData(kSortKeyRole, key);
    setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
  }
  bool operator<(const QTableWidgetItem& other) const override {
    return data(kSortKeyRole).toDouble() < other.data(kSortKeyRole).toDouble();
  }
};

// A table with these column headers, sorted by its `sortColumn`; `tip`
// says what a double-click does.
QTableWidget* ResultTable(std::span<const char* const> headers, int sortColumn, const QString& name,
                          const QString& tip, QWidget* parent);

// The row's entry in the window's list of results, kept in one of its cells.
inline constexpr int kResultIndexRole = Qt::UserRole;

// What a cell without a value shows.
inline const QString kNoValue = QStringLiteral("—");

inline QString Fixed(double value, int decimals) {
  return QString::fromStdString(FormatFixed(value, 15, decimals));
}

inline QString General(double value) {
  return QString::fromStdString(FormatGeneral(value));
}

// Thousands apart by a blank: "10 000".
inline QString Grouped(std::size_t count) {
  QString text = QString::number(count);
  for (qsizetype at = text.size() - 3; at > 0; at -= 3) text.insert(at, u' ');
  return text;
}
