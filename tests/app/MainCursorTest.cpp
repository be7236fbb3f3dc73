// The two cursors on the real window: the interval panels and the status bar.
#include <gtest/gtest.h>

#include <QCursor>
#include <QMouseEvent>

#include "support/CursorProgram.h"
#include "text/NumberText.h"
#include "view/ChartHlp.h"
#include "view/ChartSurface.h"

TEST(CursorReadout, WithoutASectionPointOnlyTheFirstTwoPanelsChange) {
  DecimalSeparatorScope point('.');
  CursorProgram program;
  program.MoveTo(program.PixelOf(2.0, 0.0));
  EXPECT_TRUE(program.panel(0).startsWith(QStringLiteral("X1= ")));
  EXPECT_TRUE(program.panel(0).endsWith(QStringLiteral(" c")));
  EXPECT_TRUE(program.panel(1).startsWith(QStringLiteral("Y1= ")));
  EXPECT_TRUE(program.panel(1).endsWith(QStringLiteral("м/с2")));
  EXPECT_TRUE(program.panel(2).isEmpty());
  EXPECT_EQ(program.form().StartPoint->text(), QStringLiteral("0"));
  EXPECT_EQ(program.form().StopPoint->text(), QStringLiteral("1"));
}

TEST(CursorReadout, SectionAtOneAndAHalfSecondsAndMouseAtAQuarter) {
  DecimalSeparatorScope point('.');
  CursorProgram program;
  program.form().ChartHelper->SetSection(ChartPoint{1.5, 0.0});
  const QPoint at = program.PixelOf(0.25, 0.0);
  program.MoveTo(at);
  const double time = program.chart().BottomAxis().PixelToValue(at.x());
  EXPECT_EQ(program.form().StartPoint->text(), QStringLiteral("1.500"));
  EXPECT_EQ(program.form().StopPoint->text(), QString::fromStdString(FormatFixed(time, 7, 3)));
  EXPECT_EQ(program.panel(2), QStringLiteral("X2= 1.500 c"));
  EXPECT_EQ(program.panel(4), QStringLiteral("dX= ") +
                                  QString::fromStdString(FormatFixed(1.5 - time, 7, 3)) +
                                  QStringLiteral(" c"));
  EXPECT_NEAR(time, 0.25, 0.01);
  EXPECT_TRUE(program.panel(5).startsWith(QStringLiteral("dY= ")));
}

TEST(CursorReadout, DoubleClickSetsTheStartAndZoomKeepsItsTime) {
  DecimalSeparatorScope point('.');
  CursorProgram program;
  program.MoveTo(program.PixelOf(1.0, 0.0));
  program.DoubleClickAt(program.PixelOf(1.0, 0.0));
  ASSERT_TRUE(program.form().ChartHelper->Section().has_value());
  const double sectionTime = program.form().ChartHelper->Section()->Time;
  EXPECT_TRUE(program.panel(0).isEmpty());  // the readout is stale until the next move
  program.chart().BottomAxis().SetRange(0.5, 3.0);
  program.chart().Repaint();
  program.MoveTo(program.PixelOf(2.0, 0.0));
  EXPECT_EQ(program.form().StartPoint->text(),
            QString::fromStdString(FormatFixed(sectionTime, 7, 3)));
  // A double-click outside the plot removes the section point.
  program.DoubleClickAt(QPoint(1, 1));
  EXPECT_FALSE(program.form().ChartHelper->Section().has_value());
}

TEST(CursorReadout, TrackingRecalculatesOnEveryMove) {
  DecimalSeparatorScope point('.');
  CursorProgram program;
  program.form().ChartHelper->SetSection(ChartPoint{1.0, 0.0});
  program.form().SpyData->trigger();
  program.MoveTo(program.PixelOf(2.0, 0.0));
  const QString first = program.cell(0, 2);
  EXPECT_FALSE(first.isEmpty());
  program.MoveTo(QPoint(1, 1));  // outside the plot: the panels stay, the rows are computed again
  program.form().SelectInterval(0.000, 0.010);
  program.MoveTo(QPoint(2, 1));
  EXPECT_NE(program.cell(0, 2), first);
  EXPECT_EQ(program.cell(0, 2), QStringLiteral("10.000 м/с2"));  // codes 32768 … 32778, gain 1
}

namespace {

// A double-click as Qt delivers it, with the hand slipping `slip` pixels
// between its events: press, release, press, double-click, release.
void SlippingDoubleClick(ChartSurface& chart, QPoint at, QPoint slip) {
  SendMouse(chart, QEvent::MouseButtonPress, at, Qt::LeftButton);
  SendMouse(chart, QEvent::MouseMove, at + slip, Qt::LeftButton);
  SendMouse(chart, QEvent::MouseButtonRelease, at + slip, Qt::NoButton);
  SendMouse(chart, QEvent::MouseButtonPress, at + slip, Qt::LeftButton);
  SendMouse(chart, QEvent::MouseButtonDblClick, at + slip, Qt::LeftButton);
  SendMouse(chart, QEvent::MouseMove, at + 2 * slip, Qt::LeftButton);
  SendMouse(chart, QEvent::MouseButtonRelease, at + 2 * slip, Qt::NoButton);
}

}  // namespace

// Rapid double-clicks with the small slips of a real hand always fix the
// start where they were made, start no zoom, and leave the stop to follow
// the mouse: the next crop takes the interval the user chose.
TEST(CursorReadout, ADoubleClickAlwaysFixesTheStart) {
  DecimalSeparatorScope point('.');
  CursorProgram program;
  ChartSurface& chart = program.chart();
  QCursor::setPos(chart.mapToGlobal(QPoint(-500, -500)));
  const ChartRange time = chart.BottomAxis().Range();
  const ChartRange value = chart.LeftAxis().Range();
  const std::vector<std::pair<double, QPoint>> clicks = {
      {1.0, {0, 0}}, {2.0, {1, 1}}, {0.5, {2, -1}}, {3.5, {3, 3}}, {1.5, {-4, 4}}, {4.0, {4, -4}}};
  for (const auto& [start, slip] : clicks) {
    SCOPED_TRACE(start);
    const QPoint at = program.PixelOf(start, 40.0);
    SendMouse(chart, QEvent::MouseMove, at, Qt::NoButton);
    SlippingDoubleClick(chart, at, slip);
    chart.Repaint();
    EXPECT_EQ(chart.BottomAxis().Range().Lower, time.Lower);
    EXPECT_EQ(chart.BottomAxis().Range().Upper, time.Upper);
    EXPECT_EQ(chart.LeftAxis().Range().Upper, value.Upper);
    ASSERT_TRUE(program.form().ChartHelper->Section().has_value());
    const double clicked = chart.BottomAxis().PixelToValue((at + slip).x());
    EXPECT_EQ(program.form().ChartHelper->Section()->Time, clicked);

    const QPoint stop = program.PixelOf(start < 2.0 ? 4.5 : 0.25, 45.0);
    SendMouse(chart, QEvent::MouseMove, stop, Qt::NoButton);
    EXPECT_EQ(program.form().StartPoint->text(),
              QString::fromStdString(FormatFixed(clicked, 7, 3)));
    EXPECT_EQ(program.form().StopPoint->text(),
              QString::fromStdString(FormatFixed(chart.BottomAxis().PixelToValue(stop.x()), 7, 3)));
    EXPECT_FALSE(program.panel(0).isEmpty());
    EXPECT_FALSE(program.panel(1).isEmpty());
  }
  // A deliberate drag still zooms.
  const QPoint from = program.PixelOf(1.0, 80.0);
  SendMouse(chart, QEvent::MouseButtonPress, from, Qt::LeftButton);
  SendMouse(chart, QEvent::MouseMove, from + QPoint(60, 40), Qt::LeftButton);
  SendMouse(chart, QEvent::MouseButtonRelease, from + QPoint(60, 40), Qt::NoButton);
  EXPECT_GT(chart.BottomAxis().Range().Lower, time.Lower);
}

namespace {

// Red pixels of the section lines on the shown chart, along the section
// point's column and row inside the plot.
struct SectionLines {
  bool vertical;
  bool horizontal;
};

SectionLines SectionLinesOnScreen(CursorProgram& program) {
  ChartSurface& chart = program.chart();
  chart.Repaint();
  const QImage screen = chart.grab().toImage();
  const QRect plot = chart.PlotRect();
  const int x = program.form().ChartHelper->SectionX();
  const int y = program.form().ChartHelper->SectionY();
  auto red = [&](QRect line) {
    int count = 0;
    const QRect inside = line & plot;
    for (int py = inside.top(); py <= inside.bottom(); ++py) {
      for (int px = inside.left(); px <= inside.right(); ++px) {
        if (screen.pixelColor(px, py) == QColor(Qt::red)) ++count;
      }
    }
    return count;
  };
  return {red(QRect(x, plot.top(), 1, plot.height())) >= plot.height() - 2,
          red(QRect(plot.left(), y, plot.width(), 1)) >= plot.width() - 2};
}

}  // namespace

// The section point keeps its two lines as long as their own coordinate is
// on its axis, whatever changed the other axis, and goes on driving the start.
TEST(CursorReadout, SectionLinesFollowTheirOwnAxis) {
  DecimalSeparatorScope point('.');
  CursorProgram program;
  TMainForm& form = program.form();
  for (std::uint32_t i = 0; i < 5000; ++i) program.data().Temperature[i] = 300;
  form.Temperature_line->trigger();
  form.ChartHelper->SetSection(ChartPoint{1.0, 250.0});
  SectionLines lines = SectionLinesOnScreen(program);
  EXPECT_TRUE(lines.vertical && lines.horizontal);

  form.Temperature_line->trigger();  // hidden: the value axis ends at 99
  lines = SectionLinesOnScreen(program);
  EXPECT_TRUE(lines.vertical);
  EXPECT_FALSE(lines.horizontal);
  SendMouse(program.chart(), QEvent::MouseMove, program.PixelOf(3.0, 50.0), Qt::NoButton);
  EXPECT_EQ(form.StartPoint->text(), QStringLiteral("1.000"));
  EXPECT_EQ(program.panel(2), QStringLiteral("X2= 1.000 c"));

  form.Temperature_line->trigger();
  const QPoint from = program.PixelOf(2.0, 280.0);
  const QPoint to = program.PixelOf(3.0, 220.0);
  SendMouse(program.chart(), QEvent::MouseButtonPress, from, Qt::LeftButton);
  SendMouse(program.chart(), QEvent::MouseMove, to, Qt::LeftButton);
  SendMouse(program.chart(), QEvent::MouseButtonRelease, to, Qt::NoButton);  // times 2 … 3 s
  lines = SectionLinesOnScreen(program);
  EXPECT_FALSE(lines.vertical);
  EXPECT_TRUE(lines.horizontal);

  form.FitAllItem->trigger();  // "Вместить всё", then a value zoom that leaves 250 out
  program.chart().LeftAxis().SetRange(0, 100);
  lines = SectionLinesOnScreen(program);
  EXPECT_TRUE(lines.vertical);
  EXPECT_FALSE(lines.horizontal);
  form.FitVerticalItem->trigger();  // "Вместить по вертикали"
  lines = SectionLinesOnScreen(program);
  EXPECT_TRUE(lines.vertical && lines.horizontal);
}

// A held interval reads as the mouse would have set it, keeps its stop
// while the mouse moves on, and gives way to the next double-click.
TEST(CursorReadout, AHeldIntervalIsTheMousesAndIgnoresMovesUntilADoubleClick) {
  DecimalSeparatorScope point('.');
  CursorProgram program;
  TMainForm& form = program.form();
  const QPoint start = program.PixelOf(1.0, 0.5);
  const QPoint stop = program.PixelOf(3.0, 0.5);  // the same height
  program.DoubleClickAt(start);
  program.MoveTo(stop);
  const QStringList byMouse = {form.StartPoint->text(), form.StopPoint->text(), program.panel(2),
                               program.panel(3),        program.panel(4),       program.panel(5)};
  const SelectedInterval mouseInterval = form.RecordingSession().Interval();
  const auto timeOf = [&](QPoint p) { return program.chart().BottomAxis().PixelToValue(p.x()); };

  form.HoldInterval(timeOf(start), timeOf(stop));
  const QStringList held = {form.StartPoint->text(), form.StopPoint->text(), program.panel(2),
                            program.panel(3),        program.panel(4),       program.panel(5)};
  EXPECT_EQ(held, byMouse);
  EXPECT_EQ(form.RecordingSession().Interval(), mouseInterval);
  EXPECT_TRUE(form.IntervalHeld());
  EXPECT_TRUE(form.HeldIntervalPanel->isVisible());

  const QPoint later = program.PixelOf(4.0, 0.5);
  const QString laterText = QString::fromStdString(FormatFixed(timeOf(later), 7, 3));
  program.MoveTo(later);
  EXPECT_EQ(form.StopPoint->text(), byMouse[1]);  // the stop stays
  EXPECT_EQ(program.panel(0), QStringLiteral("X1= ") + laterText + QStringLiteral(" c"));

  program.DoubleClickAt(program.PixelOf(2.0, 0.5));
  EXPECT_FALSE(form.HeldIntervalPanel->isVisible());
  program.MoveTo(later);
  EXPECT_EQ(form.StopPoint->text(), laterText);
}

// Whatever moves the interval's ends lets a held interval go: an import, an
// opened codes file, a crop.
TEST(CursorReadout, ALoadOrACropLetsAHeldIntervalGo) {
  std::string codes;
  for (int i = 0; i < 10; ++i) codes += "32768;32768;32768\r\n";
  const TempFile codesFile("held.csv", std::vector<std::uint8_t>(codes.begin(), codes.end()));
  const TempFile loggerFile("held.dat", LoggerBytes(10));
  const std::pair<const char*, std::function<void(TMainForm&)>> actions[] = {
      {"import", [&](TMainForm& f) { f.ImportFileRoutine(loggerFile.path()); }},
      {"codes file", [&](TMainForm& f) { f.OpenFileRoutine(codesFile.path()); }},
      {"crop", [](TMainForm& f) { f.CropClick(); }},
  };
  for (const auto& [name, action] : actions) {
    CursorProgram program;
    program.form().HoldInterval(1.0, 2.0);
    ASSERT_TRUE(program.form().IntervalHeld()) << name;
    action(program.form());
    EXPECT_FALSE(program.form().IntervalHeld()) << name;
    EXPECT_FALSE(program.form().HeldIntervalPanel->isVisible()) << name;
  }
}
