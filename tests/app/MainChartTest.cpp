// What the chart shows for each view option, and the vibration speed it computes.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QImage>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QWheelEvent>

#include "analysis/VibroSpeed.h"
#include "support/ReferenceVibroSpeed.h"
#include "support/StartedProgram.h"
#include "view/ChartExportDialog.h"
#include "view/ChartSurface.h"

namespace {

// A recording of `count` samples with distinct codes on every axis.
void Fill(StartedProgram& program, std::uint32_t count) {
  Recording& r = program.data();
  r.SampleCount = count;
  for (std::uint32_t i = 0; i < count; ++i) {
    r.CodesX[i] = 33000 + i;
    r.CodesY[i] = 32000 - i;
    r.CodesZ[i] = 40000;
    r.Temperature[i] = 20 + 0.01 * i;
    r.LinSpeedX[i + 1] = 0.5 + 0.001 * i;
  }
  r.Calibration = {AxisCalibration{32768, 0.01}, AxisCalibration{32768, 0.02},
                   AxisCalibration{30000, 0.5}};
}

void ShowEverything(TMainForm& form) {
  for (QAction* item : {form.AccelX_line, form.AccelY_line, form.AccelZ_line, form.Speed_X_Line,
                        form.Vibro_X_Line, form.Temperature_line, form.Boundslevel_check}) {
    item->setChecked(true);
  }
}

}  // namespace

TEST(ChartView, EveryShownSeriesHasOnePointPerSampleButTheFirst) {
  StartedProgram program;
  TMainForm& form = program.form();
  Fill(program, 100);
  ShowEverything(form);
  form.UpdateGraph();
  for (int i = 0; i < 8; ++i) EXPECT_EQ(form.Series[i]->PointCount(), 99u) << i;
  EXPECT_DOUBLE_EQ(form.Series[1]->Point(0).x(), 0.001);
  EXPECT_DOUBLE_EQ(form.Series[1]->Point(98).x(), 0.099);

  Fill(program, 2);
  form.UpdateGraph();
  ASSERT_EQ(form.Series[4]->PointCount(), 1u);
  EXPECT_DOUBLE_EQ(form.Series[4]->Point(0).x(), 0.001);
  Fill(program, 1);
  form.UpdateGraph();
  for (int i = 0; i < 8; ++i) EXPECT_EQ(form.Series[i]->PointCount(), 0u);
}

TEST(ChartView, EachMenuItemFillsItsSeries) {
  StartedProgram program;
  TMainForm& form = program.form();
  Fill(program, 50);
  const std::pair<QAction*, std::vector<int>> items[] = {
      {form.Vibro_X_Line, {0}},        {form.AccelX_line, {1}},      {form.AccelY_line, {2}},
      {form.AccelZ_line, {3}},         {form.Temperature_line, {4}}, {form.Speed_X_Line, {5}},
      {form.Boundslevel_check, {6, 7}}};
  for (const auto& [item, series] : items) {
    item->trigger();  // ticks and redraws
    for (int i = 0; i < 8; ++i) {
      const bool filled = std::find(series.begin(), series.end(), i) != series.end();
      EXPECT_EQ(form.Series[i]->PointCount() > 0, filled) << item->text().toStdString() << " " << i;
    }
    item->trigger();
  }
}

TEST(ChartView, ColoursWidthsAndValues) {
  StartedProgram program;
  TMainForm& form = program.form();
  Fill(program, 10);
  ShowEverything(form);
  form.ApplyBoundLevel(30);
  form.UpdateGraph();
  const QColor colours[] = {QColor(255, 255, 255), QColor(255, 0, 0),    QColor(255, 255, 0),
                            QColor(0, 255, 0),     QColor(255, 128, 0),  QColor(0, 255, 255),
                            QColor(255, 128, 192), QColor(255, 128, 192)};
  const int widths[] = {1, 1, 1, 1, 1, 3, 3, 3};
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(form.Series[i]->Name(), QStringLiteral("Series%1").arg(i + 1));
    EXPECT_EQ(form.Series[i]->Color(), colours[i]);
    EXPECT_EQ(form.Series[i]->LineWidth(), widths[i]);
    EXPECT_EQ(form.Series[i]->DrawAllPoints(), i < 6);
  }
  // Sample 3: X code 33003, Y code 31997.
  EXPECT_NEAR(form.Series[1]->Point(2).y(), (33003 - 32768) * 0.01, 1e-12);
  EXPECT_NEAR(form.Series[2]->Point(2).y(), (31997 - 32768) * 0.02, 1e-12);
  EXPECT_NEAR(form.Series[3]->Point(2).y(), (40000 - 30000) * 0.5, 1e-9);
  EXPECT_DOUBLE_EQ(form.Series[4]->Point(2).y(), 20.03);
  EXPECT_DOUBLE_EQ(form.Series[5]->Point(2).y(), program.data().LinSpeedX[3]);
  EXPECT_EQ(form.Series[6]->Point(2).y(), 30);
  EXPECT_EQ(form.Series[7]->Point(2).y(), -30);
}

TEST(ChartView, InversionFlipsAccelerationsAndSpeedsOnly) {
  StartedProgram program;
  TMainForm& form = program.form();
  Fill(program, 10);
  ShowEverything(form);
  form.UpdateGraph();
  std::vector<double> upright;
  for (int i = 0; i < 8; ++i) upright.push_back(form.Series[i]->Point(4).y());
  form.Inversion_chek_box->click();
  for (int i : {0, 1, 2, 3, 5}) EXPECT_NEAR(form.Series[i]->Point(4).y(), -upright[i], 1e-12) << i;
  for (int i : {4, 6, 7}) EXPECT_EQ(form.Series[i]->Point(4).y(), upright[i]) << i;
}

TEST(ChartView, CodesModeShowsRawCodesWithoutSpeedsOrThresholds) {
  StartedProgram program;
  TMainForm& form = program.form();
  Fill(program, 10);
  ShowEverything(form);
  form.Inversion_chek_box->setChecked(true);
  program.windows->ParamForm->Output_in_codes->setChecked(true);
  form.UpdateGraph();
  for (int i : {0, 5, 6, 7}) EXPECT_EQ(form.Series[i]->PointCount(), 0u) << i;
  EXPECT_EQ(form.Series[1]->Point(0).y(), 33001);
  EXPECT_EQ(form.Series[2]->Point(0).y(), 31999);
  EXPECT_DOUBLE_EQ(form.Series[4]->Point(0).y(), 20.01);
  EXPECT_EQ(form.CHART->LeftAxis().Title(), QStringLiteral("А,м/с2 + V,м/с"));
}

TEST(ChartView, VibrationSpeedIsTheFilteredLinearSpeedFromAClearedFilter) {
  StartedProgram program;
  TMainForm& form = program.form();
  Fill(program, 500);
  const std::vector<double> expected = ReferenceVibroSpeed(program.data());
  form.Vibro_X_Line->trigger();
  form.Vibro_X_Line->trigger();  // hidden
  form.Vibro_X_Line->trigger();  // shown again: the same values, not a continuation
  for (std::uint32_t i = 1; i < 500; ++i) {
    ASSERT_EQ(program.data().VibroSpeedX[i], expected[i - 1]) << i;
    ASSERT_EQ(form.Series[0]->Point(i - 1).y(), expected[i - 1]) << i;
  }
  EXPECT_NEAR(expected[0], 0.903314275 * 0.5, 1e-9);  // first output of a cleared filter
}

TEST(ChartView, FitCommandsAndZoomUndo) {
  StartedProgram program;
  TMainForm& form = program.form();
  Fill(program, 1000);
  form.AccelX_line->trigger();
  form.CHART->Repaint();
  form.CHART->LeftAxis().SetRange(-1, 1);
  form.CHART->BottomAxis().SetRange(0.2, 0.3);
  form.FitVerticalItem->trigger();
  EXPECT_TRUE(form.CHART->LeftAxis().Automatic());
  EXPECT_FALSE(form.CHART->BottomAxis().Automatic());
  form.FitAllItem->trigger();
  EXPECT_TRUE(form.CHART->BottomAxis().Automatic());
  form.CHART->Repaint();
  EXPECT_NEAR(form.CHART->BottomAxis().Range().Upper, 0.999, 0.05);

  // A wheel zoom fixes the axes; the chart set-up after the presets undoes it.
  const QPoint centre = form.CHART->PlotRect().center();
  QWheelEvent wheel(centre, form.CHART->mapToGlobal(centre), QPoint(), QPoint(0, 120), Qt::NoButton,
                    Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(form.CHART, &wheel);
  EXPECT_FALSE(form.CHART->BottomAxis().Automatic());
  form.PresetsItem->trigger();
  EXPECT_TRUE(form.CHART->BottomAxis().Automatic());
  EXPECT_TRUE(form.CHART->LeftAxis().Automatic());
}

TEST(ChartView, TheDemoRecordingRendersToAPicture) {
  StartedProgram program;
  TMainForm& form = program.form();
  TempFile demo("chart_demo.dat", loggen::MakeLoggerFile(loggen::DemoOptions()));
  program.dialogs.openAnswers.push_back(demo.path());
  form.ImportFile->trigger();
  ShowEverything(form);
  form.UpdateGraph();
  // As a user exports it: the export dialog, PNG at a chosen size, a file name.
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  const QString png = folder.filePath(QStringLiteral("chart_demo.png"));
  program.dialogs.saveAnswers.push_back(SaveChoice{png, 0});
  program.dialogs.modalActions.push_back([](QDialog& dialog) {
    auto& exportForm = dynamic_cast<TChartExportForm&>(dialog);
    exportForm.Formats->button(static_cast<int>(ChartExportFormat::Png))->click();
    exportForm.WidthEdit->setValue(1153);
    exportForm.HeightEdit->setValue(500);
    QTest::mouseClick(exportForm.SaveButton, Qt::LeftButton);
  });
  form.Run(&TMainForm::ChartExportClick);
  EXPECT_TRUE(program.dialogs.shown.empty());
  const QImage image(png);
  EXPECT_EQ(image.size(), QSize(1153, 500));
  // The picture holds the chart's lines, not an empty frame: the two
  // threshold lines run across it.
  const QRgb threshold = form.Series[6]->Color().rgb();
  int thresholdPixels = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) thresholdPixels += image.pixel(x, y) == threshold;
  }
  EXPECT_GT(thresholdPixels, image.width());
}

// Each acceleration point is (code − Code0g) × Gain × s, in that order, so
// the 15-digit texts of a data export match the calibration exactly.
TEST(ChartView, AccelerationPointsFollowTheCalibrationExactly) {
  StartedProgram program;
  Recording& r = program.data();
  r.SampleCount = 4000;
  r.Calibration[AxisX] = {32768.37, 0.0123456789};
  r.Calibration[AxisY] = {32701.9, 0.00987654321};
  r.Calibration[AxisZ] = {32811.25, 0.0311};
  for (std::uint32_t i = 0; i < r.SampleCount; ++i) {
    r.CodesX[i] = 30000 + (i * 7919) % 5000;
    r.CodesY[i] = 31000 + (i * 104729) % 3000;
    r.CodesZ[i] = 32000 + (i * 1299709) % 1500;
  }
  TMainForm& form = program.form();
  for (QAction* item : {form.AccelX_line, form.AccelY_line, form.AccelZ_line}) item->trigger();
  const std::array<const Recording::Array*, 3> codes = {&r.CodesX, &r.CodesY, &r.CodesZ};
  for (const double sign : {1.0, -1.0}) {
    form.Inversion_chek_box->setChecked(sign < 0);
    form.UpdateGraph();
    for (int axis = 0; axis < 3; ++axis) {
      const ChartSeries& series = *form.Series[1 + axis];
      const AxisCalibration& c = r.Calibration[axis];
      ASSERT_EQ(series.PointCount(), r.SampleCount - 1u);
      int differing = 0;
      for (std::uint32_t i = 1; i < r.SampleCount; ++i) {
        const double expected = (codes[axis]->get()[i] - c.Code0g) * c.Gain * sign;
        if (series.Point(i - 1).y() != expected) ++differing;
      }
      EXPECT_EQ(differing, 0) << "axis " << axis << " sign " << sign;
    }
  }
}
