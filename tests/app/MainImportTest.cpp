// Importing logger files through the window: the display after a good file,
// and nothing changed after a bad one.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QApplication>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QUrl>
#include <QWindow>

#include "support/StartedProgram.h"
#include "text/NumberText.h"
#include "view/ChartHlp.h"
#include "view/ChartSurface.h"

namespace {

void Import(StartedProgram& program, const QString& path) {
  program.dialogs.openAnswers.push_back(path);
  program.form().ImportFile->trigger();
}

}  // namespace

TEST(LoggerImport, ShowsTheNewRecording) {
  DecimalSeparatorScope point('.');
  StartedProgram program;
  TMainForm& form = program.form();
  form.ParamViews->item(2, 3)->setText(QStringLiteral("old"));
  form.ExceedanceMemo->setPlainText(QStringLiteral("old line"));
  TempFile file("import_test.bin.dat", LoggerBytes(10));
  Import(program, file.path());

  EXPECT_TRUE(program.dialogs.shown.empty());
  EXPECT_EQ(program.data().SampleCount, 200u);
  EXPECT_EQ(form.windowTitle(), QStringLiteral("TORVIK ->   import_test.bin.dat"));
  EXPECT_EQ(form.StartPoint->text(), QStringLiteral("0.000"));
  EXPECT_EQ(form.StopPoint->text(), QStringLiteral("0.199"));
  EXPECT_TRUE(form.AccelX_line->isChecked());
  EXPECT_TRUE(form.Speed_X_Line->isChecked());
  EXPECT_FALSE(form.AccelY_line->isChecked());
  EXPECT_TRUE(program.cell(2, 3).isEmpty());
  EXPECT_EQ(program.cell(2, 0), QStringLiteral("Вибр. ускор. < Z >"));
  EXPECT_TRUE(form.ExceedanceMemo->toPlainText().isEmpty());
  EXPECT_EQ(form.G_value_edit->text(), QStringLiteral("9.815"));
  EXPECT_EQ(form.X_Code_0g_edit->text(), QStringLiteral("32768.000"));
  EXPECT_EQ(form.X_Gain_edit->text(), QStringLiteral("0.00479"));
  EXPECT_EQ(form.ChartHelper->SectionX(), -1);
  // The open dialog remembers the program's folder for next time.
  Import(program, file.path());
  EXPECT_FALSE(program.dialogs.openRequests[1].initialFolder.isEmpty());
  EXPECT_TRUE(program.dialogs.openRequests[0].initialFolder.isEmpty());
}

TEST(LoggerImport, RejectedFilesChangeNothing) {
  DecimalSeparatorScope point('.');
  StartedProgram program;
  TMainForm& form = program.form();
  TempFile good("import_good.dat", LoggerBytes(5));
  Import(program, good.path());
  form.ExceedanceMemo->setPlainText(QStringLiteral("kept"));
  const QString caption = form.windowTitle();
  const double gain = program.data().Calibration[AxisX].Gain;

  auto noBlock = LoggerBytes(1);
  noBlock.resize(150);
  noBlock[127] = 0x0F;
  TempFile empty("import_empty.dat", {});
  TempFile wrong("import_wrong.dat", std::vector<std::uint8_t>(300, 0x11));
  TempFile shortFile("import_short.dat", noBlock);
  TempFile missing("import_missing.dat");
  for (const TempFile* file : {&empty, &wrong, &shortFile, &missing}) Import(program, file->path());

  ASSERT_EQ(program.dialogs.shown.size(), 4u);
  EXPECT_EQ(program.dialogs.shown[0].kind, FakeUserDialogs::Kind::Warning);
  EXPECT_EQ(program.dialogs.shown[0].text,
            QStringLiteral("Указанный файл нулевого размера! Действие отменено."));
  EXPECT_EQ(program.dialogs.shown[1].kind, FakeUserDialogs::Kind::Message);
  EXPECT_EQ(program.dialogs.shown[1].text, QStringLiteral("неправильный формат данных"));
  EXPECT_EQ(program.dialogs.shown[2].text, QStringLiteral("неправильный формат данных"));
  EXPECT_EQ(program.dialogs.shown[3].kind, FakeUserDialogs::Kind::Warning);
  EXPECT_EQ(program.dialogs.shown[3].text,
            QStringLiteral("Указанный файл не найден. Действие отменено."));
  EXPECT_EQ(form.windowTitle(), caption);
  EXPECT_EQ(program.data().SampleCount, 100u);
  EXPECT_EQ(program.data().Calibration[AxisX].Gain, gain);
  EXPECT_EQ(form.ExceedanceMemo->toPlainText(), QStringLiteral("kept"));
  EXPECT_EQ(form.StopPoint->text(), QStringLiteral("0.099"));
}

TEST(LoggerImport, AFolderCannotBeOpened) {
  StartedProgram program;
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  Import(program, folder.path());
  ASSERT_EQ(program.dialogs.shown.size(), 1u);
  EXPECT_EQ(program.dialogs.shown[0].kind, FakeUserDialogs::Kind::Error);
  EXPECT_EQ(program.dialogs.shown[0].text,
            QStringLiteral("Не удалось получить доступ к файлу. Действие отменено."));
}

TEST(LoggerImport, ALongerFileLoadsWhatFitsAndWarns) {
  StartedProgram program(1000);
  TempFile file("import_long.dat", LoggerBytes(60));
  Import(program, file.path());
  EXPECT_EQ(program.data().SampleCount, 1000u);
  ASSERT_EQ(program.dialogs.shown.size(), 1u);
  EXPECT_EQ(program.dialogs.shown[0].kind, FakeUserDialogs::Kind::Warning);
  EXPECT_TRUE(program.dialogs.shown[0].text.contains(QStringLiteral("1000")));
  EXPECT_TRUE(program.dialogs.shown[0].text.contains(QStringLiteral("1200")));
}

TEST(LoggerImport, ADroppedLoggerFileIsImported) {
  StartedProgram program;
  TempFile file("import_dropped.DAT", LoggerBytes(3));
  QMimeData mime;
  mime.setUrls({QUrl::fromLocalFile(file.path())});
  QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&program.form(), &enter);
  EXPECT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&program.form(), &drop);
  EXPECT_EQ(program.data().SampleCount, 60u);
  EXPECT_EQ(program.form().windowTitle(), QStringLiteral("TORVIK ->   import_dropped.dat"));
}

TEST(LoggerImport, ACutFileOrAPipeKeepsTheRecordingOnScreen) {
  StartedProgram program;
  TempFile good("import_keep.dat", LoggerBytes(50));
  Import(program, good.path());
  const double lastSpeed = program.data().LinSpeedX[1000];
  const QString caption = program.form().windowTitle();

  auto cutBytes = LoggerBytes(50);
  cutBytes.resize(700);  // an interrupted copy
  TempFile cut("import_cut.dat", cutBytes);
  TempFile fifo("import_fifo.dat");
  ASSERT_EQ(::mkfifo(fifo.string().c_str(), 0600), 0);
  Import(program, cut.path());
  Import(program, fifo.path());  // returns at once instead of waiting for a writer

  ASSERT_EQ(program.dialogs.shown.size(), 2u);
  EXPECT_EQ(program.dialogs.shown[0].text, QStringLiteral("неправильный формат данных"));
  EXPECT_EQ(program.dialogs.shown[1].text,
            QStringLiteral("Не удалось получить доступ к файлу. Действие отменено."));
  EXPECT_EQ(program.data().SampleCount, 1000u);
  EXPECT_EQ(program.data().LinSpeedX[1000], lastSpeed);
  EXPECT_EQ(program.form().windowTitle(), caption);
}

// A "[*]" in a file name is part of the name: the caption on the window's
// frame and the report's title show it whole.
TEST(LoggerImport, AMarkerInTheFileNameStaysInTheCaption) {
  StartedProgram program;
  TempFile file("probe[*]run [*][*].dat", LoggerBytes(4));
  Import(program, file.path());
  const QString caption = QStringLiteral("TORVIK ->   probe[*]run [*][*].dat");
  ASSERT_NE(program.form().windowHandle(), nullptr);
  EXPECT_EQ(program.form().windowHandle()->title(), caption);
  EXPECT_EQ(program.form().CHART->Title().Text(), caption);
  program.form().setWindowModified(true);  // a modified window shows no "*" for it either
  EXPECT_EQ(program.form().windowHandle()->title(), caption);
}

// A name that is not UTF-8 (as the command line passes it) is still the
// file's name; the caption shows what can be read of it.
TEST(LoggerImport, ANameThatIsNotUtf8IsFound) {
  StartedProgram program;
  TempFile file("lat1_\xe9t\xe9.dat", LoggerBytes(3));
  program.form().ImportLoggerPath(file.string());
  EXPECT_TRUE(program.dialogs.shown.empty());
  EXPECT_EQ(program.data().SampleCount, 60u);
  EXPECT_TRUE(program.form().windowTitle().startsWith(QStringLiteral("TORVIK ->   lat1_")));
}
