#include "view/DropsPage.h"

#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

#include "analysis/ShockEventSelection.h"
#include "view/ResultTable.h"

namespace {

enum Column { Start, Fall, Height, ImpactSpeed, ImpactMs2, ImpactG, ColumnCount };

const char* const kHeaders[ColumnCount] = {"Начало, с",           "Падение, мс", "Высота, см",
                                           "Скорость удара, м/с", "Удар, м/с2",  "Удар, g"};

QString Centimetres(const Drop& d) {
  return Fixed(d.HeightMeters * 100, 1);
}

QString FallMilliseconds(const Drop& d) {
  return General(d.Last - d.First + 1.0);
}

// The impact's cells; a drop the recording ends in has none and sorts below
// every impact.
NumberItem* ImpactItem(const Drop& d, double DropImpact::*peak) {
  if (!d.Impact) return new NumberItem(kNoValue, -1.0);
  return new NumberItem(Fixed((*d.Impact).*peak, 2), d.Impact->Peak);
}

}  // namespace

DropsPage::DropsPage(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("DropsPage"));
  Summary = new QLabel(this);
  Summary->setObjectName(QStringLiteral("DropSummary"));
  Summary->setWordWrap(true);
  Table = ResultTable(
      kHeaders, Start, QStringLiteral("DropsTable"),
      QStringLiteral("Двойной щелчок или Enter показывает падение и удар на графике"), this);
  SaveCsv = new QPushButton(QStringLiteral("Сохранить CSV"), this);
  SaveCsv->setObjectName(QStringLiteral("SaveDropsCsv"));
  SaveCsv->setEnabled(false);
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(0, 0, 0, 0);
  column->addWidget(Summary);
  column->addWidget(Table, 1);
  column->addWidget(SaveCsv, 0, Qt::AlignRight);
}

void DropsPage::ShowDrops(std::vector<Drop> drops, double fromSeconds, double toSeconds,
                          const DropSettings& settings) {
  drops_ = std::move(drops);
  shown_ = HighestDrops(drops_, kShownDropsLimit);
  FillTable();
  Summary->setText(SummaryText(fromSeconds, toSeconds, settings));
  SaveCsv->setEnabled(!drops_.empty());
}

void DropsPage::ShowNotice(const QString& line) {
  drops_.clear();
  shown_.clear();
  FillTable();
  Summary->setText(line);
  SaveCsv->setEnabled(false);
}

const Drop& DropsPage::DropAtRow(int row) const {
  return drops_.at(Table->item(row, Start)->data(kResultIndexRole).toULongLong());
}

std::vector<Drop> DropsPage::ShownDrops() const {
  std::vector<Drop> shown;
  for (int row = 0; row < Table->rowCount(); ++row) shown.push_back(DropAtRow(row));
  return shown;
}

void DropsPage::FillTable() {
  Table->setSortingEnabled(false);  // rows would move while they are filled
  Table->setRowCount(static_cast<int>(shown_.size()));
  for (int row = 0; row < Table->rowCount(); ++row) {
    const std::size_t i = shown_[static_cast<std::size_t>(row)];
    const Drop& d = drops_[i];
    auto* start = new NumberItem(Fixed(d.StartSeconds, 3), static_cast<double>(i));
    start->setData(kResultIndexRole, static_cast<qulonglong>(i));
    Table->setItem(row, Start, start);
    Table->setItem(row, Fall, new NumberItem(FallMilliseconds(d), d.Last - d.First + 1.0));
    Table->setItem(row, Height, new NumberItem(Centimetres(d), d.HeightMeters));
    Table->setItem(row, ImpactSpeed, new NumberItem(Fixed(d.ImpactSpeed, 2), d.ImpactSpeed));
    Table->setItem(row, ImpactMs2, ImpactItem(d, &DropImpact::Peak));
    Table->setItem(row, ImpactG, ImpactItem(d, &DropImpact::PeakG));
  }
  Table->setSortingEnabled(true);
  Table->resizeColumnsToContents();
}

QString DropsPage::SummaryText(double fromSeconds, double toSeconds,
                               const DropSettings& settings) const {
  const QString where = QStringLiteral("Участок %1 – %2 с, уровень падения %3 g, не короче %4 мс")
                            .arg(Fixed(fromSeconds, 3), Fixed(toSeconds, 3),
                                 General(settings.FallLevel), General(settings.MinFall));
  if (drops_.empty()) return where + QStringLiteral(": падений нет.");
  const Drop& highest = *std::max_element(
      drops_.begin(), drops_.end(),
      [](const Drop& a, const Drop& b) { return a.HeightMeters < b.HeightMeters; });
  const QString shown = shown_.size() < drops_.size()
                            ? QStringLiteral("\nпоказаны %1 из %2")
                                  .arg(Grouped(shown_.size()), Grouped(drops_.size()))
                            : QString();
  return where +
         QStringLiteral(
             ".\nПадений: %1. Самое высокое — %2 см (падение %3 мс, скорость удара "
             "%4 м/с) в %5 с.")
             .arg(drops_.size())
             .arg(Centimetres(highest), FallMilliseconds(highest), Fixed(highest.ImpactSpeed, 2),
                  Fixed(highest.StartSeconds, 3)) +
         shown;
}
