#include "view/ShockEventsWindow.h"

#include <QAction>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStringList>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

#include "analysis/EventInterval.h"
#include "analysis/EventTables.h"
#include "analysis/ShockEventSelection.h"
#include "files/CsvTable.h"
#include "session/Session.h"
#include "ui/CommandRunner.h"
#include "ui/UserDialogs.h"
#include "view/DropsPage.h"
#include "view/FileSave.h"
#include "view/NumberEdit.h"
#include "view/ResultTable.h"

namespace {

enum Column { Channel, Start, Duration, PeakMs2, PeakG, DeltaV, ColumnCount };

const char* const kHeaders[ColumnCount] = {"Канал",     "Начало, с", "Длительность, мс",
                                           "Пик, м/с2", "Пик, g",    "ΔV, м/с"};
const QString kCsvFilter = QStringLiteral("CSV (*.csv)");

QString Milliseconds(const ShockEvent& e) {
  return General(static_cast<double>(e.Last - e.First + 1));
}

// Keys of the settings store.
const QString kGapKey = QStringLiteral("gap");
const QString kFallLevelKey = QStringLiteral("fallLevel");
const QString kMinFallKey = QStringLiteral("minFall");

// A typed gap that is not a whole number of samples within the limit
// becomes one beyond it, which the core's check refuses.
void SetGap(ShockSettings& s, double samples) {
  s.Gap = static_cast<std::uint32_t>(
      WholeWithin(samples, kLongestShockGap).value_or(kLongestShockGap + 1ull));
}

}  // namespace

ShockEventsWindow::ShockEventsWindow(const Session& session, UserDialogs& dialogs, QWidget* owner)
    : AnalysisWindow(session, dialogs, owner, QStringLiteral("ShockEventsWindow")) {
  setWindowTitle(QStringLiteral("События"));
  LoadSettings();
  Pages = new QTabWidget(this);
  Pages->setObjectName(QStringLiteral("Pages"));
  Pages->addTab(BuildEventsPage(), QStringLiteral("События"));
  DropPage = new DropsPage(Pages);
  Pages->addTab(DropPage, QStringLiteral("Падения"));
  IntervalButton = new QPushButton(QStringLiteral("Интервал по событию"), this);
  IntervalButton->setObjectName(QStringLiteral("IntervalButton"));
  IntervalButton->setToolTip(
      QStringLiteral("Интервал — выбранное событие с тремя его длительностями с каждой стороны"));
  IntervalAction = new QAction(IntervalButton->text(), this);

  auto* column = new QVBoxLayout(this);
  column->addWidget(BuildSettings());
  column->addWidget(Pages, 1);
  column->addWidget(IntervalButton, 0, Qt::AlignLeft);
  RestorePlace({760, 480});

  for (QTableWidget* table : {Table, DropPage->Table}) {
    table->installEventFilter(this);
    table->setContextMenuPolicy(Qt::ActionsContextMenu);
    table->addAction(IntervalAction);
    connect(table, &QTableWidget::cellDoubleClicked, this, [this, table](int row, int) {
      RunCommand(dialogs_, this, [this, table, row] { ChooseRow(*table, row); });
    });
    connect(table, &QTableWidget::itemSelectionChanged, this,
            &ShockEventsWindow::UpdateIntervalButton);
  }
  connect(Pages, &QTabWidget::currentChanged, this, &ShockEventsWindow::UpdateIntervalButton);
  const auto interval = [this] { RunCommand(dialogs_, this, [this] { IntervalClick(); }); };
  connect(IntervalButton, &QPushButton::clicked, this, interval);
  connect(IntervalAction, &QAction::triggered, this, interval);
  connect(SaveCsv, &QPushButton::clicked, this,
          [this] { RunCommand(dialogs_, this, [this] { SaveCsvClick(); }); });
  connect(DropPage->SaveCsv, &QPushButton::clicked, this,
          [this] { RunCommand(dialogs_, this, [this] { SaveDropsCsvClick(); }); });
  SaveCsv->setEnabled(false);  // until there are events
  UpdateIntervalButton();
}

QWidget* ShockEventsWindow::BuildEventsPage() {
  auto* page = new QWidget(this);
  Summary = new QLabel(page);
  Summary->setObjectName(QStringLiteral("Summary"));
  Summary->setWordWrap(true);
  Table =
      ResultTable(kHeaders, Start, QStringLiteral("ShockEventsTable"),
                  QStringLiteral("Двойной щелчок или Enter показывает событие на графике"), page);
  SaveCsv = new QPushButton(QStringLiteral("Сохранить CSV"), page);
  SaveCsv->setObjectName(QStringLiteral("SaveCsv"));
  auto* column = new QVBoxLayout(page);
  column->setContentsMargins(0, 0, 0, 0);
  column->addWidget(Summary);
  column->addWidget(Table, 1);
  column->addWidget(SaveCsv, 0, Qt::AlignRight);
  return page;
}

QWidget* ShockEventsWindow::BuildSettings() {
  auto* box = new QWidget(this);
  GapEdit = OptionEdit<ShockSettings>(
      shockSettings_, ShockSettingsError,
      [](const ShockSettings& s) { return static_cast<double>(s.Gap); }, SetGap,
      QStringLiteral("Разрыв внутри события"),
      [] { return QStringLiteral("целое число отсчётов от 0 до %1").arg(kLongestShockGap); },
      dialogs_, box);
  GapEdit->setToolTip(
      QStringLiteral("Выбросы, между которыми меньше спокойных отсчётов, — одно событие"));
  FallLevelEdit = OptionEdit<DropSettings>(
      dropSettings_, DropSettingsError, [](const DropSettings& s) { return s.FallLevel; },
      [](DropSettings& s, double v) { s.FallLevel = v; }, QStringLiteral("Уровень падения"),
      [] { return QStringLiteral("больше 0 и меньше 1 g"); }, dialogs_, box);
  FallLevelEdit->setToolTip(
      QStringLiteral("Отсчёт, где модуль ускорения ниже этой доли g, — свободное падение"));
  MinFallEdit = OptionEdit<DropSettings>(
      dropSettings_, DropSettingsError, [](const DropSettings& s) { return s.MinFall; },
      [](DropSettings& s, double v) { s.MinFall = v; },
      QStringLiteral("Наименьшая длительность падения"),
      [] { return QStringLiteral("не меньше 1 мс"); }, dialogs_, box);
  DefaultsButton = new QPushButton(QStringLiteral("По умолчанию"), box);
  DefaultsButton->setObjectName(QStringLiteral("DefaultsButton"));

  const LabelledEdit fields[] = {{"Разрыв, отсч.", GapEdit},
                                 {"Уровень падения, g", FallLevelEdit},
                                 {"Падение не короче, мс", MinFallEdit}};
  QHBoxLayout* line = LabelledEdits(fields, box);
  line->setContentsMargins(0, 0, 0, 0);
  box->setLayout(line);
  for (const LabelledEdit& field : fields) {
    connect(field.second, &NumberEdit::ValueAccepted, this,
            [this] { RunCommand(dialogs_, this, [this] { SettingAccepted(); }); });
  }
  line->addStretch(1);
  line->addWidget(DefaultsButton);
  connect(DefaultsButton, &QPushButton::clicked, this,
          [this] { RunCommand(dialogs_, this, [this] { Defaults(); }); });
  return box;
}

void ShockEventsWindow::LoadSettings() {
  SetGap(shockSettings_, KeptNumber(kGapKey, ShockSettings{}.Gap));
  if (ShockSettingsError(shockSettings_)) shockSettings_ = {};
  dropSettings_.FallLevel = KeptNumber(kFallLevelKey, dropSettings_.FallLevel);
  dropSettings_.MinFall = KeptNumber(kMinFallKey, dropSettings_.MinFall);
  if (DropSettingsError(dropSettings_)) dropSettings_ = {};
}

void ShockEventsWindow::KeepSettings() const {
  KeepNumber(kGapKey, shockSettings_.Gap);
  KeepNumber(kFallLevelKey, dropSettings_.FallLevel);
  KeepNumber(kMinFallKey, dropSettings_.MinFall);
}

void ShockEventsWindow::Defaults() {
  shockSettings_ = {};
  dropSettings_ = {};
  GapEdit->SetValue(shockSettings_.Gap);
  FallLevelEdit->SetValue(dropSettings_.FallLevel);
  MinFallEdit->SetValue(dropSettings_.MinFall);
  SettingAccepted();
}

void ShockEventsWindow::SettingAccepted() {
  KeepSettings();
  Refresh();
}

void ShockEventsWindow::ShowAnalysis(std::optional<SampleInterval> interval) {
  interval_ = interval;
  if (!interval) {
    ShowNotice(QStringLiteral("Запись пуста: искать события не в чем."));
    DropPage->ShowNotice(QStringLiteral("Запись пуста: искать падения не в чем."));
    return;
  }
  Refresh();
}

void ShockEventsWindow::ForgetRecording() {
  interval_.reset();
  ShowNotice(RecordingChangedNotice());
  DropPage->ShowNotice(RecordingChangedNotice());
}

// The events with the presets threshold and the window's gap, and the drops.
void ShockEventsWindow::Refresh() {
  if (!interval_) return;
  const double from = interval_->First * Recording::TimeStep;
  const double to = interval_->Last * Recording::TimeStep;
  const double gValue = session_.Data().GValue;
  const double threshold = session_.Settings().BoundLevel;
  if (threshold > 0) {
    ShowEvents(session_.Events(*interval_, {threshold, shockSettings_.Gap}), from, to, threshold,
               gValue);
  } else {
    ShowNotice(
        QStringLiteral("Порог должен быть больше нуля. Задайте его в меню «Настройка» → "
                       "«Предустановки измерения»."));
  }
  DropPage->ShowDrops(session_.Drops(*interval_, dropSettings_), from, to, dropSettings_);
}

void ShockEventsWindow::ChooseRow(const QTableWidget& table, int row) {
  if (&table == Table) {
    emit EventChosen(EventAtRow(row));
  } else {
    emit DropChosen(DropPage->DropAtRow(row));
  }
}

bool ShockEventsWindow::eventFilter(QObject* watched, QEvent* event) {
  auto* table = qobject_cast<QTableWidget*>(watched);
  if (table != nullptr && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && table->currentRow() >= 0) {
      const int row = table->currentRow();
      RunCommand(dialogs_, this, [this, table, row] { ChooseRow(*table, row); });
      return true;
    }
  }
  return AnalysisWindow::eventFilter(watched, event);
}

std::optional<int> ShockEventsWindow::SelectedRow() const {
  const QTableWidget* table = Pages->currentWidget() == DropPage ? DropPage->Table : Table;
  const QModelIndexList rows = table->selectionModel()->selectedRows();
  if (rows.isEmpty()) return std::nullopt;
  return rows.first().row();
}

void ShockEventsWindow::UpdateIntervalButton() {
  const bool selected = SelectedRow().has_value();
  IntervalButton->setEnabled(selected);
  IntervalAction->setEnabled(selected);
}

void ShockEventsWindow::IntervalClick() {
  const std::optional<int> row = SelectedRow();
  if (!row) return;
  const bool drop = Pages->currentWidget() == DropPage;
  const std::uint32_t first = drop ? DropPage->DropAtRow(*row).First : EventAtRow(*row).First;
  const std::uint32_t last = drop ? DropPage->DropAtRow(*row).Last : EventAtRow(*row).Last;
  const SampleInterval interval = IntervalAroundEvent(first, last, session_.Data().SampleCount);
  emit IntervalChosen(interval.First * Recording::TimeStep, interval.Last * Recording::TimeStep);
}

void ShockEventsWindow::ShowEvents(ShockEventsResult result, double fromSeconds, double toSeconds,
                                   double threshold, double gValue) {
  events_ = std::move(result.Events);
  shown_ = LargestShockEvents(events_, kShownEventsLimit);
  gValue_ = gValue;
  FillTable();
  Summary->setText(SummaryText(fromSeconds, toSeconds, threshold));
  SaveCsv->setEnabled(!events_.empty());
}

void ShockEventsWindow::ShowNotice(const QString& line) {
  events_.clear();
  shown_.clear();
  FillTable();
  Summary->setText(line);
  SaveCsv->setEnabled(false);
}

const ShockEvent& ShockEventsWindow::EventAtRow(int row) const {
  return events_.at(Table->item(row, Channel)->data(kResultIndexRole).toULongLong());
}

void ShockEventsWindow::FillTable() {
  Table->setSortingEnabled(false);  // rows would move while they are filled
  Table->setRowCount(static_cast<int>(shown_.size()));
  for (int row = 0; row < Table->rowCount(); ++row) {
    const std::size_t i = shown_[static_cast<std::size_t>(row)];
    const ShockEvent& e = events_[i];
    auto* channel = new NumberItem(QString::fromLatin1(ShockChannelName(e.Channel)),
                                   static_cast<double>(e.Channel));
    channel->setData(kResultIndexRole, static_cast<qulonglong>(i));
    channel->setTextAlignment(Qt::AlignCenter);
    Table->setItem(row, Channel, channel);
    // The found order, first sample then channel, breaks the ties of the start.
    Table->setItem(row, Start, new NumberItem(Fixed(e.StartSeconds(), 3), static_cast<double>(i)));
    Table->setItem(row, Duration, new NumberItem(Milliseconds(e), e.Last - e.First + 1.0));
    // Peaks sort by magnitude: a shock of −45 is larger than one of +30.
    Table->setItem(row, PeakMs2, new NumberItem(Fixed(e.Peak, 2), std::fabs(e.Peak)));
    Table->setItem(row, PeakG, new NumberItem(Fixed(e.Peak / gValue_, 2), std::fabs(e.Peak)));
    // The resultant has no velocity change; it sorts below every axis.
    Table->setItem(row, DeltaV,
                   e.DeltaV ? new NumberItem(Fixed(*e.DeltaV, 4), *e.DeltaV)
                            : new NumberItem(kNoValue, -HUGE_VAL));
  }
  Table->setSortingEnabled(true);
  Table->resizeColumnsToContents();
}

QString ShockEventsWindow::SummaryText(double fromSeconds, double toSeconds,
                                       double threshold) const {
  const QString where = QStringLiteral("Участок %1 – %2 с, порог %3 м/с2")
                            .arg(Fixed(fromSeconds, 3), Fixed(toSeconds, 3), General(threshold));
  if (events_.empty()) {
    return where + QStringLiteral(
                       ": ни на одной оси и ни по модулю ускорения порог не "
                       "достигнут, событий нет.");
  }
  std::array<int, kShockChannelCount> counts{};
  for (const ShockEvent& e : events_) ++counts[static_cast<int>(e.Channel)];
  QStringList perChannel;
  for (int c = 0; c < kShockChannelCount; ++c) {
    perChannel << QStringLiteral("%1 — %2")
                      .arg(ShockChannelName(static_cast<ShockChannel>(c)))
                      .arg(counts[c]);
  }
  // An axis names the shock better than the resultant, which at most adds a
  // little from the other axes.
  auto key = [](const ShockEvent& e) {
    return std::pair(e.Channel != ShockChannel::R, std::fabs(e.Peak));
  };
  const ShockEvent& largest =
      *std::max_element(events_.begin(), events_.end(),
                        [&](const ShockEvent& a, const ShockEvent& b) { return key(a) < key(b); });
  const QString shown = shown_.size() < events_.size()
                            ? QStringLiteral("\nпоказаны %1 из %2")
                                  .arg(Grouped(shown_.size()), Grouped(events_.size()))
                            : QString();
  return where +
         QStringLiteral(".\nСобытий: %1 (%2). Наибольший пик %3 м/с2 (%4 g), канал %5, в %6 с.")
             .arg(events_.size())
             .arg(perChannel.join(QStringLiteral(", ")), Fixed(largest.Peak, 2),
                  Fixed(largest.Peak / gValue_, 2),
                  QString::fromLatin1(ShockChannelName(largest.Channel)),
                  Fixed(largest.PeakSeconds(), 3)) +
         shown;
}

// The rows in the order the table shows them, in the program's one CSV convention.
void ShockEventsWindow::SaveCsvClick() {
  const auto path = AskSaveName(dialogs_, this, kCsvFilter, QStringLiteral("csv"));
  if (!path) return;
  std::vector<ShockEvent> rows;
  for (int row = 0; row < Table->rowCount(); ++row) rows.push_back(EventAtRow(row));
  const ExportFailure failure =
      Saved([&] { ::SaveCsv(SystemPath(*path), ShockEventsTable(rows, gValue_)); });
  if (failure) dialogs_.Error(this, *failure);
}

void ShockEventsWindow::SaveDropsCsvClick() {
  const auto path = AskSaveName(dialogs_, this, kCsvFilter, QStringLiteral("csv"));
  if (!path) return;
  const ExportFailure failure =
      Saved([&] { ::SaveCsv(SystemPath(*path), DropsTable(DropPage->ShownDrops())); });
  if (failure) dialogs_.Error(this, *failure);
}
