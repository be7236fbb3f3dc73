// "Файл" → "Последние файлы" across restarts of the program.
#include <gtest/gtest.h>

#include <QDir>
#include <QMenu>
#include <memory>

#include "support/StartedProgram.h"

namespace {

// The menu's entries, each without the folder every test file shares.
QStringList Entries(TMainForm& form, const QString& folder) {
  QStringList texts;
  for (QAction* item : form.RecentFilesMenu->actions()) {
    texts << item->text().remove(QString(folder).replace('&', "&&") + '/');
  }
  return texts;
}

}  // namespace

// Recordings imported through the dialog or named on the command line are
// listed newest first, each once, at most eight, and are there again after a
// restart; choosing one imports it, and one that has gone is dropped with
// the import's message.
TEST(RecentFiles, SurviveARestartAndDropAFileThatHasGone) {
  QTemporaryDir folder;
  std::vector<QString> paths;
  for (int i = 0; i < 10; ++i) {
    paths.push_back(folder.filePath(QStringLiteral("rec%1 & co.dat").arg(i)));
    loggen::WriteFile(QFile::encodeName(paths.back()).toStdString(), LoggerBytes(5 + i));
  }
  auto program = std::make_unique<StartedProgram>();
  EXPECT_FALSE(program->form().RecentFilesMenu->isEnabled());
  for (int i = 0; i < 10; ++i) {
    if (i % 2 == 0) {
      program->dialogs.openAnswers.push_back(paths[i]);
      program->form().ImportFile->trigger();
    } else {  // as from the command line, named relative to the working folder
      const QString relative = QDir::current().relativeFilePath(paths[i]);
      program->form().ImportLoggerPath(QFile::encodeName(relative).toStdString());
    }
  }
  program->form().ImportFileRoutine(paths[3]);  // again: to the front, once
  QStringList expected;
  for (int i : {3, 9, 8, 7, 6, 5, 4, 2}) {
    expected << QStringLiteral("&%1 rec%2 && co.dat").arg(expected.size() + 1).arg(i);
  }
  EXPECT_EQ(Entries(program->form(), folder.path()), expected);
  EXPECT_TRUE(program->dialogs.shown.empty());

  program.reset();  // the program ends and starts again
  program = std::make_unique<StartedProgram>();
  TMainForm& form = program->form();
  EXPECT_EQ(Entries(form, folder.path()), expected);
  EXPECT_TRUE(form.RecentFilesMenu->isEnabled());
  form.RecentFilesMenu->actions()[1]->trigger();
  EXPECT_EQ(form.windowTitle(), QStringLiteral("TORVIK ->   rec9 & co.dat"));
  EXPECT_EQ(program->data().SampleCount, 280u);
  expected.swapItemsAt(0, 1);

  ASSERT_TRUE(QFile::remove(paths[8]));
  form.RecentFilesMenu->actions()[2]->trigger();  // rec8
  EXPECT_EQ(program->dialogs.Texts(),
            std::vector<QString>{QStringLiteral("Указанный файл не найден. Действие отменено.")});
  EXPECT_EQ(program->data().SampleCount, 280u);  // the recording stays
  expected.removeAt(2);
  program.reset();
  program = std::make_unique<StartedProgram>();
  const QStringList left = Entries(program->form(), folder.path());
  ASSERT_EQ(left.size(), 7);
  for (int i = 0; i < 7; ++i) EXPECT_EQ(left[i].mid(3), expected[i].mid(3));
}
