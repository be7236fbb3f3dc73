#include "view/ShockEventsWindow.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStringList>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <utility>

#include "analysis/ShockEventSelection.h"
#include "session/Session.h"
#include "text/NumberText.h"
#include "ui/CommandRunner.h"
#include "ui/UserDialogs.h"
#include "view/FileSave.h"

namespace {

enum Column { Channel, Start, Duration, PeakMs2, PeakG, DeltaV, ColumnCount };

const char* const kHeaders[ColumnCount] = {"Канал",     "Начало, с", "Длительность, мс",
                                           "Пик, м/с2", "Пик, g",    "ΔV, м/с"};

constexpr int kEventIndexRole = Qt::UserRole;
constexpr int kSortKeyRole = Qt::UserRole + 1;

// Sorts by the number behind the text, not by the text.
class NumberItem : public QTableWidgetItem {
 public:
  NumberItem(const QString& text, double key) : QTableWidgetItem(text) {
    setData(kSortKeyRole, key);
    setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);  // digits under digits
  }
  bool operator<(const QTableWidgetItem& other) const override {
    return data(kSortKeyRole).toDouble() < other.data(kSortKeyRole).toDouble();
  }
};

QString Fixed(double value, int decimals) {
  return QString::fromStdString(FormatFixed(value, 15, decimals));
}

QString General(double value) {
  return QString::fromStdString(FormatGeneral(value));
}

// Thousands apart by a blank: "10 000".
QString Grouped(std::size_t count) {
  QString text = QString::number(count);
  for (qsizetype at = text.size() - 3; at > 0; at -= 3) text.insert(at, u' ');
  return text;
}

QString Milliseconds(const ShockEvent& e) {
  return General(static_cast<double>(e.Last - e.First + 1));
}

}  // namespace

ShockEventsWindow::ShockEventsWindow(const Session& session, UserDialogs& dialogs, QWidget* owner)
    : AnalysisWindow(session, dialogs, owner) {
  setObjectName(QStringLiteral("ShockEventsWindow"));
  setWindowTitle(QStringLiteral("События"));
  Summary = new QLabel(this);
  Summary->setObjectName(QStringLiteral("Summary"));
  Summary->setWordWrap(true);
  Table = new QTableWidget(0, ColumnCount, this);
  Table->setObjectName(QStringLiteral("ShockEventsTable"));
  QStringList headers;
  for (const char* header : kHeaders) headers << QString::fromUtf8(header);
  Table->setHorizontalHeaderLabels(headers);
  Table->verticalHeader()->hide();
  Table->setSelectionBehavior(QAbstractItemView::SelectRows);
  Table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  Table->setSortingEnabled(true);
  Table->sortByColumn(Start, Qt::AscendingOrder);
  Table->setToolTip(QStringLiteral("Двойной щелчок показывает событие на графике"));
  SaveCsv = new QPushButton(QStringLiteral("Сохранить CSV"), this);
  SaveCsv->setObjectName(QStringLiteral("SaveCsv"));

  auto* column = new QVBoxLayout(this);
  column->addWidget(Summary);
  column->addWidget(Table, 1);
  column->addWidget(SaveCsv, 0, Qt::AlignRight);
  resize(640, 420);

  connect(Table, &QTableWidget::cellDoubleClicked, this, [this](int row, int) {
    RunCommand(dialogs_, this, [this, row] { emit EventChosen(EventAtRow(row)); });
  });
  connect(SaveCsv, &QPushButton::clicked, this,
          [this] { RunCommand(dialogs_, this, [this] { SaveCsvClick(); }); });
  SaveCsv->setEnabled(false);  // until there are events
}

void ShockEventsWindow::ShowAnalysis(std::optional<SampleInterval> interval) {
  if (!interval) return ShowNotice(QStringLiteral("Запись пуста: искать события не в чем."));
  const double threshold = session_.Settings().BoundLevel;
  if (!(threshold > 0)) {
    return ShowNotice(
        QStringLiteral("Порог должен быть больше нуля. Задайте его в меню «Настройка» → "
                       "«Предустановки измерения»."));
  }
  ShowEvents(session_.Events(*interval, {threshold, ShockSettings{}.Gap}),
             interval->First * Recording::TimeStep, interval->Last * Recording::TimeStep, threshold,
             session_.Data().GValue);
}

void ShockEventsWindow::ForgetRecording() {
  ShowNotice(RecordingChangedNotice());
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
  return events_.at(Table->item(row, Channel)->data(kEventIndexRole).toULongLong());
}

void ShockEventsWindow::FillTable() {
  Table->setSortingEnabled(false);  // rows would move while they are filled
  Table->setRowCount(static_cast<int>(shown_.size()));
  for (int row = 0; row < Table->rowCount(); ++row) {
    const std::size_t i = shown_[static_cast<std::size_t>(row)];
    const ShockEvent& e = events_[i];
    auto* channel = new NumberItem(QString::fromLatin1(ShockChannelName(e.Channel)),
                                   static_cast<double>(e.Channel));
    channel->setData(kEventIndexRole, static_cast<qulonglong>(i));
    channel->setTextAlignment(Qt::AlignCenter);
    Table->setItem(row, Channel, channel);
    // The found order, first sample then channel, breaks the ties of the start.
    Table->setItem(row, Start, new NumberItem(Fixed(e.StartSeconds(), 3), static_cast<double>(i)));
    Table->setItem(row, Duration, new NumberItem(Milliseconds(e), e.Last - e.First + 1.0));
    Table->setItem(row, PeakMs2, new NumberItem(Fixed(e.Peak, 2), e.Peak));
    Table->setItem(row, PeakG, new NumberItem(Fixed(e.Peak / gValue_, 2), e.Peak));
    // The resultant has no velocity change; it sorts below every axis.
    Table->setItem(row, DeltaV,
                   e.DeltaV ? new NumberItem(Fixed(*e.DeltaV, 4), *e.DeltaV)
                            : new NumberItem(QStringLiteral("—"), -HUGE_VAL));
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

// The rows in the order the table shows them, with more digits than the
// screen and always a point as decimal separator.
QString ShockEventsWindow::CsvText() const {
  const DecimalSeparatorScope point('.');
  QString text = QStringLiteral("канал;начало, с;длительность, мс;пик, м/с2;пик, g;ΔV, м/с\r\n");
  for (int row = 0; row < Table->rowCount(); ++row) {
    const ShockEvent& e = EventAtRow(row);
    text += QString::fromLatin1(ShockChannelName(e.Channel)) + u';' + Fixed(e.StartSeconds(), 3) +
            u';' + Milliseconds(e) + u';' + Fixed(e.Peak, 3) + u';' + Fixed(e.Peak / gValue_, 4) +
            u';' + (e.DeltaV ? Fixed(*e.DeltaV, 6) : QString()) + QStringLiteral("\r\n");
  }
  return text;
}

void ShockEventsWindow::SaveCsvClick() {
  const auto choice = dialogs_.SaveFileName(
      this, FileDialogSettings{QStringLiteral("CSV (*.csv)"), QStringLiteral("csv"), QString()});
  if (!choice || choice->path.isEmpty()) return;
  const QByteArray bytes = CsvText().toUtf8();
  const ExportFailure failure = SaveFile(
      choice->path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
  if (failure) dialogs_.Error(this, *failure);
}
