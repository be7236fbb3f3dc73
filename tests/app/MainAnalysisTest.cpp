// The analysis commands of the window: the parameters with their warnings,
// the presets, the cut-off, the speed correction and the crop.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <cmath>

#include "analysis/DerivedData.h"
#include "analysis/VibroSpeed.h"
#include "dsp/dspIIRFilters.h"
#include "support/ReferenceVibroSpeed.h"
#include "support/StartedProgram.h"
#include "text/NumberText.h"
#include "view/ChartHlp.h"
#include "view/ChartSurface.h"

namespace {

// A quiet recording (X at its zero code) with X at ±30 m/s² on some samples.
void Quiet(StartedProgram& program, std::uint32_t count) {
  Recording& r = program.data();
  r.SampleCount = count;
  r.Calibration[AxisX] = {32768, 0.01};
  for (std::uint32_t i = 0; i < count; ++i) {
    r.CodesX[i] = r.CodesY[i] = r.CodesZ[i] = 32768;
    r.LinSpeedX[i + 1] = 0;
  }
}

void Spike(StartedProgram& program, std::uint32_t first, std::uint32_t last, double ms2) {
  for (std::uint32_t i = first; i <= last; ++i) program.data().CodesX[i] = 32768 + ms2 / 0.01;
}

}  // namespace

TEST(IntervalParameters, RowsMemoAndWarningsInTheirOrder) {
  DecimalSeparatorScope point('.');
  StartedProgram program;
  TMainForm& form = program.form();
  Quiet(program, 5000);
  Spike(program, 1000, 1011, 30);
  Spike(program, 3000, 3020, -30);
  form.AccelX_line->setChecked(true);
  form.AccelY_line->setChecked(true);
  form.SelectInterval(0.000, 4.999);
  form.ParamViews->item(1, 1)->setText("old");
  std::vector<QString> memoAtBox;
  std::vector<QString> rowYAtBox;
  program.dialogs.onBox = [&](const FakeUserDialogs::Shown&) {
    memoAtBox.push_back(form.ExceedanceMemo->toPlainText());
    rowYAtBox.push_back(program.cell(1, 1));
  };
  QTest::keyClick(&form, Qt::Key_F5);

  ASSERT_EQ(program.dialogs.shown.size(), 2u);
  EXPECT_EQ(program.dialogs.shown[0].text,
            QStringLiteral("ВНИМАНИЕ!\r\nБыло превышение порогового уровня + 25м/с2\r\n"
                           "Результаты на закладке \"Превышения\""));
  EXPECT_EQ(program.dialogs.shown[1].text,
            QStringLiteral("ВНИМАНИЕ!\r\nБыло превышение порогового уровня - 25м/с2\r\n"
                           "Результаты на закладке \"Превышения\""));
  const QString positive = QStringLiteral(
      "-> Превышение порогового уровня +25м/с2\n"
      "на 1.000 с длительностью 11.000 мс");
  EXPECT_EQ(memoAtBox[0], positive);
  EXPECT_EQ(rowYAtBox[0], QStringLiteral("old"));  // rows 1 and 2 come after the search
  EXPECT_EQ(form.ExceedanceMemo->toPlainText(),
            positive + QStringLiteral("\n-> Превышение порогового уровня -25м/с2\n"
                                      "на 3.000 с длительностью 20.000 мс"));
  EXPECT_EQ(program.cell(0, 2), QStringLiteral("30.000 м/с2"));
  EXPECT_EQ(program.cell(0, 1), QStringLiteral("-30.000 м/с2"));
  EXPECT_EQ(program.cell(1, 1), QStringLiteral("0 "));  // zero carries no unit
  EXPECT_EQ(program.cell(2, 1), QStringLiteral("не вычислен"));
  EXPECT_EQ(program.cell(3, 4), QStringLiteral("не вычислен"));
  EXPECT_EQ(form.ResultPages->currentIndex(), 0);  // the memo's page is not brought forward
}

TEST(IntervalParameters, TrackingSkipsTheSearchAndInversionRecalculates) {
  DecimalSeparatorScope point('.');
  StartedProgram program;
  TMainForm& form = program.form();
  Quiet(program, 2000);
  Spike(program, 100, 150, 40);
  form.AccelX_line->setChecked(true);
  form.ExceedanceMemo->setPlainText("kept");
  form.ResultPages->setCurrentIndex(1);
  form.SpyData->trigger();
  EXPECT_TRUE(form.TrackingLabel->isVisible());
  EXPECT_TRUE(program.dialogs.shown.empty());
  EXPECT_EQ(form.ExceedanceMemo->toPlainText(), QStringLiteral("kept"));
  EXPECT_EQ(form.ResultPages->currentIndex(), 0);
  EXPECT_EQ(form.ParamViews->palette().color(QPalette::Base),
            QPalette().color(QPalette::Highlight));
  EXPECT_EQ(program.cell(0, 2), QStringLiteral("40.000 м/с2"));

  form.Inversion_chek_box->click();
  EXPECT_EQ(program.cell(0, 1), QStringLiteral("-40.000 м/с2"));  // −maximum
  EXPECT_EQ(program.cell(0, 2), QStringLiteral("0 "));
}

TEST(Presets, ThresholdFromTheDialogAndCodesMode) {
  DecimalSeparatorScope comma(',');
  StartedProgram program;
  TMainForm& form = program.form();
  TParamForm& presets = *program.windows->ParamForm;
  EXPECT_EQ(presets.windowTitle(), QStringLiteral("Предустановки"));
  EXPECT_EQ(presets.Bound_level->text(), QStringLiteral("25"));
  Quiet(program, 100);
  form.Boundslevel_check->setChecked(true);

  auto typeThreshold = [&](const QString& text) {
    program.dialogs.modalActions.push_back(
        [text](QDialog& d) { static_cast<TParamForm&>(d).Bound_level->setText(text); });
    form.PresetsItem->trigger();
  };
  typeThreshold("30");
  EXPECT_EQ(program.form().RecordingSession().Settings().BoundLevel, 30);
  EXPECT_EQ(form.Series[6]->Point(0).y(), 30);
  typeThreshold("12.5");  // a point where the comma is the separator: not a number
  EXPECT_EQ(program.form().RecordingSession().Settings().BoundLevel, 25);
  EXPECT_EQ(presets.Bound_level->text(), QStringLiteral("12.5"));
  typeThreshold("12,5");
  EXPECT_EQ(program.form().RecordingSession().Settings().BoundLevel, 12.5);
  typeThreshold("-3");
  EXPECT_EQ(program.form().RecordingSession().Settings().BoundLevel, -3);
  EXPECT_TRUE(program.dialogs.shown.empty());

  // Switching to another window while the dialog is open applies the text too.
  presets.show();
  presets.Bound_level->setText("40");
  QEvent deactivate(QEvent::WindowDeactivate);
  QApplication::sendEvent(&presets, &deactivate);
  EXPECT_EQ(program.form().RecordingSession().Settings().BoundLevel, 40);
  presets.hide();

  program.dialogs.modalActions.push_back(
      [](QDialog& d) { static_cast<TParamForm&>(d).Output_in_codes->setChecked(true); });
  form.PresetsItem->trigger();
  EXPECT_EQ(form.Series[6]->PointCount(), 0u);  // no thresholds in ADC-code mode
}

// A cut-off above the stable range is lowered to 499.9 Hz without a box,
// as the typed text 499.9 gives it; only a negative text draws the message
// while typing.
TEST(CutOff, ClampedToOneHertzAndTo499_9Hertz) {
  StartedProgram program;
  TMainForm& form = program.form();
  TSmoothingPropertiesDlg& dialog = *program.windows->SmoothingPropertiesDlg;
  EXPECT_EQ(dialog.CutoffEdit->text(), QStringLiteral("10"));
  const std::pair<const char*, long double> cases[] = {
      {"20", 20},         {"0", 1},          {"0.5", 1},      {"-0.2", 1},
      {"-20", 20},        {"499.9", 499.9L}, {"800", 499.9L}, {"500", 499.9L},
      {"499.95", 499.9L}, {"10", 10},        {"-800", 499.9L}};
  DecimalSeparatorScope point('.');
  for (const auto& [text, hertz] : cases) {
    program.dialogs.modalActions.push_back([text = QString(text)](QDialog& d) {
      static_cast<TSmoothingPropertiesDlg&>(d).CutoffEdit->setText(text);
    });
    form.CutoffItem->trigger();
    EXPECT_EQ(form.RecordingSession().Derived().VibroFilter().Frequency1(), hertz) << text;
    EXPECT_EQ(form.RecordingSession().Derived().VibroFilter().Frequency2(), hertz) << text;
    EXPECT_EQ(form.RecordingSession().Settings().Cutoff, hertz) << text;
  }
  EXPECT_EQ(program.dialogs.Texts(),
            std::vector<QString>(3, QStringLiteral("Только положительные числа в диапазоне от "
                                                   "[1..500]")));  // "-0.2", "-20", "-800"

  program.dialogs.shown.clear();
  program.dialogs.modalActions.push_back(
      [](QDialog& d) { static_cast<TSmoothingPropertiesDlg&>(d).CutoffEdit->setText("abc"); });
  form.CutoffItem->trigger();
  ASSERT_FALSE(program.dialogs.shown.empty());
  EXPECT_EQ(program.dialogs.shown.back().kind, FakeUserDialogs::Kind::ErrorBox);
  EXPECT_EQ(program.dialogs.shown.back().text,
            QStringLiteral("'abc' is not a valid floating point value"));
  EXPECT_EQ(form.RecordingSession().Derived().VibroFilter().Frequency1(), 499.9L);
}

TEST(SpeedCorrection, ButtonAndF11RecomputeAndCorrectOnce) {
  StartedProgram program;
  TMainForm& form = program.form();
  Recording& r = program.data();
  r.SampleCount = 1000;
  r.Calibration[AxisX] = {32768, 0.01};
  for (std::uint32_t i = 0; i < 1000; ++i) r.CodesX[i] = 32868;  // 1 m/s²
  form.SpeedCorrectionButton->click();
  std::vector<double> once(r.LinSpeedX.get(), r.LinSpeedX.get() + 1000);
  double tail = 0;
  for (int k = 999; k >= 950; --k) tail += (k - 0.5) * 0.001;  // the speed before the correction
  EXPECT_NEAR(r.LinSpeedX[1], 0.0005 - 1 * (tail / 50) / 1000, 1e-12);
  QTest::keyClick(&form, Qt::Key_F11);
  for (std::uint32_t i = 0; i < 1000; ++i) ASSERT_EQ(r.LinSpeedX[i], once[i]);
}

TEST(Crop, KeepsTheSelectionFromTimeZero) {
  DecimalSeparatorScope point('.');
  StartedProgram program;
  TMainForm& form = program.form();
  Recording& r = program.data();
  r.SampleCount = 5000;
  for (std::uint32_t i = 0; i < 5000; ++i) {
    r.CodesX[i] = 32768 + i;
    r.Temperature[i] = i * 0.01;
  }
  form.ParamViews->item(0, 1)->setText("old");
  form.SelectInterval(1.000, 2.000);
  form.CropButton->click();
  EXPECT_EQ(r.SampleCount, 1000u);
  EXPECT_EQ(r.CodesX[0], 32768 + 1000);
  EXPECT_DOUBLE_EQ(r.Temperature[0], 10.0);
  EXPECT_EQ(form.StartPoint->text(), QStringLiteral("0.000"));
  EXPECT_EQ(form.StopPoint->text(), QStringLiteral("2.000"));
  EXPECT_TRUE(program.cell(0, 1).isEmpty());
  EXPECT_EQ(form.windowTitle(), QStringLiteral("TORVIK ->   "));

  form.SelectInterval(0.500, 9.000);  // beyond the end: the whole recording stays
  QTest::keyClick(&form, Qt::Key_F9);
  EXPECT_EQ(r.SampleCount, 1000u);
  EXPECT_EQ(r.CodesX[999], 32768 + 1999);
}

// The typed cut-off reaches the filter as the extended value of its text,
// not rounded to a double on the way: the vibration speed is the one a
// filter designed at that exact frequency gives.
TEST(CutOff, TheTypedTextReachesTheFilterExactly) {
  DecimalSeparatorScope point('.');
  StartedProgram program;
  Recording& r = program.data();
  r.SampleCount = 3000;
  for (std::uint32_t i = 1; i < r.SampleCount; ++i) {
    r.LinSpeedX[i] = 0.3 * std::sin(i / 7.0) + 0.001 * i;
  }
  TMainForm& form = program.form();
  form.Vibro_X_Line->trigger();
  for (const char* text : {"10.1", "33.3", "1.7", "123.456"}) {
    SCOPED_TRACE(text);
    program.dialogs.modalActions.push_back([text = QString(text)](QDialog& d) {
      static_cast<TSmoothingPropertiesDlg&>(d).CutoffEdit->setText(text);
    });
    form.CutoffItem->trigger();
    const long double typed = StrToFloat(text);
    EXPECT_EQ(form.RecordingSession().Derived().VibroFilter().Frequency1(), typed);
    EXPECT_EQ(form.RecordingSession().Derived().VibroFilter().Frequency2(), typed);

    EXPECT_EQ(VibroSpeedOf(r), ReferenceVibroSpeed(r, typed));
  }
}
