// The window keeps the vibration speed current without filtering it again
// for redraws that change nothing it is made from.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <functional>

#include "MainTestSupport.h"
#include "dsp/dspIIRFilters.h"
#include "text/NumberText.h"

namespace {

// A value no filter pass leaves at sample 5: it stays until the vibration
// speed is filtered again.
constexpr double kMark = -12345.0;

bool Refiltered(StartedProgram& program) {
  return program.data().VibroSpeedX[5] != kMark;
}

}  // namespace

TEST(DerivedInWindow, OnlyChangesOfSpeedCutOffOrLengthFilterAgain) {
  DecimalSeparatorScope point('.');
  StartedProgram program;
  TempFile file("derived_window.dat", LoggerBytes(100, 3, 2));
  program.form().ImportFileRoutine(file.path());
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
  redrawKeeps("fit all", [&] { form.N13->trigger(); });
  redrawKeeps("fit vertically", [&] { form.AutoFit1->trigger(); });
  redrawKeeps("presets", [&] { form.Calculate_propert->trigger(); });

  const auto redrawFilters = [&](const char* what, const std::function<void()>& command) {
    program.data().VibroSpeedX[5] = kMark;
    command();
    EXPECT_TRUE(Refiltered(program)) << what;
  };
  redrawFilters("a new cut-off", [&] {
    program.dialogs.modalActions.push_back(
        [](QDialog& d) { static_cast<TSmoothingPropertiesDlg&>(d).Edit1->setText("20"); });
    form.N10->trigger();
  });
  redrawFilters("the speed command", [&] { form.Smooth->trigger(); });
  redrawFilters("a crop", [&] {
    form.StartPoint->setText("0.500");
    form.StopPoint->setText("1.500");
    form.Button1->click();
  });
  EXPECT_EQ(form.dspIIRFilter3->Frequency1(), 20);
  EXPECT_EQ(program.data().SampleCount, 1000u);
}
