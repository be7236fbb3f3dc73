// Codes text files through the window, and the About window.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>

#include "files/LoggerFile.h"
#include "support/SavedFiles.h"
#include "support/StartedProgram.h"
#include "text/NumberText.h"
#include "view/About.h"
#include "view/ChartSurface.h"

namespace {

using saved::Lines;

void Open(StartedProgram& program, const QString& path) {
  program.dialogs.openAnswers.push_back(path);
  program.form().Run(&TMainForm::OpenFileMenuClick);
}

std::vector<std::uint8_t> Text(const std::string& text) {
  return {text.begin(), text.end()};
}

}  // namespace

TEST(CodesFiles, SaveSwitchesToAPointAndNamesTheFile) {
  DecimalSeparatorScope comma(',');
  StartedProgram program;
  TMainForm& form = program.form();
  form.Run(&TMainForm::SaveFileMenuClick);
  EXPECT_EQ(program.dialogs.Texts(), std::vector<QString>{"Невозможно записать пустой файл"});

  program.data().SampleCount = 2;
  program.data().CodesX[1] = 40000;
  TempFile saved("codes_save_test.klv");
  const QString withoutExtension = saved.path().chopped(4);
  program.dialogs.saveAnswers.push_back(SaveChoice{withoutExtension, 0});
  form.Run(&TMainForm::SaveFileMenuClick);
  EXPECT_EQ(DecimalSeparator(), '.');
  EXPECT_EQ(program.dialogs.saveRequests.back().filter, QStringLiteral("Kelvo files (*.csv)"));
  EXPECT_EQ(ReadWholeFile(saved.string()).bytes, Text("0;0;0\r\n40000;0;0\r\n"));
  EXPECT_EQ(form.windowTitle(), QStringLiteral("codes_save_test.csv"));
  EXPECT_EQ(form.CHART->Title().Text(), QStringLiteral("codes_save_test.klv"));

  // Another filter than the first writes nothing; an uncreatable file keeps the caption.
  const TempFile other("other.klv");
  program.dialogs.saveAnswers.push_back(SaveChoice{other.path(), 1});
  program.dialogs.saveAnswers.push_back(SaveChoice{QStringLiteral("/nonexistent/x.klv"), 0});
  form.Run(&TMainForm::SaveFileMenuClick);
  EXPECT_FALSE(std::filesystem::exists(other.string()));
  form.Run(&TMainForm::SaveFileMenuClick);
  EXPECT_EQ(program.dialogs.shown.back().kind, FakeUserDialogs::Kind::ErrorBox);
  EXPECT_EQ(form.windowTitle(), QStringLiteral("codes_save_test.csv"));
}

TEST(CodesFiles, OpenShowsTheCodesWithTheirSpeed) {
  DecimalSeparatorScope point('.');
  StartedProgram program;
  TempFile file("codes_open_test.csv", Text(Lines(10, "32868;1;2")));
  Open(program, file.path());
  TMainForm& form = program.form();
  EXPECT_TRUE(program.dialogs.shown.empty());
  EXPECT_EQ(program.dialogs.openRequests[0].filter, QStringLiteral("Accel 3D codes files (*.csv)"));
  EXPECT_EQ(program.dialogs.openRequests[0].defaultSuffix, QStringLiteral("asc"));
  EXPECT_EQ(program.data().SampleCount, 10u);
  EXPECT_EQ(form.windowTitle(), QStringLiteral("TORVIK ->   codes_open_test.klv"));
  EXPECT_EQ(form.StopPoint->text(), QStringLiteral("0.009"));
  EXPECT_TRUE(form.AccelZ_line->isChecked());
  EXPECT_EQ(program.data().LinSpeedX[1], 100 * 0.001 / 2);  // gain 1: 100 m/s², half a step
}

TEST(CodesFiles, RefusedFilesLeaveRecordingCursorAndCaption) {
  DecimalSeparatorScope point('.');
  StartedProgram program;
  program.data().SampleCount = 20;
  program.data().CodesX[3] = 123;
  TempFile shortFile("codes_short.csv", Text(Lines(6, "1;2;3")));
  TempFile badFile("codes_bad.csv", Text(Lines(4, "1;2;3") + "1;x5;3\r\n" + Lines(4, "1;2;3")));
  Open(program, shortFile.path());
  Open(program, badFile.path());
  ASSERT_EQ(program.dialogs.shown.size(), 2u);
  EXPECT_EQ(program.dialogs.shown[0].kind, FakeUserDialogs::Kind::Message);
  EXPECT_EQ(program.dialogs.shown[0].text, QStringLiteral("Файл неправильного формата"));
  EXPECT_EQ(program.dialogs.shown[1].kind, FakeUserDialogs::Kind::ErrorBox);
  EXPECT_EQ(program.dialogs.shown[1].text,
            QStringLiteral("'x5' is not a valid floating point value"));
  EXPECT_EQ(program.data().SampleCount, 20u);
  EXPECT_EQ(program.data().CodesX[3], 123);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  EXPECT_EQ(program.form().windowTitle(), QStringLiteral("TORVIK ->   "));
}

TEST(AboutWindow, ShowsTheVersionOfItsOwnProgramFile) {
  StartedProgram program;
  QString shown;
  program.dialogs.modalActions.push_back(
      [&shown](QDialog& d) { shown = static_cast<TAboutForm&>(d).Version_num->text(); });
  program.form().AboutItem->trigger();
  TAboutForm& about = *program.windows->AboutForm;
  EXPECT_EQ(about.windowTitle(), QStringLiteral("About"));
  EXPECT_EQ(about.size(), QSize(189, 132));
  EXPECT_EQ(about.VersionCaption->text(), QStringLiteral("Версия программы:"));
  EXPECT_EQ(shown, QString());  // this test program carries no version section
}
