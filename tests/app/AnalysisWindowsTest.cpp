// The window "События" as it is used on the real program: the page of drops,
// the jump to a drop or to an event of a hidden curve, Enter on a row, the
// interval taken from an event or a drop, and the analysis windows'
// settings and places kept between runs.
#include <gtest/gtest.h>

#include <QHeaderView>
#include <QPushButton>
#include <QTabBar>
#include <algorithm>
#include <cmath>

#include "analysis/EventInterval.h"
#include "support/AnalysisPrograms.h"
#include "support/TextsCutOff.h"
#include "text/NumberText.h"
#include "view/ChartHlp.h"
#include "view/ChartSurface.h"
#include "view/NumberEdit.h"

namespace {

enum EventColumn { Channel, Start, Duration, PeakMs2, PeakG };
enum DropColumn { DropStart, Fall, Height, ImpactSpeed, ImpactMs2, ImpactG };

constexpr double kG = 9.815;

// Ten seconds: drops of 5 cm at 1 s, 80 cm at 3 s and 30 cm at 6 s; shocks
// of +54 m/s² on Y at 2 s, −45 m/s² on Z at 5 s and +30 m/s² on X at 8 s.
loggen::LoggerFileOptions DropFile() {
  loggen::LoggerFileOptions options;
  options.blocks = 500;
  options.placedDrops = {{0.05, 1.0}, {0.80, 3.0}, {0.30, 6.0}};
  options.placedShocks = {{1, 54, 12, 2.0}, {2, -45, 8, 5.0}, {0, 30, 10, 8.0}};
  return options;
}

std::vector<double> Numbers(const QStringList& texts) {
  std::vector<double> numbers;
  for (const QString& text : texts) numbers.push_back(text.toDouble());
  return numbers;
}

void ClickHeader(QTableWidget& table, int column) {
  QHeaderView& header = *table.horizontalHeader();
  QTest::mouseClick(header.viewport(), Qt::LeftButton, {},
                    QPoint(header.sectionViewportPosition(column) + 5, 5));
}

// How much of the value axis lies below `value`: 1 at its top.
double HeightShare(ChartSurface& chart, double value) {
  const ChartRange range = chart.LeftAxis().Range();
  return (value - range.Lower) / (range.Upper - range.Lower);
}

struct DropProgram : EventsProgram {
  DropProgram() : EventsProgram(DropFile(), "drop_page.dat") {
    Calculate(0.000, 9.999);
    window().Pages->setCurrentWidget(window().DropPage);
  }
  double Z(std::uint32_t i) { return Acceleration(data().CodesZ[i], data().Calibration[AxisZ]); }
};

}  // namespace

TEST(DropsPage, ListsTheDropsInTheirUnitsSortsByMagnitudeAndZoomsOntoFallAndImpact) {
  DecimalSeparatorScope point('.');
  DropProgram program;
  ShockEventsWindow& window = program.window();
  QTabBar& tabs = *window.Pages->tabBar();
  EXPECT_EQ(tabs.tabText(0), QStringLiteral("События"));
  EXPECT_EQ(tabs.tabText(1), QStringLiteral("Падения"));
  QTableWidget& drops = program.dropTable();
  QStringList headers;
  for (int c = DropStart; c <= ImpactG; ++c) headers << drops.horizontalHeaderItem(c)->text();
  EXPECT_EQ(headers, QStringList({"Начало, с", "Падение, мс", "Высота, см", "Скорость удара, м/с",
                                  "Удар, м/с2", "Удар, g"}));

  // In time order; the heights to the nearest sample of the fall.
  EXPECT_EQ(ColumnTexts(drops, DropStart), QStringList({"1.000", "3.000", "6.000"}));
  const std::vector<double> falls = Numbers(ColumnTexts(drops, Fall));
  const double heights[] = {5, 80, 30};
  for (int row = 0; row < 3; ++row) {
    const double fall = falls[static_cast<std::size_t>(row)] / 1000;
    EXPECT_NEAR(fall, std::sqrt(2 * heights[row] / 100 / kG), 0.0005) << row;
    EXPECT_EQ(drops.item(row, Height)->text(),
              QString::fromStdString(FormatFixed(kG * fall * fall / 2 * 100, 15, 1)));
    EXPECT_EQ(drops.item(row, ImpactSpeed)->text(),
              QString::fromStdString(FormatFixed(kG * fall, 15, 2)));
    const Drop& drop = window.DropPage->DropAtRow(row);
    ASSERT_TRUE(drop.Impact.has_value());
    EXPECT_EQ(drops.item(row, ImpactMs2)->text(),
              QString::fromStdString(FormatFixed(drop.Impact->Peak, 15, 2)));
    EXPECT_EQ(drops.item(row, ImpactG)->text(),
              QString::fromStdString(FormatFixed(drop.Impact->Peak / kG, 15, 2)));
    EXPECT_GT(drops.item(row, ImpactG)->text().toDouble(), 5);
  }
  EXPECT_TRUE(window.DropPage->Summary->text().contains(
      QStringLiteral("Падений: 3. Самое высокое — %1 см (падение %2 мс")
          .arg(drops.item(1, Height)->text(), drops.item(1, Fall)->text())))
      << window.DropPage->Summary->text().toStdString();
  EXPECT_TRUE(window.DropPage->Summary->text().endsWith(QStringLiteral(" в 3.000 с.")));

  ClickHeader(drops, Height);
  EXPECT_EQ(Numbers(ColumnTexts(drops, DropStart)), (std::vector<double>{1, 6, 3}));
  ClickHeader(drops, ImpactG);
  const std::vector<double> impacts = Numbers(ColumnTexts(drops, ImpactG));
  EXPECT_TRUE(std::is_sorted(impacts.begin(), impacts.end()));
  // The peaks of the events sort by magnitude: −45 beyond +30.
  ClickHeader(program.table(), PeakMs2);
  const std::vector<double> peaks = Numbers(program.Column(PeakMs2));
  EXPECT_TRUE(std::is_sorted(peaks.begin(), peaks.end(),
                             [](double a, double b) { return std::fabs(a) < std::fabs(b); }));
  EXPECT_TRUE(std::any_of(peaks.begin(), peaks.end(), [](double p) { return p < 0; }));
  EXPECT_GT(peaks.front(), 0.0);  // the +30 shock, not the −45 one, comes first

  // The 80 cm drop: its fall and impact fill the chart; the impact on Z,
  // hidden until now, shows.
  const int row = ColumnTexts(drops, DropStart).indexOf("3.000");
  const Drop drop = window.DropPage->DropAtRow(row);
  ASSERT_FALSE(program.form().AccelZ_line->isChecked());
  DoubleClickRow(drops, row);
  ChartSurface& chart = *program.form().CHART;
  const double from = drop.First * 0.001;
  const double to = (drop.Last + 100) * 0.001;
  EXPECT_NEAR(chart.BottomAxis().Range().Lower, from - (to - from) / 4, 1e-9);
  EXPECT_NEAR(chart.BottomAxis().Range().Upper, to + (to - from) / 4, 1e-9);
  EXPECT_TRUE(program.form().AccelZ_line->isChecked());
  EXPECT_GT(program.form().Series[3]->PointCount(), 0u);
  EXPECT_NEAR(HeightShare(chart, program.Z(drop.Impact->Index)), 1.0,
              0.1);                                                // the impact at the top
  EXPECT_LT(HeightShare(chart, program.Z(drop.First + 10)), 0.2);  // the fall, 0 g, low down

  window.show();
  QApplication::processEvents();
  EXPECT_TRUE(textfit::TextsCutOff(window).isEmpty())
      << textfit::Lines(textfit::TextsCutOff(window));
}

// Y is hidden after an import; the value axis was zoomed far from the shock.
TEST(ShockEventsWindow, ADoubleClickOnAnEventOfAHiddenCurveShowsItAndFitsTheValueAxis) {
  DecimalSeparatorScope point('.');
  DropProgram program;
  TMainForm& form = program.form();
  ChartSurface& chart = *form.CHART;
  chart.LeftAxis().SetRange(500, 600);
  ASSERT_FALSE(form.AccelY_line->isChecked());
  const int row = program.Column(Channel).indexOf("Y");
  const ShockEvent event = program.window().EventAtRow(row);

  DoubleClickRow(program.table(), row);
  EXPECT_TRUE(form.AccelY_line->isChecked());
  EXPECT_GT(form.Series[2]->PointCount(), 0u);
  const double peak =
      Acceleration(program.data().CodesY[event.PeakIndex], program.data().Calibration[AxisY]);
  EXPECT_NEAR(HeightShare(chart, peak), 1.0, 0.1);
  EXPECT_DOUBLE_EQ(form.ChartHelper->Section()->Value, peak);
  EXPECT_FALSE(chart.LeftAxis().Automatic());  // "Вместить по вертикали" gives it back
}

// Enter on a row of either page zooms where a double-click on it does.
TEST(ShockEventsWindow, EnterOnARowDoesWhatADoubleClickDoes) {
  DropProgram program;
  ChartSurface& chart = *program.form().CHART;
  ShockEventsWindow& window = program.window();
  for (const auto& [page, table] :
       {std::pair<QWidget*, QTableWidget*>{window.Pages->widget(0), &program.table()},
        {window.DropPage, &program.dropTable()}}) {
    window.Pages->setCurrentWidget(page);
    DoubleClickRow(*table, 1);
    const ChartRange clicked = chart.BottomAxis().Range();
    program.form().FitAllItem->trigger();
    ASSERT_NE(chart.BottomAxis().Range().Lower, clicked.Lower);

    table->setCurrentCell(1, 0);
    QTest::keyClick(table, Qt::Key_Return);
    EXPECT_EQ(chart.BottomAxis().Range().Lower, clicked.Lower) << table->objectName().toStdString();
    EXPECT_EQ(chart.BottomAxis().Range().Upper, clicked.Upper);
    program.form().FitAllItem->trigger();
    QTest::keyClick(table, Qt::Key_Enter);
    EXPECT_EQ(chart.BottomAxis().Range().Upper, clicked.Upper);
  }
}

// Shocks 3 ms from the start, in the middle and 10 ms before the end, and a
// drop: the interval each gives reads as the mouse would set it (the typed
// interval is the mouse's, see the cursor tests), margins clamped.
TEST(ShockEventsWindow, TheIntervalFromAnEventOrADropIsTheMousesWithMarginsWithinTheRecording) {
  DecimalSeparatorScope point('.');
  loggen::LoggerFileOptions options;
  options.blocks = 500;
  options.noise = 0;
  options.placedShocks = {{0, 40, 10, 0.003}, {1, 54, 12, 4.0}, {2, -45, 10, 9.989}};
  options.placedDrops = {{0.30, 6.0}};
  EventsProgram program(options, "interval_from_event.dat");
  TMainForm& form = program.form();
  ShockEventsWindow& window = program.window();
  const auto readout = [&] {
    return QStringList{form.StartPoint->text(),      form.StopPoint->text(),
                       form.StatusPanels[2]->text(), form.StatusPanels[3]->text(),
                       form.StatusPanels[4]->text(), form.StatusPanels[5]->text()};
  };
  // The interval held is the event's with its margins, as if typed.
  const auto check = [&](std::uint32_t first, std::uint32_t last) {
    const QStringList byWindow = readout();
    const SelectedInterval interval = form.RecordingSession().Interval();
    EXPECT_TRUE(form.IntervalHeld());
    EXPECT_FALSE(program.cell(0, 1).isEmpty());  // the calculation ran
    const SampleInterval expected = IntervalAroundEvent(first, last, 10000);
    form.HoldInterval(expected.First / 1000.0, expected.Last / 1000.0);
    EXPECT_EQ(readout(), byWindow);
    EXPECT_EQ(interval, (SelectedInterval{expected.First, expected.Last}));
  };

  program.Calculate(0.000, 9.999);
  EXPECT_FALSE(window.IntervalButton->isEnabled());  // nothing selected
  for (const char* channel : {"X", "Y", "Z"}) {
    SCOPED_TRACE(channel);
    program.Calculate(0.000, 9.999);
    const int row = program.Column(Channel).lastIndexOf(channel);  // after the drop's impact on Z
    const ShockEvent event = window.EventAtRow(row);
    program.table().selectRow(row);
    ASSERT_TRUE(window.IntervalButton->isEnabled());
    QTest::mouseClick(window.IntervalButton, Qt::LeftButton);
    check(event.First, event.Last);
  }
  EXPECT_EQ(form.RecordingSession().Interval().Stop, 9999.0);  // the Z shock's margin clamped

  program.Calculate(0.000, 9.999);
  const int xRow = program.Column(Channel).indexOf("X");
  program.table().selectRow(xRow);
  const ShockEvent x = window.EventAtRow(xRow);
  window.IntervalAction->trigger();  // from the context menu
  check(x.First, x.Last);
  EXPECT_EQ(form.RecordingSession().Interval().Start, 0.0);  // the X shock's margin clamped

  program.Calculate(0.000, 9.999);
  window.Pages->setCurrentWidget(window.DropPage);
  EXPECT_FALSE(window.IntervalButton->isEnabled());
  program.dropTable().selectRow(0);
  const Drop drop = window.DropPage->DropAtRow(0);
  window.IntervalAction->trigger();
  check(drop.First, drop.Last);
}

// Settings typed in both windows, their sizes and places, survive closing
// the program; the presets and view items start from their defaults;
// "По умолчанию" restores the defaults, for the next run too.
TEST(AnalysisWindows, SettingsAndPlacesSurviveARestartAndDefaultsRestoreThem) {
  DecimalSeparatorScope point('.');
  const QRect eventsPlace(130, 140, 790, 510);
  const QRect spectraPlace(210, 90, 800, 780);
  const auto open = [](StartedProgram& program) {
    program.form().ShockEventsItem->trigger();
    program.form().SpectraItem->trigger();
    return std::pair{program.form().findChild<ShockEventsWindow*>(),
                     program.form().findChild<SpectraWindow*>()};
  };
  {
    StartedProgram program;
    const auto [events, spectra] = open(program);
    Type(*events->GapEdit, "3");
    Type(*events->FallLevelEdit, "0.25");
    Type(*events->MinFallEdit, "20");
    const std::pair<NumberEdit*, const char*> typed[] = {
        {spectra->SegmentEdit, "512"},     {spectra->BandLowEdit, "5"},
        {spectra->BandHighEdit, "200"},    {spectra->QEdit, "20"},
        {spectra->PerOctaveEdit, "6"},     {spectra->MinFrequencyEdit, "2"},
        {spectra->MaxFrequencyEdit, "300"}};
    for (const auto& [edit, text] : typed) Type(*edit, text);
    ASSERT_TRUE(program.dialogs.shown.empty()) << program.dialogs.shown[0].text.toStdString();
    events->setGeometry(eventsPlace);
    spectra->setGeometry(spectraPlace);
    program.form().ApplyBoundLevel(40);
    program.form().AccelZ_line->trigger();
  }
  {
    StartedProgram program;
    const auto [events, spectra] = open(program);
    EXPECT_EQ(events->Gap(), 3u);
    EXPECT_EQ(events->Drops().FallLevel, 0.25);
    EXPECT_EQ(events->Drops().MinFall, 20.0);
    EXPECT_EQ(events->FallLevelEdit->text(), QStringLiteral("0.25"));
    EXPECT_EQ(spectra->Psd().Segment, 512u);
    EXPECT_EQ(spectra->Psd().BandLow, 5.0);
    EXPECT_EQ(spectra->Psd().BandHigh, 200.0);
    EXPECT_EQ(spectra->Srs().Q, 20.0);
    EXPECT_EQ(spectra->Srs().PerOctave, 6.0);
    EXPECT_EQ(spectra->Srs().MinFrequency, 2.0);
    EXPECT_EQ(spectra->Srs().MaxFrequency, 300.0);
    EXPECT_EQ(spectra->MaxFrequencyEdit->text(), QStringLiteral("300"));
    EXPECT_EQ(events->geometry(), eventsPlace);
    EXPECT_EQ(spectra->geometry(), spectraPlace);
    EXPECT_EQ(program.form().RecordingSession().Settings().BoundLevel, 25.0);
    EXPECT_FALSE(program.form().AccelZ_line->isChecked());

    QTest::mouseClick(events->DefaultsButton, Qt::LeftButton);
    QTest::mouseClick(spectra->DefaultsButton, Qt::LeftButton);
    EXPECT_EQ(events->GapEdit->text(), QStringLiteral("10"));
    EXPECT_EQ(spectra->SegmentEdit->text(), QStringLiteral("1024"));
  }
  StartedProgram program;
  const auto [events, spectra] = open(program);
  EXPECT_EQ(events->Gap(), ShockSettings{}.Gap);
  EXPECT_EQ(events->Drops().FallLevel, DropSettings{}.FallLevel);
  EXPECT_EQ(events->Drops().MinFall, DropSettings{}.MinFall);
  EXPECT_EQ(spectra->Psd().Segment, PsdOptions{}.Segment);
  EXPECT_EQ(spectra->Psd().BandHigh, PsdOptions{}.BandHigh);
  EXPECT_EQ(spectra->Srs().Q, SrsOptions{}.Q);
  EXPECT_EQ(spectra->Srs().PerOctave, SrsOptions{}.PerOctave);
  EXPECT_EQ(spectra->Srs().MaxFrequency, SrsOptions{}.MaxFrequency);
  EXPECT_EQ(events->geometry(), eventsPlace);  // the place is not a setting
}

// The window's own settings reach the search: a gap that joins two shocks,
// a shortest fall that leaves the 5 cm drop out.
TEST(ShockEventsWindow, TheGapAndTheDropSettingsChangeWhatIsFound) {
  DecimalSeparatorScope point('.');
  loggen::LoggerFileOptions options = DropFile();
  // Each above the threshold for 2 samples, 18 quiet samples apart.
  options.placedShocks = {{0, 40, 5, 2.0}, {0, 40, 5, 2.020}};
  EventsProgram program(options, "settings_reach.dat");
  program.Calculate(0.000, 9.999);
  ShockEventsWindow& window = program.window();
  EXPECT_EQ(program.Column(Channel).count("X"), 2);
  Type(*window.GapEdit, "20");
  EXPECT_EQ(program.Column(Channel).count("X"), 1);
  EXPECT_EQ(program.dropTable().rowCount(), 3);
  Type(*window.MinFallEdit, "150");
  EXPECT_EQ(program.dropTable().rowCount(), 2);

  const std::pair<NumberEdit*, const char*> refused[] = {
      {window.GapEdit, "2.5"},     {window.GapEdit, "-1"},      {window.FallLevelEdit, "1"},
      {window.FallLevelEdit, "0"}, {window.MinFallEdit, "0.5"}, {window.MinFallEdit, "x"}};
  for (const auto& [edit, text] : refused) ExpectRefusedTyping(program.dialogs, *edit, text);
  EXPECT_EQ(window.Gap(), 20u);
  EXPECT_EQ(window.Drops().MinFall, 150.0);
}
