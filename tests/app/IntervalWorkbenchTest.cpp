// The interval workbench on the real window: the typed interval, the crop's
// undo and what a crop shows, and the keys on the chart.
#include <gtest/gtest.h>

#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QWheelEvent>
#include <utility>
#include <vector>

#include "support/CursorProgram.h"
#include "text/NumberText.h"
#include "view/ChartHlp.h"
#include "view/ChartSurface.h"
#include "view/IntervalDialog.h"

namespace {

// What the user reads of the interval: both panels, the section point's
// time in the status bar, and the parameter rows.
QStringList IntervalTexts(CursorProgram& program) {
  QStringList texts = {program.form().StartPoint->text(), program.form().StopPoint->text(),
                       program.panel(2)};
  for (int row = 0; row < kParamRowCount; ++row) {
    for (int column = 1; column <= kParamValueColumns; ++column) texts << program.cell(row, column);
  }
  return texts;
}

// What "Интервал…" (Ctrl+I) started with, and whether it was still open
// after the pair had been typed and OK pressed.
struct Typed {
  QStringList started;
  bool openAfterOk = false;
};

Typed TypeInterval(CursorProgram& program, const QString& start, const QString& stop) {
  Typed typed;
  program.dialogs.modalActions.push_back([&](QDialog& d) {
    auto& dialog = static_cast<IntervalDialog&>(d);
    typed.started = {dialog.StartEdit->text(), dialog.StopEdit->text()};
    dialog.StartEdit->setText(start);
    dialog.StopEdit->setText(stop);
    dialog.Buttons->button(QDialogButtonBox::Ok)->click();
    typed.openAfterOk = dialog.isVisible();
  });
  QTest::keyClick(&program.form(), Qt::Key_I, Qt::ControlModifier);
  EXPECT_TRUE(program.dialogs.modalActions.empty()) << "the dialog was not shown";
  return typed;
}

}  // namespace

// The typed pair sets what a double-click at the start and a move to the
// stop set (texts, samples, rows of F5) and holds it; a pair off the
// recording keeps the dialog open with the range in the program's
// separator, and the interval stays.
TEST(TypedInterval, GivesWhatTheMouseWouldAndRefusesPairsOffTheRecording) {
  DecimalSeparatorScope comma(',');
  CursorProgram program;
  TMainForm& form = program.form();
  form.SelectInterval(1.0, 2.0);
  for (const auto& [start, stop] : {std::pair{"abc", "2,000"}, {"0", "5,000"}, {"3,000", "2,0"}}) {
    SCOPED_TRACE(start);
    program.dialogs.Clear();
    EXPECT_TRUE(TypeInterval(program, start, stop).openAfterOk);
    EXPECT_EQ(program.dialogs.Texts(),
              std::vector<QString>{"Введите начало и конец интервала в секундах, от 0,000 до "
                                   "4,999; начало не может быть позже конца."});
    EXPECT_EQ(IntervalTexts(program).mid(0, 3), (QStringList{"1,000", "2,000", ""}));
    EXPECT_TRUE(program.cell(0, 1).isEmpty());  // no calculation
  }
  for (const auto& [start, stop] : {std::pair{1.0, 3.0}, {0.25, 4.5}, {2.2, 2.2005}}) {
    SCOPED_TRACE(start);
    program.DoubleClickAt(program.PixelOf(start, 50));
    program.MoveTo(program.PixelOf(stop, 50));
    form.CalculateClick();
    const QStringList byMouse = IntervalTexts(program);
    const SelectedInterval mouseInterval = form.RecordingSession().Interval();

    form.SelectInterval(0.5, 0.6);  // something else in between
    form.CalculateClick();
    const Typed typed = TypeInterval(program, byMouse[0], byMouse[1]);
    EXPECT_EQ(typed.started, (QStringList{"0,500", "0,600"}));  // the interval it found
    EXPECT_FALSE(typed.openAfterOk);
    EXPECT_EQ(IntervalTexts(program), byMouse);
    EXPECT_EQ(form.RecordingSession().Interval(), mouseInterval);
    program.MoveTo(program.PixelOf(0.1, 50));
    EXPECT_EQ(form.StopPoint->text(), byMouse[1]);  // held
  }
}

namespace {

// What the window shows of the recording: caption, panels, status bar,
// rows, both axes (range, automatic or not, a zoom to undo), the section
// point, whether the interval is held, and the number of samples.
QStringList ShownOnScreen(StartedProgram& program) {
  TMainForm& form = program.form();
  QStringList shown = {form.windowTitle(), form.StartPoint->text(), form.StopPoint->text()};
  for (QLabel* panel : form.StatusPanels) shown << panel->text();
  for (int row = 0; row < kParamRowCount; ++row) shown << program.cell(row, 1);
  const ChartAxesState axes = form.CHART->AxesState();
  for (const ChartAxesState::Axis& axis : {axes.Bottom, axes.Left}) {
    shown << QString::number(axis.Range.Lower, 'g', 17)
          << QString::number(axis.Range.Upper, 'g', 17) << QString::number(axis.Automatic);
  }
  const auto section = form.ChartHelper->Section();
  shown << QString::number(axes.BeforeZoom.has_value())
        << QString::number(section ? section->Time : -1, 'g', 17)
        << QString::number(form.IntervalHeld()) << QString::number(program.data().SampleCount);
  return shown;
}

}  // namespace

// Ctrl+Z gives back the display of before each crop, in turn (the session's
// tests hold the samples against it bit for bit); a load forgets the crops.
TEST(CropUndo, GivesBackTheDisplayOfBeforeEachCrop) {
  DecimalSeparatorScope point('.');
  LoadedProgram program(LoggerBytes(250, 3, 2));  // 5000 samples
  TMainForm& form = program.form();
  form.Vibro_X_Line->trigger();
  EXPECT_FALSE(form.UndoCropItem->isEnabled());

  std::vector<QStringList> before;
  const std::pair<double, double> crops[] = {{0.5, 4.5}, {1.0, 3.0}, {0.2, 1.2}};
  for (const auto& [start, stop] : crops) {
    // A zoom, a section point and a held interval with its rows.
    form.CHART->PanTime(0.05);
    form.HoldInterval(start, stop);
    before.push_back(ShownOnScreen(program));
    QTest::keyClick(&form, Qt::Key_F9);
    EXPECT_TRUE(form.UndoCropItem->isEnabled());
  }
  for (std::size_t undo = 1; undo <= std::size(crops); ++undo) {
    SCOPED_TRACE(undo);
    QTest::keyClick(&form, Qt::Key_Z, Qt::ControlModifier);
    form.CHART->Repaint();
    EXPECT_EQ(ShownOnScreen(program), before[before.size() - undo]);
  }
  EXPECT_FALSE(form.UndoCropItem->isEnabled());

  QTest::keyClick(&form, Qt::Key_F9);
  EXPECT_TRUE(form.UndoCropItem->isEnabled());
  form.ImportFileRoutine(program.file.path());
  EXPECT_FALSE(form.UndoCropItem->isEnabled());
  QTest::keyClick(&form, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(program.data().SampleCount, 5000u);
}

// After a time range fixed by "События" and a rectangle and a wheel zoom, the
// crop shows the whole cropped recording: both axes automatic, the time
// axis over its points, the curve drawn across the plot.
TEST(CropView, ShowsTheWholeCroppedRecordingWhateverZoomCameBefore) {
  DecimalSeparatorScope point('.');
  CursorProgram program;
  TMainForm& form = program.form();
  ChartSurface& chart = program.chart();
  for (std::uint32_t i = 0; i < 5000; ++i) program.data().CodesX[i] = 32768 + (i % 700);
  form.UpdateGraph();
  ShockEvent event;
  event.First = 2483;
  event.Last = 2491;
  event.PeakIndex = 2487;
  form.ShowShockEvent(event);
  chart.Repaint();
  const QPoint from = program.PixelOf(2.47, 410);  // within the fitted values
  const QPoint to = program.PixelOf(2.50, 360);
  SendMouse(chart, QEvent::MouseButtonPress, from, Qt::LeftButton);
  SendMouse(chart, QEvent::MouseMove, to, Qt::LeftButton);
  SendMouse(chart, QEvent::MouseButtonRelease, to, Qt::NoButton);
  const QPoint centre = chart.PlotRect().center();
  QWheelEvent wheel(centre, chart.mapToGlobal(centre), QPoint(), QPoint(0, 120), Qt::NoButton,
                    Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(&chart, &wheel);
  ASSERT_LT(chart.BottomAxis().Range().Upper - chart.BottomAxis().Range().Lower, 0.05);

  form.SelectInterval(1.0, 4.0);
  QTest::keyClick(&form, Qt::Key_F9);
  chart.Repaint();
  EXPECT_TRUE(chart.BottomAxis().Automatic());
  EXPECT_TRUE(chart.LeftAxis().Automatic());
  EXPECT_DOUBLE_EQ(chart.BottomAxis().Range().Lower, 0.001);
  EXPECT_DOUBLE_EQ(chart.BottomAxis().Range().Upper, 2.999);
  const double lowest = Acceleration(32768, program.data().Calibration[AxisX]);
  const double highest = Acceleration(32768 + 699, program.data().Calibration[AxisX]);
  EXPECT_DOUBLE_EQ(chart.LeftAxis().Range().Lower, lowest);
  EXPECT_DOUBLE_EQ(chart.LeftAxis().Range().Upper, highest);
  ASSERT_EQ(form.Series[1]->PointCount(), 2999u);

  // Red across the plot, from its first to its last columns, top to bottom.
  const QImage screen = chart.grab().toImage();
  const QRect plot = chart.PlotRect();
  int left = plot.right(), right = plot.left(), top = plot.bottom(), bottom = plot.top();
  for (int y = plot.top(); y <= plot.bottom(); ++y) {
    for (int x = plot.left(); x <= plot.right(); ++x) {
      if (screen.pixelColor(x, y) != QColor(Qt::red)) continue;
      left = std::min(left, x);
      right = std::max(right, x);
      top = std::min(top, y);
      bottom = std::max(bottom, y);
    }
  }
  EXPECT_LE(left, plot.left() + 2);
  EXPECT_GE(right, plot.right() - 2);
  EXPECT_GT(bottom - top, plot.height() / 2);
}

// With the focus on the chart, as at start: Left and Right pan by a tenth of
// the shown span, Plus and Minus zoom 2× about the middle, Home fits all;
// the zoom before the first key comes back with the zoom undo.
TEST(ChartKeys, EachKeyMovesTheTimeAxisAsStated) {
  CursorProgram program;
  TMainForm& form = program.form();
  ChartSurface& chart = program.chart();
  ASSERT_EQ(QApplication::focusWidget(), &chart);
  chart.BottomAxis().SetRange(1.0, 3.0);
  const ChartAxesState fixed = chart.AxesState();
  const std::tuple<Qt::Key, double, double> keys[] = {
      {Qt::Key_Right, 1.2, 3.2}, {Qt::Key_Right, 1.4, 3.4}, {Qt::Key_Left, 1.2, 3.2},
      {Qt::Key_Plus, 1.7, 2.7},  {Qt::Key_Minus, 1.2, 3.2}, {Qt::Key_Minus, 0.2, 4.2},
      {Qt::Key_Left, -0.2, 3.8}};
  for (const auto& [key, lower, upper] : keys) {
    SCOPED_TRACE(key);
    QTest::keyClick(QApplication::focusWidget(), key);
    EXPECT_NEAR(chart.BottomAxis().Range().Lower, lower, 1e-12);
    EXPECT_NEAR(chart.BottomAxis().Range().Upper, upper, 1e-12);
    EXPECT_FALSE(chart.BottomAxis().Automatic());
  }
  chart.UndoZoom();
  EXPECT_EQ(chart.BottomAxis().Range(), fixed.Bottom.Range);

  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
  chart.LeftAxis().SetRange(0, 1);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Home);  // as "Вместить всё"
  chart.Repaint();
  EXPECT_TRUE(chart.BottomAxis().Automatic());
  EXPECT_TRUE(chart.LeftAxis().Automatic());
  EXPECT_DOUBLE_EQ(chart.BottomAxis().Range().Lower, 0.001);
  EXPECT_DOUBLE_EQ(chart.BottomAxis().Range().Upper, 4.999);
  EXPECT_EQ(form.Series[1]->PointCount(), 4999u);
}
