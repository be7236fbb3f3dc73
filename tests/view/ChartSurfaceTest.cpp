#include <gmock/gmock.h>

#include <QSignalSpy>
#include <QTemporaryDir>
#include <cmath>
#include <numeric>
#include <stdexcept>

#include "view/ChartFixture.h"
#include "view/SampleCurve.h"

namespace {

using ::testing::DoubleEq;
using ::testing::DoubleNear;

std::vector<double> Ramp(std::size_t n, double step = 1.0) {
  std::vector<double> values(n);
  for (std::size_t i = 0; i < n; ++i) values[i] = static_cast<double>(i) * step;
  return values;
}

TEST(SampleSourceTest, SeriesReadEveryPointFromTheCallersArray) {
  ChartSurface chart;
  const std::vector<double> codes = {10, 20, 30, 40, 50};
  ChartSeries* scaled = chart.AddSeries("Series1");
  scaled->Append({codes.data(), 2.0, 1.0, 1, codes.size() - 1, 0.001});
  ASSERT_EQ(scaled->PointCount(), 4u);
  EXPECT_THAT(scaled->Point(0).x(), DoubleEq(0.001));
  EXPECT_THAT(scaled->Point(0).y(), DoubleEq(41.0));
  EXPECT_THAT(scaled->Point(3).x(), DoubleEq(0.004));
  EXPECT_THAT(scaled->Point(3).y(), DoubleEq(101.0));
  EXPECT_THROW(scaled->Point(4), std::out_of_range);

  // A two-sample recording shows one point, at 0.001 s.
  ChartSeries* shortOne = chart.AddSeries("Series2");
  shortOne->Append({codes.data(), 1.0, 0.0, 1, 1, 0.001});
  ASSERT_EQ(shortOne->PointCount(), 1u);
  EXPECT_THAT(shortOne->Point(0).x(), DoubleEq(0.001));

  // Without values every point lies on the offset: the threshold lines.
  ChartSeries* threshold = chart.AddSeries("Series3");
  threshold->Append({nullptr, 1.0, -25.0, 1, 1499999, 0.001});
  EXPECT_EQ(threshold->PointCount(), 1499999u);
  EXPECT_THAT(threshold->Point(1499998).x(), DoubleEq(1499999 * 0.001));
  EXPECT_THAT(threshold->Point(1499998).y(), DoubleEq(-25.0));

  // Times come from the integer sample index, as the recording defines them.
  EXPECT_EQ(threshold->Point(1234566).x(), static_cast<double>(std::int64_t{1234567}) * 0.001);

  EXPECT_THROW(scaled->Append({codes.data(), 1.0, 0.0, 0, 2, 0.001}), std::logic_error);
  scaled->Clear();
  EXPECT_EQ(scaled->PointCount(), 0u);
  scaled->Append({codes.data(), 1.0, 0.0, 0, 2, 0.001});
  EXPECT_EQ(scaled->PointCount(), 2u);

  EXPECT_EQ(chart.SeriesCount(), 3);
  EXPECT_EQ(chart.FindSeries("Series2"), shortOne);
  EXPECT_EQ(chart.Series(2), threshold);
  EXPECT_EQ(chart.FindSeries("Series9"), nullptr);
  EXPECT_EQ(chart.Series(3), nullptr);
}

// The caller lets go of its arrays while the series still shows them, as
// the spectra window once did: the series keeps them until it is cleared.
TEST(SampleSourceTest, ASeriesKeepsTheArraysItViewsUntilItIsCleared) {
  struct Spectrum {
    std::vector<double> values{4, 3, 2, 1};
    std::vector<double> frequencies{1, 2, 4, 8};
  };
  auto spectrum = std::make_shared<const Spectrum>();
  const std::weak_ptr<const Spectrum> watched = spectrum;
  ChartSurface chart;
  ChartSeries* series = chart.AddSeries("Series1");
  series->Append({.values = spectrum->values.data(),
                  .count = spectrum->values.size(),
                  .keys = spectrum->frequencies.data(),
                  .owner = spectrum});
  spectrum.reset();
  chart.Invalidate();  // the automatic ranges read every key
  chart.Repaint();
  EXPECT_FALSE(watched.expired());
  EXPECT_EQ(series->Point(3), QPointF(8, 1));
  EXPECT_EQ(chart.BottomAxis().Range().Upper, 8);
  series->Clear();
  EXPECT_TRUE(watched.expired());
}

// The block summary a full view is drawn from gives the extremes a plain
// scan gives, for every span, whatever block position a spike takes.
TEST(SampleSummaryTest, RangeExtremesMatchAPlainScan) {
  std::vector<double> values(1000);
  for (std::size_t i = 0; i < values.size(); ++i) values[i] = std::sin(0.37 * i) * 5;
  for (std::size_t spike : {3u, 64u, 127u, 200u, 517u, 999u}) values[spike] = spike % 2 ? 40 : -40;
  SampleSummary summary;
  summary.Assign({values.data(), -2.0, 1.0, 1, values.size() - 1, 0.001, 32.0});
  for (std::size_t begin : {0u, 1u, 63u, 64u, 130u, 500u}) {
    for (std::size_t end : {begin + 1, begin + 7, begin + 64, begin + 200, std::size_t{999}}) {
      if (end > summary.Count() || end <= begin) continue;
      double low = summary.Y(begin), high = low;
      for (std::size_t k = begin; k < end; ++k) {
        low = std::min(low, summary.Y(k));
        high = std::max(high, summary.Y(k));
      }
      const SampleSummary::Extremes e = summary.RangeExtremes(begin, end);
      EXPECT_EQ(e.Min, low) << begin << " " << end;
      EXPECT_EQ(e.Max, high) << begin << " " << end;
    }
  }
  const SampleSummary::Extremes all = summary.ValueRange();
  EXPECT_EQ(all.Min, (40 - 32.0) * -2.0 + 1.0);
  EXPECT_EQ(all.Max, (-40 - 32.0) * -2.0 + 1.0);
}

class ChartSurfaceTest : public ChartFixture {};

TEST_F(ChartSurfaceTest, SingleSampleSpikesSurviveAFullView) {
  std::vector<double> values(1000000, 0.0);
  values[654321] = 100.0;
  values[123456] = -50.0;
  ChartSeries* series = AddSeries(std::move(values), Qt::red);
  Settle();

  const QRect plot = chart.PlotRect();
  const QImage screen = Screen();
  const int upColumn = static_cast<int>(series->XToPixel(654.321));
  const int downColumn = static_cast<int>(series->XToPixel(123.456));
  // The automatic range puts the spike's tip on the plot's top and bottom rows.
  EXPECT_GT(CountColor(screen, QRect(upColumn - 1, plot.top(), 3, 3), Qt::red), 0);
  EXPECT_GT(CountColor(screen, QRect(downColumn - 1, plot.bottom() - 2, 3, 3), Qt::red), 0);

  // Zoomed in far enough for raw lines, the spike is drawn just the same.
  chart.BottomAxis().SetRange(654.2, 654.4);
  Settle();
  const int zoomedColumn = static_cast<int>(series->XToPixel(654.321));
  EXPECT_GT(CountColor(Screen(), QRect(zoomedColumn - 1, plot.top(), 3, 3), Qt::red), 0);
}

TEST_F(ChartSurfaceTest, AutomaticRangeFollowsDataUntilAZoomAndUndoGivesItBack) {
  ChartSeries* ramp = AddSeries(Ramp(1001));
  EXPECT_THAT(chart.BottomAxis().Range().Lower, DoubleEq(0.001));
  EXPECT_THAT(chart.BottomAxis().Range().Upper, DoubleEq(1.0));
  EXPECT_THAT(chart.LeftAxis().Range().Lower, DoubleEq(1.0));
  EXPECT_THAT(chart.LeftAxis().Range().Upper, DoubleEq(1000.0));

  AddSeries(Ramp(2001, -1.0));  // more time, negative values: both ranges grow
  EXPECT_THAT(chart.BottomAxis().Range().Upper, DoubleEq(2.0));
  EXPECT_THAT(chart.LeftAxis().Range().Lower, DoubleEq(-2000.0));
  Settle();

  const QRect plot = chart.PlotRect();
  Drag(Qt::LeftButton, plot.center() - QPoint(100, 50), plot.center() + QPoint(100, 50));
  EXPECT_FALSE(chart.BottomAxis().Automatic());
  EXPECT_FALSE(chart.LeftAxis().Automatic());
  EXPECT_TRUE(chart.CanUndoZoom());
  const ChartRange zoomed = chart.BottomAxis().Range();
  EXPECT_NEAR(zoomed.Upper - zoomed.Lower, 1.999 * 201.0 / plot.width(), 1e-9);

  // Fixed axes ignore new data.
  ramp->Clear();
  ramp->Append({arrays.front().data(), 5.0, 0.0, 1, 1000, 0.001});
  EXPECT_THAT(chart.BottomAxis().Range().Lower, DoubleEq(zoomed.Lower));

  chart.UndoZoom();
  EXPECT_TRUE(chart.BottomAxis().Automatic());
  EXPECT_TRUE(chart.LeftAxis().Automatic());
  EXPECT_FALSE(chart.CanUndoZoom());
  EXPECT_THAT(chart.LeftAxis().Range().Upper, DoubleEq(5000.0));
  EXPECT_THAT(chart.BottomAxis().Range().Upper, DoubleEq(2.0));

  // A range set by hand is not undone: only interactive zooms are.
  chart.LeftAxis().SetRange(3, -3);
  chart.UndoZoom();
  EXPECT_FALSE(chart.LeftAxis().Automatic());
  EXPECT_THAT(chart.LeftAxis().Range().Lower, DoubleEq(-3.0));
}

TEST_F(ChartSurfaceTest, WheelZoomsTimeAroundThePointerAndRightDragPans) {
  AddSeries(Ramp(10001));
  Settle();
  QSignalSpy zoomed(&chart, &ChartSurface::Zoomed);
  QSignalSpy scrolled(&chart, &ChartSurface::Scrolled);
  const QRect plot = chart.PlotRect();
  const QPoint pointer(plot.left() + plot.width() / 4, plot.center().y());
  const double timeUnderPointer = chart.BottomAxis().PixelToValue(pointer.x());
  const ChartRange before = chart.BottomAxis().Range();
  const ChartRange values = chart.LeftAxis().Range();

  Wheel(pointer, 2);
  const ChartRange after = chart.BottomAxis().Range();
  EXPECT_NEAR(after.Upper - after.Lower, (before.Upper - before.Lower) * 0.85 * 0.85, 1e-9);
  EXPECT_NEAR(chart.BottomAxis().PixelToValue(pointer.x()), timeUnderPointer, 1e-9);
  EXPECT_THAT(chart.LeftAxis().Range().Lower, DoubleEq(values.Lower));
  EXPECT_EQ(zoomed.count(), 1);
  Wheel(pointer, -2);
  EXPECT_NEAR(chart.BottomAxis().Range().Upper - chart.BottomAxis().Range().Lower,
              before.Upper - before.Lower, 1e-9);

  const double timePerPixel =
      chart.BottomAxis().PixelToValue(1) - chart.BottomAxis().PixelToValue(0);
  const double valuePerPixel = chart.LeftAxis().PixelToValue(0) - chart.LeftAxis().PixelToValue(1);
  const ChartRange timeBeforePan = chart.BottomAxis().Range();
  Drag(Qt::RightButton, plot.center(), plot.center() + QPoint(100, 40));
  EXPECT_NEAR(chart.BottomAxis().Range().Lower, timeBeforePan.Lower - 100 * timePerPixel, 1e-6);
  EXPECT_NEAR(chart.LeftAxis().Range().Lower, values.Lower + 40 * valuePerPixel, 1e-6);
  EXPECT_GE(scrolled.count(), 1);

  // A click is not a zoom rectangle.
  const ChartRange beforeClick = chart.BottomAxis().Range();
  QTest::mouseClick(&chart, Qt::LeftButton, {}, plot.center());
  EXPECT_THAT(chart.BottomAxis().Range().Lower, DoubleEq(beforeClick.Lower));
  EXPECT_EQ(zoomed.count(), 2);
}

TEST_F(ChartSurfaceTest, TitleAndFooterAreHiddenAndTheirLinesNeverAccumulate) {
  ChartTextBlock& footer = chart.Footer();
  EXPECT_FALSE(chart.Title().Visible());
  EXPECT_FALSE(footer.Visible());
  footer.SetText("t0 = 1\r\nt1 = 2\r\n");
  footer.SetText("t0 = 1\r\nt1 = 2\r\n");
  EXPECT_EQ(footer.Lines(), QStringList({"t0 = 1", "t1 = 2"}));
  footer.AddLine("dt = 1");
  EXPECT_EQ(footer.Lines().size(), 3);
  EXPECT_EQ(footer.Text(), "t0 = 1\nt1 = 2\ndt = 1");

  // Shown blocks take their rows from the plot; hidden ones give them back.
  const QRect bare = chart.PlotRect();
  chart.Title().SetText("TORVIK ->   demo.dat");
  chart.Title().SetVisible(true);
  footer.SetVisible(true);
  Settle();
  const QRect withBlocks = chart.PlotRect();
  EXPECT_GT(withBlocks.top(), bare.top());
  EXPECT_LT(withBlocks.bottom(), bare.bottom());
  footer.Clear();
  EXPECT_TRUE(footer.Lines().isEmpty());
  chart.Title().SetVisible(false);
  footer.SetVisible(false);
  Settle();
  EXPECT_EQ(chart.PlotRect(), bare);
}

TEST_F(ChartSurfaceTest, OverlayLinesToggleWithoutRepaintingDataAndGoWithARepaint) {
  AddSeries(Ramp(5001));
  Settle();
  QSignalSpy cleared(&chart, &ChartSurface::OverlayCleared);
  const std::uint64_t draws = chart.DataDrawCount();
  const QRect plot = chart.PlotRect();
  const int column = plot.left() + 37;
  auto drawXor = [&] {
    auto canvas = chart.OverlayCanvas();
    canvas->SetPenColor(Qt::yellow);
    canvas->SetPenMode(ChartCanvas::PenMode::Xor);
    canvas->MoveTo(column, plot.top());
    canvas->LineTo(column, plot.bottom());
  };

  drawXor();
  ASSERT_EQ(chart.OverlayLines().size(), 1u);
  EXPECT_GT(CountColor(Screen(), QRect(column, plot.top(), 1, plot.height()), Qt::yellow),
            plot.height() / 2);
  drawXor();
  EXPECT_TRUE(chart.OverlayLines().empty());
  EXPECT_EQ(CountColor(Screen(), QRect(column, plot.top(), 1, plot.height()), Qt::yellow), 0);
  EXPECT_EQ(chart.DataDrawCount(), draws);

  drawXor();
  chart.Repaint();
  EXPECT_TRUE(chart.OverlayLines().empty());
  EXPECT_GE(cleared.count(), 1);
  EXPECT_GT(chart.DataDrawCount(), draws);
}

TEST_F(ChartSurfaceTest, HooksDrawAroundEverySeriesInClientPixels) {
  ChartSeries* first = AddSeries(Ramp(101), Qt::red);
  ChartSeries* second = AddSeries(Ramp(101, 2.0), Qt::green);
  std::vector<QString> calls;
  auto hook = [&](const char* when) {
    return [&calls, when](ChartSeries& series, ChartCanvas& canvas) {
      calls.push_back(series.Name() + when);
      canvas.SetPenColor(Qt::cyan);
      canvas.MoveTo(100, 20);
      canvas.LineTo(100, 60);
    };
  };
  for (ChartSeries* s : {first, second}) {
    s->SetBeforeDrawValues(hook(" before"));
    s->SetAfterDrawValues(hook(" after"));
  }
  Settle();
  calls.clear();
  chart.Repaint();
  EXPECT_EQ(calls, std::vector<QString>(
                       {"Series1 before", "Series1 after", "Series2 before", "Series2 after"}));
  EXPECT_EQ(CountColor(Screen(), QRect(100, 20, 1, 40), Qt::cyan), 40);

  first->SetBeforeDrawValues(nullptr);
  calls.clear();
  chart.Repaint();
  EXPECT_EQ(calls.size(), 3u);
}

TEST_F(ChartSurfaceTest, PrintKeepsSevenPerCentMarginsAndStretchesTheChart) {
  AddSeries(Ramp(3001));
  chart.SetPanelColor(QColor(0, 0, 128));
  Settle();
  const QRect screenPlot = chart.PlotRect();
  QImage page(1000, 500, QImage::Format_RGB32);
  page.fill(Qt::magenta);
  chart.Render(page, QRectF(page.rect()));
  // 7 % of 1000 is 70 pixels, of 500 is 35: the margins stay blank, the
  // panel reaches right up to them on every side.
  EXPECT_EQ(page.pixelColor(68, 250), QColor(Qt::magenta));
  EXPECT_EQ(page.pixelColor(72, 250), QColor(0, 0, 128));
  EXPECT_EQ(page.pixelColor(931, 250), QColor(Qt::magenta));
  EXPECT_EQ(page.pixelColor(927, 250), QColor(0, 0, 128));
  EXPECT_EQ(page.pixelColor(500, 33), QColor(Qt::magenta));
  EXPECT_EQ(page.pixelColor(500, 37), QColor(0, 0, 128));
  EXPECT_EQ(page.pixelColor(500, 466), QColor(Qt::magenta));
  EXPECT_EQ(page.pixelColor(500, 463), QColor(0, 0, 128));
  // The screen layout comes back after the render.
  EXPECT_EQ(chart.PlotRect(), screenPlot);
}

TEST_F(ChartSurfaceTest, ScreenshotOfAChartWithDataSavesAsPng) {
  std::vector<double> wave(20000);
  for (std::size_t i = 0; i < wave.size(); ++i) wave[i] = std::sin(static_cast<double>(i) / 300.0);
  AddSeries(std::move(wave), Qt::yellow);
  chart.SetPanelColor(QColor(0, 0, 128));
  chart.BottomAxis().SetTitle(QStringLiteral("Время, c"));
  Settle();
  QTemporaryDir dir;
  const QString path = dir.filePath("screenshot.png");
  ASSERT_TRUE(Screen().save(path));
  const QImage saved(path);
  ASSERT_EQ(saved.size(), chart.size());
  EXPECT_GT(CountColor(saved, chart.PlotRect(), Qt::yellow), chart.PlotRect().width());
}

}  // namespace
