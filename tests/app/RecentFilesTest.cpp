// "Файл" → "Последние файлы" across restarts of the program.
#include <gtest/gtest.h>

#include <QDir>
#include <QMenu>
#include <memory>

#include "support/StartedProgram.h"
#include "ui/ProgramSettings.h"

namespace {

QStringList Entries(TMainForm& form) {
  QStringList texts;
  for (QAction* item : form.RecentFilesMenu->actions()) texts << item->text();
  return texts;
}

// The menu's text of the n-th recording (from 1) at `path`.
QString Entry(int n, const QString& path) {
  return QStringLiteral("&%1 %2").arg(n).arg(path);
}

}  // namespace

// Recordings imported through the dialog or named on the command line are
// listed newest first, each once, at most eight, and are there again after a
// restart; choosing one imports it, and one that has gone is dropped with
// the import's message.
TEST(RecentFiles, SurviveARestartAndDropAFileThatHasGone) {
  ProgramSettings()->clear();
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
  const QStringList expected = {Entry(1, "rec3 && co.dat"), Entry(2, "rec9 && co.dat"),
                                Entry(3, "rec8 && co.dat"), Entry(4, "rec7 && co.dat"),
                                Entry(5, "rec6 && co.dat"), Entry(6, "rec5 && co.dat"),
                                Entry(7, "rec4 && co.dat"), Entry(8, "rec2 && co.dat")};
  const QString shownFolder = QString(folder.path()).replace('&', "&&") + '/';
  QStringList listed = Entries(program->form());
  for (QString& text : listed) text.replace(shownFolder, QString());
  EXPECT_EQ(listed, expected);
  EXPECT_TRUE(program->dialogs.shown.empty());

  program.reset();  // the program ends and starts again
  program = std::make_unique<StartedProgram>();
  TMainForm& form = program->form();
  ASSERT_EQ(form.RecentFilesMenu->actions().size(), 8);
  EXPECT_TRUE(form.RecentFilesMenu->isEnabled());
  form.RecentFilesMenu->actions()[1]->trigger();
  EXPECT_EQ(form.windowTitle(), QStringLiteral("TORVIK ->   rec9 & co.dat"));
  EXPECT_EQ(program->data().SampleCount, 280u);
  EXPECT_TRUE(form.RecentFilesMenu->actions()[0]->text().endsWith("rec9 && co.dat"));

  ASSERT_TRUE(QFile::remove(paths[8]));
  ASSERT_TRUE(form.RecentFilesMenu->actions()[2]->text().endsWith("rec8 && co.dat"));
  form.RecentFilesMenu->actions()[2]->trigger();
  EXPECT_EQ(program->dialogs.Texts(),
            std::vector<QString>{QStringLiteral("Указанный файл не найден. Действие отменено.")});
  EXPECT_EQ(program->data().SampleCount, 280u);  // the recording stays
  ASSERT_EQ(form.RecentFilesMenu->actions().size(), 7);
  for (QAction* item : form.RecentFilesMenu->actions()) EXPECT_FALSE(item->text().contains("rec8"));

  program.reset();
  program = std::make_unique<StartedProgram>();
  EXPECT_EQ(program->form().RecentFilesMenu->actions().size(), 7);
}
