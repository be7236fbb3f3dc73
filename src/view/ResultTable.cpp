#include "view/ResultTable.h"

#include <QHeaderView>
#include <QStringList>
#include <QTableWidget>

QTableWidget* ResultTable(std::span<const char* const> headers, int sortColumn, const QString& name,
                          const QString& tip, QWidget* parent) {
  auto* table = new QTableWidget(0, static_cast<int>(headers.size()), parent);
  table->setObjectName(name);
  QStringList texts;
  for (const char* header : headers) texts << QString::fromUtf8(header);
  table->setHorizontalHeaderLabels(texts);
  table->verticalHeader()->hide();
  table->setSelectionBehavior(QAbstractItemView::SelectRows);
  table->setSelectionMode(QAbstractItemView::SingleSelection);
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->setSortingEnabled(true);
  table->sortByColumn(sortColumn, Qt::AscendingOrder);
  table->setToolTip(tip);
  return table;
}
