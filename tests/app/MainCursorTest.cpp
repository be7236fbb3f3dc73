// The two cursors on the real window: the interval panels and the status bar.
#include <gtest/gtest.h>

#include <QCursor>
#include <QMouseEvent>

#include "MainTestSupport.h"
#include "analysis/NumberText.h"
#include "view/ChartHlp.h"
#include "view/ChartSurface.h"

namespace {

struct CursorProgram : StartedProgram {
  CursorProgram() {
    Recording& r = data();
    r.SampleCount = 5000;
    for (std::uint32_t i = 0; i < 5000; ++i) r.CodesX[i] = 32768 + (i % 100);
    form().AccelX_line->setChecked(true);
    form().UpdateGraph();
    form().CHART->Repaint();
  }
  ChartSurface& chart() { return *form().CHART; }
  QPoint PixelOf(double time, double value) {
    return QPoint(static_cast<int>(std::lround(chart().BottomAxis().ValueToPixel(time))),
                  static_cast<int>(std::lround(chart().LeftAxis().ValueToPixel(value))));
  }
  void MoveTo(QPoint at) {
    QCursor::setPos(chart().mapToGlobal(at));
    QMouseEvent move(QEvent::MouseMove, at, chart().mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(&chart(), &move);
  }
  void DoubleClickAt(QPoint at) {
    QCursor::setPos(chart().mapToGlobal(at));
    QMouseEvent click(QEvent::MouseButtonDblClick, at, chart().mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&chart(), &click);
  }
  QString panel(int i) { return form().StatusPanels[i]->text(); }
};

}  // namespace

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
  program.form().StartPoint->setText("0.000");
  program.form().StopPoint->setText("0.010");
  program.MoveTo(QPoint(2, 1));
  EXPECT_NE(program.cell(0, 2), first);
  EXPECT_EQ(program.cell(0, 2), QStringLiteral("10.000 м/с2"));  // codes 32768 … 32778, gain 1
}
