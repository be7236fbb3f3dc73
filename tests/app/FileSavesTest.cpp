// Every save the window offers, onto the targets a user may pick: a FIFO or
// a device node is refused with the "cannot be opened" text and stays what
// it was; a symbolic link is replaced by the saved file while what it
// pointed at stays; a full disk leaves the old file and nothing else and
// names its cause.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QButtonGroup>
#include <QPushButton>

#include "support/FileSizeLimit.h"
#include "support/SavedFiles.h"
#include "support/StartedProgram.h"
#include "support/TempDir.h"
#include "text/NumberText.h"
#include "view/ChartExportDialog.h"
#include "view/ShockEventsWindow.h"
#include "view/SpectraWindow.h"

namespace {

using Kind = FakeUserDialogs::Kind;
using Names = std::vector<std::string>;

const QString kRefused = QStringLiteral("Не удалось получить доступ к файлу. Действие отменено.");

// A recording with shocks, both analysis windows open and computed.
struct SavingProgram : LoadedProgram {
  SavingProgram() : LoadedProgram(LoggerBytes(200, 7, 5), "file_saves.dat") {
    form().SpectraItem->trigger();
    form().ShockEventsItem->trigger();
    form().Calculate->trigger();
  }
};

struct SaveCommand {
  const char* name;  // also the target's name
  Kind failureBox;
  std::function<bool(const std::string&)> written;  // the saved file looks like this save's
  std::function<void(SavingProgram&)> run;
};

bool StartsWith(const std::string& text, std::string_view start) {
  return text.starts_with(start);
}

SaveCommand ChartExport(const char* name, ChartExportFormat format, std::string_view start) {
  return {name, Kind::Error, [start](const std::string& text) { return StartsWith(text, start); },
          [format](SavingProgram& program) {
            program.dialogs.modalActions.push_back([format](QDialog& dialog) {
              auto& form = static_cast<TChartExportForm&>(dialog);
              form.Formats->button(static_cast<int>(format))->click();
              form.SaveButton->click();
            });
            program.form().Run(&TMainForm::ChartExportClick);
          }};
}

std::vector<SaveCommand> EverySave() {
  return {
      {"codes.klv", Kind::ErrorBox,
       [](const std::string& text) { return std::count(text.begin(), text.end(), '\n') == 4000; },
       [](SavingProgram& program) { program.form().Run(&TMainForm::SaveFileMenuClick); }},
      ChartExport("chart.png", ChartExportFormat::Png, "\x89PNG"),
      ChartExport("chart.svg", ChartExportFormat::Svg, "<?xml"),
      ChartExport("chart.pdf", ChartExportFormat::Pdf, "%PDF"),
      ChartExport("points.csv", ChartExportFormat::Csv, "\xEF\xBB\xBF"),
      ChartExport("points.xlsx", ChartExportFormat::Xlsx, "PK"),
      {"events.csv", Kind::Error,
       [](const std::string& text) { return StartsWith(text, "канал;"); },
       [](SavingProgram& program) {
         program.form().findChild<ShockEventsWindow*>()->SaveCsv->click();
       }},
      {"spectra.csv", Kind::Error,
       [](const std::string& text) { return StartsWith(text, "frequency_hz,"); },
       [](SavingProgram& program) {
         program.form().findChild<SpectraWindow*>()->SaveCsvButton->click();
       }},
  };
}

// Runs the save onto `target` and returns the box it showed, if any.
std::optional<FakeUserDialogs::Shown> SaveOnto(SavingProgram& program, const SaveCommand& save,
                                               const std::filesystem::path& target) {
  program.dialogs.Clear();
  program.dialogs.saveAnswers.push_back(SaveChoice{QString::fromStdString(target.string()), 0});
  save.run(program);
  if (program.dialogs.shown.empty()) return std::nullopt;
  return program.dialogs.shown.back();
}

}  // namespace

TEST(FileSaves, FifosAndDevicesAreRefusedAndStayWhatTheyWere) {
  DecimalSeparatorScope point('.');
  SavingProgram program;
  bool deviceMade = false;
  for (const SaveCommand& save : EverySave()) {
    for (const saved::Special kind : {saved::Special::Fifo, saved::Special::Device}) {
      SCOPED_TRACE(save.name);
      const TempDir folder;
      const auto target = folder.Path() / save.name;
      if (!saved::Make(kind, target)) continue;
      const std::filesystem::file_type made = saved::TypeOf(target);
      deviceMade |= kind == saved::Special::Device;
      const auto box = SaveOnto(program, save, target);
      ASSERT_TRUE(box.has_value());
      EXPECT_EQ(box->kind, save.failureBox);
      EXPECT_EQ(box->text, kRefused);
      EXPECT_EQ(saved::TypeOf(target), made);
      EXPECT_EQ(saved::Names(folder.Path()), Names{save.name});
    }
  }
  if (!deviceMade) GTEST_SKIP() << "making a device node needs root; the FIFOs were refused";
}

TEST(FileSaves, ASymbolicLinkIsReplacedAndWhatItPointedAtStays) {
  DecimalSeparatorScope point('.');
  SavingProgram program;
  for (const SaveCommand& save : EverySave()) {
    SCOPED_TRACE(save.name);
    const TempDir folder;
    const TempDir elsewhere;
    const auto old = elsewhere.Path() / save.name;
    saved::Put(old, "old contents");
    const auto link = folder.Path() / save.name;
    std::filesystem::create_symlink(old, link);
    EXPECT_EQ(SaveOnto(program, save, link), std::nullopt);
    EXPECT_EQ(saved::TypeOf(link), std::filesystem::file_type::regular);
    EXPECT_TRUE(save.written(saved::Contents(link)));
    EXPECT_EQ(saved::Names(folder.Path()), Names{save.name});
    EXPECT_EQ(saved::Contents(old), "old contents");
  }
}

// A disk that fills up after 64 bytes, played by a limit on the size of files.
TEST(FileSaves, AFullDiskLeavesTheOldFileAndNothingElseAndSaysWhy) {
  DecimalSeparatorScope point('.');
  SavingProgram program;
  for (const SaveCommand& save : EverySave()) {
    SCOPED_TRACE(save.name);
    const TempDir folder;
    const auto target = folder.Path() / save.name;
    saved::Put(target, "old contents");
    std::optional<FakeUserDialogs::Shown> box;
    {
      const FileSizeLimit full(64);
      box = SaveOnto(program, save, target);
    }
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->kind, save.failureBox);
    const QString failure = QStringLiteral("Не удалось записать файл «%1» (")
                                .arg(QString::fromStdString(target.string()));
    EXPECT_TRUE(box->text.startsWith(failure)) << box->text.toStdString();
    EXPECT_TRUE(box->text.endsWith(QStringLiteral("(файл слишком велик).")))
        << box->text.toStdString();
    EXPECT_EQ(saved::Contents(target), "old contents");
    EXPECT_EQ(saved::Names(folder.Path()), Names{save.name});
  }
}
