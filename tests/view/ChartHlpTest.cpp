#include <gmock/gmock.h>

#include <QCursor>
#include <QSignalSpy>
#include <cmath>

#include "view/ChartFixture.h"
#include "view/ChartHlp.h"

namespace {

class ChartHelperTest : public ChartFixture {
 protected:
  void SetUp() override {
    ChartFixture::SetUp();
    std::vector<double> ramp(2001);
    for (std::size_t i = 0; i < ramp.size(); ++i) ramp[i] = static_cast<double>(i) / 100.0;
    series = AddSeries(std::move(ramp), Qt::green);
    helper.SetChart(&chart);
    Settle();
    plot = chart.PlotRect();
  }

  // The helper reads the mouse position from the system, as on a real screen.
  // The pointer then leaves the plot, so its crosshair hides no section line.
  void DoubleClickAt(QPoint at) {
    QCursor::setPos(chart.mapToGlobal(at));
    QTest::mouseClick(&chart, Qt::LeftButton, {}, at);
    QTest::mouseDClick(&chart, Qt::LeftButton, {}, at);
    QTest::mouseRelease(&chart, Qt::LeftButton, {}, at);
    MoveTo(QPoint(1, 1));
  }
  void MoveTo(QPoint at) { QTest::mouseMove(&chart, at); }
  int RedInPlot() { return CountColor(Screen(), plot, Qt::red); }
  int RedInColumn(int x) {
    return CountColor(Screen(), QRect(x, plot.top(), 1, plot.height()), Qt::red);
  }

  ChartSeries* series = nullptr;
  QRect plot;
  TChartHelper helper;
};

TEST_F(ChartHelperTest, DoubleClickInsideThePlotSetsTheSectionPointOutsideRemovesIt) {
  QSignalSpy cleared(&helper, &TChartHelper::OnClearDetailInformation);
  EXPECT_EQ(helper.SectionX(), -1);
  EXPECT_EQ(helper.SectionY(), -1);

  const QPoint center = plot.center();
  DoubleClickAt(center);
  EXPECT_EQ(helper.SectionX(), center.x());
  EXPECT_EQ(helper.SectionY(), center.y());
  ASSERT_TRUE(helper.Section().has_value());
  EXPECT_NEAR(helper.Section()->Time, series->PixelToX(center.x()), 1e-12);
  EXPECT_NEAR(helper.Section()->Value, series->PixelToY(center.y()), 1e-12);
  EXPECT_EQ(cleared.count(), 1);
  Settle();
  EXPECT_GE(RedInColumn(center.x()), plot.height() - 2);  // the vertical section line

  // Left and top edges belong to the plot, right and bottom edges do not.
  DoubleClickAt(plot.topLeft());
  EXPECT_EQ(helper.SectionX(), plot.left());
  DoubleClickAt(QPoint(plot.left() + plot.width(), center.y()));
  EXPECT_EQ(helper.SectionX(), -1);
  DoubleClickAt(center);
  DoubleClickAt(QPoint(center.x(), plot.top() + plot.height()));
  EXPECT_EQ(helper.SectionX(), -1);
  Settle();
  EXPECT_EQ(RedInPlot(), 0);
}

TEST_F(ChartHelperTest, MouseMovesShowOneCrosshairAndNeverRepaintTheData) {
  QSignalSpy moved(&helper, &TChartHelper::OnChartMouseMove);
  const std::uint64_t draws = chart.DataDrawCount();
  const QPoint first = plot.center() - QPoint(120, 40);
  const QPoint second = plot.center() + QPoint(90, 30);
  MoveTo(first);
  MoveTo(second);

  const std::vector<QLine> lines = chart.OverlayLines();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_THAT(lines, ::testing::UnorderedElementsAre(
                         QLine(second.x(), plot.top(), second.x(), plot.top() + plot.height()),
                         QLine(plot.left(), second.y(), plot.left() + plot.width(), second.y())));
  const QImage screen = Screen();
  EXPECT_GT(CountColor(screen, QRect(second.x(), plot.top(), 1, plot.height()), Qt::yellow),
            plot.height() / 2);
  EXPECT_LE(CountColor(screen, QRect(first.x(), plot.top(), 1, plot.height()), Qt::yellow), 1);
  EXPECT_EQ(chart.DataDrawCount(), draws);
  ASSERT_EQ(moved.count(), 2);
  EXPECT_EQ(moved.last().at(1).toBool(), true);

  // Over the axes the old crosshair goes and no new one comes.
  MoveTo(QPoint(plot.left() - 5, plot.center().y()));
  EXPECT_TRUE(chart.OverlayLines().empty());
  ASSERT_EQ(moved.count(), 3);
  EXPECT_EQ(moved.last().at(1).toBool(), false);
  EXPECT_EQ(chart.DataDrawCount(), draws);
}

TEST_F(ChartHelperTest, ARepaintForgetsTheCrosshairSoTheNextMoveDrawsExactlyOne) {
  MoveTo(plot.center());
  chart.Repaint();
  EXPECT_TRUE(chart.OverlayLines().empty());
  MoveTo(plot.center() + QPoint(10, 10));
  EXPECT_EQ(chart.OverlayLines().size(), 2u);

  QSignalSpy cleared(&helper, &TChartHelper::OnClearDetailInformation);
  helper.RefreshChart();
  QApplication::processEvents();
  EXPECT_EQ(cleared.count(), 1);
  MoveTo(plot.center() + QPoint(20, 20));
  EXPECT_EQ(chart.OverlayLines().size(), 2u);
}

TEST_F(ChartHelperTest, SectionPointKeepsItsTimeThroughZoomAndResize) {
  const QPoint clicked = plot.center();
  DoubleClickAt(clicked);
  const double time = helper.Section()->Time;
  const double value = helper.Section()->Value;

  Wheel(QPoint(plot.left() + 20, clicked.y()), 3);
  Settle();
  EXPECT_EQ(helper.Section()->Time, time);
  EXPECT_NE(helper.SectionX(), clicked.x());
  EXPECT_EQ(helper.SectionX(), std::lround(series->XToPixel(time)));
  EXPECT_GE(RedInColumn(helper.SectionX()), plot.height() - 2);

  chart.resize(600, 420);
  Settle();
  plot = chart.PlotRect();
  EXPECT_EQ(helper.SectionX(), std::lround(series->XToPixel(time)));
  EXPECT_EQ(helper.SectionY(), std::lround(series->YToPixel(value)));
  EXPECT_GE(RedInColumn(helper.SectionX()), plot.height() - 2);

  // Once its time lies outside the view its vertical line goes; the point
  // stays, and so does its horizontal line while its value is in view.
  chart.BottomAxis().SetRange(time + 0.1, time + 0.5);
  Settle();
  EXPECT_LT(helper.SectionX(), plot.left());
  const int row =
      CountColor(Screen(), QRect(plot.left(), helper.SectionY(), plot.width(), 1), Qt::red);
  EXPECT_GE(row, plot.width() - 2);
  EXPECT_EQ(RedInPlot(), row);
  chart.UndoZoom();
  chart.BottomAxis().SetAutomatic(true);
  Settle();
  EXPECT_GT(RedInPlot(), plot.width());
}

TEST_F(ChartHelperTest, SectionXMinusOneRemovesTheSectionAndASavedOneComesBack) {
  const QPoint clicked = plot.center();
  DoubleClickAt(clicked);
  const std::optional<ChartPoint> saved = helper.Section();
  helper.SetSectionX(-1);
  Settle();
  EXPECT_EQ(helper.SectionX(), -1);
  EXPECT_FALSE(helper.Section().has_value());
  EXPECT_EQ(RedInPlot(), 0);

  helper.SetSection(saved);
  Settle();
  EXPECT_EQ(helper.SectionX(), clicked.x());
  EXPECT_GE(RedInColumn(clicked.x()), plot.height() - 2);

  helper.SetSectionX(clicked.x() + 10);
  EXPECT_EQ(helper.SectionX(), clicked.x() + 10);
  EXPECT_EQ(helper.SectionY(), clicked.y());
}

TEST_F(ChartHelperTest, AChangeOfActiveWindowForgetsEveryCrosshair) {
  EXPECT_EQ(TChartHelperList::Instance().Count(), 1);
  MoveTo(plot.center());
  ASSERT_EQ(chart.OverlayLines().size(), 2u);
  {
    QWidget dialog;
    dialog.resize(200, 100);
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    QApplication::processEvents();
    EXPECT_TRUE(chart.OverlayLines().empty());
  }
  chart.activateWindow();
  MoveTo(plot.center() + QPoint(5, 5));
  EXPECT_EQ(chart.OverlayLines().size(), 2u);
  {
    TChartHelper another;
    EXPECT_EQ(TChartHelperList::Instance().Count(), 2);
  }
  EXPECT_EQ(TChartHelperList::Instance().Count(), 1);
}

TEST_F(ChartHelperTest, ColoursSignalsAndUnhooking) {
  EXPECT_EQ(helper.DetailColor(), QColor(255, 255, 0));
  EXPECT_EQ(helper.SectionColor(), QColor(255, 0, 0));
  QSignalSpy cleared(&helper, &TChartHelper::OnClearDetailInformation);
  helper.SetDetailColor(QColor(255, 255, 0));
  EXPECT_EQ(cleared.count(), 0);
  helper.SetDetailColor(Qt::white);
  EXPECT_EQ(cleared.count(), 1);
  QApplication::processEvents();
  MoveTo(plot.center());
  EXPECT_GT(CountColor(Screen(), QRect(plot.center().x(), plot.top(), 1, plot.height()), Qt::white),
            plot.height() / 2);

  // Series added after the chart was set are not hooked.
  AddSeries({0.0, 1.0, 2.0}, Qt::blue);
  Settle();
  QSignalSpy before(&helper, &TChartHelper::BeforeDrawValues);
  QSignalSpy after(&helper, &TChartHelper::AfterDrawValues);
  chart.Repaint();
  EXPECT_EQ(before.count(), 1);
  EXPECT_EQ(after.count(), 1);

  helper.SetChart(nullptr);
  chart.Repaint();
  DoubleClickAt(plot.center());
  EXPECT_EQ(before.count(), 1);
  EXPECT_EQ(helper.SectionX(), -1);
  MoveTo(plot.center() + QPoint(3, 3));
  EXPECT_TRUE(chart.OverlayLines().empty());
}

}  // namespace
