// The window keeps the vibration speed current without filtering it again
// for redraws that change nothing it is made from.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <functional>

#include "analysis/DerivedData.h"
#include "analysis/VibroSpeed.h"
#include "dsp/dspIIRFilters.h"
#include "support/AnalysisPrograms.h"
#include "support/ReferenceVibroSpeed.h"
#include "text/NumberText.h"
#include "view/ChartSurface.h"
#include "view/NumberEdit.h"

namespace {

// A value no filter pass leaves at sample 5: it stays until the vibration
// speed is filtered again.
constexpr double kMark = -12345.0;

bool Refiltered(StartedProgram& program) {
  return program.data().VibroSpeedX[5] != kMark;
}

// Numbers written with a point from the start.
struct WithPoint {
  DecimalSeparatorScope point{'.'};
};

// A started program with a logger file of `blocks` blocks imported.
struct ImportedProgram : WithPoint, LoadedProgram {
  explicit ImportedProgram(int blocks) : LoadedProgram(LoggerBytes(blocks, 5, 2), "derived.dat") {}
};

}  // namespace

TEST(DerivedInWindow, OnlyChangesOfSpeedCutOffOrLengthFilterAgain) {
  ImportedProgram program(100);
  TMainForm& form = program.form();
  form.Vibro_X_Line->trigger();  // shown: filtered now
  ASSERT_TRUE(program.dialogs.shown.empty());

  const auto redrawKeeps = [&](const char* what, const std::function<void()>& command) {
    program.data().VibroSpeedX[5] = kMark;
    command();
    EXPECT_FALSE(Refiltered(program)) << what;
  };
  redrawKeeps("a curve toggled", [&] { form.AccelY_line->trigger(); });
  redrawKeeps("threshold lines", [&] { form.Boundslevel_check->trigger(); });
  redrawKeeps("inversion", [&] { form.Inversion_chek_box->click(); });
  redrawKeeps("fit all", [&] { form.FitAllItem->trigger(); });
  redrawKeeps("fit vertically", [&] { form.FitVerticalItem->trigger(); });
  redrawKeeps("presets", [&] { form.PresetsItem->trigger(); });

  const auto redrawFilters = [&](const char* what, const std::function<void()>& command) {
    program.data().VibroSpeedX[5] = kMark;
    command();
    EXPECT_TRUE(Refiltered(program)) << what;
  };
  redrawFilters("a new cut-off", [&] {
    program.dialogs.modalActions.push_back(
        [](QDialog& d) { static_cast<TSmoothingPropertiesDlg&>(d).CutoffEdit->setText("20"); });
    form.CutoffItem->trigger();
  });
  redrawFilters("the speed command", [&] { form.SpeedCorrectionItem->trigger(); });
  redrawFilters("a crop", [&] {
    form.SelectInterval(0.500, 1.500);
    form.CropButton->click();
  });
  EXPECT_EQ(form.RecordingSession().Derived().VibroFilter().Frequency1(), 20);
  EXPECT_EQ(program.data().SampleCount, 1000u);
}

// In ADC-code mode the chart draws no vibration speed, but its row still
// measures the one that follows the current linear speed.
TEST(DerivedInWindow, TheVibrationSpeedRowFollowsTheSpeedCommandInCodeMode) {
  ImportedProgram program(100);
  TMainForm& form = program.form();
  form.Vibro_X_Line->trigger();
  program.windows->ParamForm->Output_in_codes->setChecked(true);
  form.SpyData->trigger();              // no boxes; rows only
  form.SpeedCorrectionItem->trigger();  // the speed command rewrites the linear speed
  form.CalculateParam();

  // The values the row measured are those of the corrected linear speed.
  const Recording& r = program.data();
  EXPECT_EQ(VibroSpeedOf(r), ReferenceVibroSpeed(r));
}

// Tracking brings the parameters page to the front only when the X
// acceleration, whose search it skips, is shown.
TEST(DerivedInWindow, TrackingLeavesTheExceedancePageWhileXIsHidden) {
  ImportedProgram program(20);
  TMainForm& form = program.form();
  form.SpyData->trigger();
  form.AccelX_line->trigger();  // hidden
  form.ResultPages->setCurrentIndex(1);
  form.CalculateParam();
  EXPECT_EQ(form.ResultPages->currentIndex(), 1);
  form.AccelX_line->trigger();  // shown again
  form.CalculateParam();
  EXPECT_EQ(form.ResultPages->currentIndex(), 0);
}
