// The window "События" on the real program: the menu that opens it, the table
// that follows the interval, sorting, the jump to an event on the chart and
// the CSV copy of the table as sorted, in the program's one CSV convention.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <QCheckBox>
#include <QFile>
#include <QHeaderView>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cmath>
#include <csignal>

#include "analysis/DerivedData.h"
#include "support/AnalysisPrograms.h"
#include "support/StrictCsv.h"
#include "text/NumberText.h"
#include "view/ChartHlp.h"
#include "view/ChartSurface.h"
#include "view/ShockEventsWindow.h"

namespace {

enum Column { Channel, Start, Duration, PeakMs2, PeakG, DeltaV };

// Ten seconds, no noise: Y +54 m/s² for 12 ms at 3 s, Z −45 m/s² for 8 ms at
// 6.5 s, X +40 m/s² for 30 ms at 8 s.
loggen::LoggerFileOptions ShockFile() {
  loggen::LoggerFileOptions options;
  options.blocks = 500;
  options.noise = 0;
  options.placedShocks = {{1, 54, 12, 3.0}, {2, -45, 8, 6.5}, {0, 40, 30, 8.0}};
  return options;
}

struct ShockProgram : EventsProgram {
  ShockProgram() : EventsProgram(ShockFile(), "shock_events_app.dat") {}
  QStringList AllTexts() {
    QStringList texts;
    for (int c = Channel; c <= DeltaV; ++c) texts += Column(c);
    return texts + QStringList{window().Summary->text()};
  }
};

QString Read(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

void Write(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(bytes);
}

}  // namespace

TEST(ShockEventsWindow, OpensFromItsMenuAndFollowsTheIntervalInBothModes) {
  DecimalSeparatorScope point('.');
  ShockProgram program;
  QStringList menus;
  for (QAction* menu : program.form().menuBar()->actions()) menus << menu->text();
  const qsizetype analysis = menus.indexOf(QStringLiteral("Анализ"));
  ASSERT_GE(analysis, 0);
  EXPECT_EQ(menus.value(analysis + 1), QStringLiteral("&Help"));
  EXPECT_EQ(program.form().ShockEventsItem->text(), QStringLiteral("События по всем осям"));

  ShockEventsWindow& window = program.window();
  EXPECT_TRUE(window.isVisible());
  EXPECT_FALSE(window.isModal());
  EXPECT_EQ(window.windowTitle(), QStringLiteral("События"));

  program.Calculate(0.000, 9.999);
  EXPECT_EQ(program.Column(Channel), QStringList({"Y", "R", "Z", "R", "X", "R"}));
  EXPECT_TRUE(program.table().item(0, Start)->text().startsWith("3.00"));
  EXPECT_TRUE(program.table().item(0, PeakMs2)->text().startsWith("54.0"));
  EXPECT_EQ(program.table().item(0, PeakG)->text(), QStringLiteral("5.50"));
  EXPECT_EQ(program.table().item(1, DeltaV)->text(), QStringLiteral("—"));
  EXPECT_TRUE(program.table().item(2, PeakMs2)->text().startsWith("-45.0"));
  const QString summary = window.Summary->text();
  EXPECT_TRUE(summary.contains(QStringLiteral("Событий: 6 (X — 1, Y — 1, Z — 1, R — 3)")))
      << summary.toStdString();
  EXPECT_TRUE(summary.contains(QStringLiteral("Наибольший пик 54.0"))) << summary.toStdString();
  EXPECT_TRUE(summary.contains(QStringLiteral("канал Y"))) << summary.toStdString();

  // Raw codes on the chart and in the list; the events stay in m/s².
  const QStringList calibrated = program.AllTexts();
  program.windows->ParamForm->Output_in_codes->setChecked(true);
  program.Calculate(0.000, 9.999);
  EXPECT_EQ(program.AllTexts(), calibrated);

  program.Calculate(5.000, 9.999);
  EXPECT_EQ(program.Column(Channel), QStringList({"Z", "R", "X", "R"}));

  // While tracking, every cursor move refreshes the window.
  program.form().SpyData->trigger();
  program.form().SelectInterval(5.000, 7.000);
  program.form().ChartHelperChartMouseMove(nullptr, false);
  EXPECT_EQ(program.Column(Channel), QStringList({"Z", "R"}));
  program.form().SpyData->trigger();

  program.Calculate(0.000, 2.000);
  EXPECT_EQ(program.table().rowCount(), 0);
  EXPECT_TRUE(window.Summary->text().contains(QStringLiteral("событий нет")));
  EXPECT_FALSE(window.SaveCsv->isEnabled());

  // A new recording makes the old events stale until the next calculation.
  program.Calculate(0.000, 9.999);
  program.form().ImportFileRoutine(program.file.path());
  EXPECT_EQ(program.table().rowCount(), 0);
  EXPECT_TRUE(window.Summary->text().startsWith(QStringLiteral("Запись изменилась")));

  program.form().ApplyBoundLevel(0);
  program.Calculate(0.000, 9.999);
  EXPECT_EQ(program.table().rowCount(), 0);
  EXPECT_TRUE(window.Summary->text().startsWith(QStringLiteral("Порог должен быть больше нуля")));
}

TEST(ShockEventsWindow, SortsByNumberAndADoubleClickZoomsTheChartOntoTheEvent) {
  DecimalSeparatorScope point('.');
  ShockProgram program;
  program.Calculate(0.000, 9.999);
  QTableWidget& table = program.table();
  QHeaderView& header = *table.horizontalHeader();
  const QPoint durationHeader(header.sectionViewportPosition(Duration) + 5, 5);
  QTest::mouseClick(header.viewport(), Qt::LeftButton, {}, durationHeader);
  std::vector<int> durations;
  for (const QString& text : program.Column(Duration)) durations.push_back(text.toInt());
  ASSERT_EQ(durations.size(), 6u);
  EXPECT_TRUE(std::is_sorted(durations.begin(), durations.end()));
  EXPECT_LT(durations.front(), 10);  // "5" before "17": numbers, not texts
  EXPECT_GT(durations.back(), 10);
  QTest::mouseClick(header.viewport(), Qt::LeftButton, {}, durationHeader);
  EXPECT_TRUE(program.table().item(0, Duration)->text().toInt() == durations.back());

  // The longest event is the X shock (or its resultant); pick the X row.
  const int row = program.Column(Channel).indexOf("X");
  ASSERT_GE(row, 0);
  const ShockEvent event = program.window().EventAtRow(row);
  const QRect cell = table.visualRect(table.model()->index(row, Start));

  DoubleClick(table.viewport(), cell.center());

  const ChartRange shown = program.form().CHART->BottomAxis().Range();
  const double d = event.DurationSeconds();
  EXPECT_NEAR(shown.Lower, event.StartSeconds() - 3 * d, 1e-9);
  EXPECT_NEAR(shown.Upper, event.StartSeconds() + 4 * d, 1e-9);
  // A zoom like the mouse's: a new recording or "Вместить всё" takes it back.
  EXPECT_TRUE(program.form().CHART->CanUndoZoom());
  const auto section = program.form().ChartHelper->Section();
  ASSERT_TRUE(section.has_value());
  EXPECT_DOUBLE_EQ(section->Time, event.PeakSeconds());
  // The section point sits on the sample as the chart draws it: calibrated,
  // or the raw code in ADC-code mode.
  const Recording& r = program.data();
  EXPECT_DOUBLE_EQ(section->Value, Acceleration(r.CodesX[event.PeakIndex], r.Calibration[AxisX]));
  program.windows->ParamForm->Output_in_codes->setChecked(true);
  DoubleClick(table.viewport(), cell.center());
  EXPECT_DOUBLE_EQ(program.form().ChartHelper->Section()->Value, r.CodesX[event.PeakIndex]);
}

TEST(ShockEventsWindow, SavesTheTableAsSortedCsvOverTheOldFile) {
  DecimalSeparatorScope comma(',');  // the file has points whatever the screen shows
  ShockProgram program;
  program.Calculate(0.000, 9.999);
  EXPECT_TRUE(program.table().item(0, Start)->text().startsWith("3,00"));
  program.table().sortItems(Duration, Qt::AscendingOrder);
  QTemporaryDir folder;
  const QString path = folder.filePath("events.csv");
  Write(path, "old table\r\n");

  program.dialogs.saveAnswers.push_back(SaveChoice{path, 0});
  QTest::mouseClick(program.window().SaveCsv, Qt::LeftButton);
  const StrictCsv csv = ReadStrictCsv(Read(path).toStdString());
  ASSERT_EQ(csv.error, "");
  EXPECT_EQ(csv.header, (std::vector<std::string>{"channel", "start_s", "duration_s", "peak_ms2",
                                                  "peak_g", "delta_v_ms"}));
  ASSERT_EQ(csv.rows.size(), 6u);
  for (int row = 0; row < 6; ++row) {
    const std::vector<std::string>& fields = csv.rows[static_cast<std::size_t>(row)];
    const ShockEvent& e = program.window().EventAtRow(row);  // in the table's order
    EXPECT_EQ(QString::fromStdString(fields[0]), program.table().item(row, Channel)->text());
    EXPECT_EQ(CsvNumber(fields[1]), e.StartSeconds());  // a point whatever the screen shows
    EXPECT_EQ(CsvNumber(fields[2]), e.DurationSeconds());
    if (row > 0) {
      EXPECT_GE(CsvNumber(fields[2]), CsvNumber(csv.rows[row - 1u][2]));  // as sorted
    }
    EXPECT_EQ(CsvNumber(fields[3]), e.Peak);
    EXPECT_EQ(fields[5].empty(), fields[0] == "R");
  }
  EXPECT_TRUE(program.dialogs.shown.empty() ||
              program.dialogs.shown.back().kind != FakeUserDialogs::Kind::Error);
}

TEST(ShockEventsWindow, HeadersSummaryAndButtonFitTheWindow) {
  DecimalSeparatorScope point('.');
  ShockProgram program;
  program.Calculate(0.000, 9.999);
  ShockEventsWindow& window = program.window();
  QApplication::processEvents();
  QHeaderView& header = *program.table().horizontalHeader();
  for (int c = Channel; c <= DeltaV; ++c) {
    const QString text = program.table().horizontalHeaderItem(c)->text();
    EXPECT_GE(header.sectionSize(c), header.fontMetrics().horizontalAdvance(text)) << c;
    EXPECT_LE(header.sectionViewportPosition(c) + header.sectionSize(c),
              program.table().viewport()->width())
        << c;
  }
  for (int c = Channel; c <= DeltaV; ++c) {
    for (const QString& text : program.Column(c)) {
      EXPECT_GE(header.sectionSize(c), program.table().fontMetrics().horizontalAdvance(text));
    }
  }
  QLabel& summary = *window.Summary;
  EXPECT_GE(summary.height(), summary.heightForWidth(summary.width()));
  EXPECT_GE(window.SaveCsv->width(),
            window.SaveCsv->fontMetrics().horizontalAdvance(window.SaveCsv->text()));
}

// 16,667 spikes on X, every 12 samples, each with a peak of its own: as many
// events on X and on the resultant. The table lists the 10,000 largest and
// says so; the summary still counts them all.
TEST(ShockEventsWindow, ListsTheTenThousandLargestOfMoreEvents) {
  DecimalSeparatorScope point('.');
  StartedProgram program;
  Recording& r = program.data();
  for (int i = 0; i < r.Capacity; ++i) {
    const double spike = i % 12 == 0 ? 40.0 + (i / 12 * 7919 % 16667) * 0.005 : 0.0;
    r.CodesX[i] = r.Calibration[AxisX].Code0g + spike / r.Calibration[AxisX].Gain;
    r.CodesY[i] = r.Calibration[AxisY].Code0g;
    r.CodesZ[i] = r.Calibration[AxisZ].Code0g;
  }
  r.SampleCount = static_cast<std::uint32_t>(r.Capacity);
  program.form().RecordingSession().SamplesWritten();
  program.form().ShockEventsItem->trigger();
  program.form().SelectInterval(0.000, 199.999);
  QTest::keyClick(&program.form(), Qt::Key_F5);

  ShockEventsWindow& window = *program.form().findChild<ShockEventsWindow*>();
  QTableWidget& table = *window.Table;
  ASSERT_EQ(table.rowCount(), 10000);
  const QString summary = window.Summary->text();
  EXPECT_TRUE(
      summary.contains(QStringLiteral("Событий: 33334 (X — 16667, Y — 0, Z — 0, R — 16667)")))
      << summary.toStdString();
  EXPECT_TRUE(summary.endsWith(QStringLiteral("\nпоказаны 10 000 из 33 334")))
      << summary.toStdString();

  // Every peak the table shows is at least as large as every one it leaves out.
  std::vector<double> shown;
  for (const QString& peak : ColumnTexts(table, PeakMs2))
    shown.push_back(std::fabs(peak.toDouble()));
  const ShockEventsResult all = FindShockEvents(r, {0, r.SampleCount - 1}, ShockSettings{});
  std::vector<double> peaks;
  for (const ShockEvent& e : all.Events) peaks.push_back(std::fabs(e.Peak));
  std::sort(peaks.rbegin(), peaks.rend());
  EXPECT_NEAR(*std::min_element(shown.begin(), shown.end()), peaks[9999], 0.005);
  EXPECT_NEAR(*std::max_element(shown.begin(), shown.end()), peaks[0], 0.005);
  EXPECT_LT(peaks[10000], peaks[9999]);  // the cut falls between different peaks
  // Still in the order of time.
  const QStringList starts = ColumnTexts(table, Start);
  EXPECT_TRUE(std::is_sorted(starts.begin(), starts.end(), [](const QString& a, const QString& b) {
    return a.toDouble() < b.toDouble();
  }));
}
