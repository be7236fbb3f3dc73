// Every save the window offers, onto the targets a user may pick (for the
// spectra's CSV, the two files it writes beside the chosen name): a FIFO or
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
#include "view/DropsPage.h"
#include "view/ShockEventsWindow.h"
#include "view/SpectraWindow.h"

namespace {

using Kind = FakeUserDialogs::Kind;
using Names = std::vector<std::string>;

const QString kRefused = QStringLiteral("Не удалось получить доступ к файлу. Действие отменено.");

// A recording with shocks and a drop, both analysis windows open and computed.
struct SavingProgram : LoadedProgram {
  SavingProgram() : LoadedProgram(Bytes(), "file_saves.dat") {
    form().SpectraItem->trigger();
    form().ShockEventsItem->trigger();
    form().Calculate->trigger();
  }
  static std::vector<std::uint8_t> Bytes() {
    loggen::LoggerFileOptions options;
    options.blocks = 200;
    options.seed = 7;
    options.shocks = 5;
    options.placedDrops = {{0.3, 1.0}};
    return loggen::MakeLoggerFile(options);
  }
};

struct SaveCommand {
  const char* name;  // the name chosen in the save dialog
  Kind failureBox;
  std::function<bool(const std::string&)> written;  // each saved file looks like this save's
  std::function<void(SavingProgram&)> run;
  Names files = {};  // the files the save writes, when not the one chosen
  Names Files() const { return files.empty() ? Names{name} : files; }
};

bool StartsWith(const std::string& text, std::string_view start) {
  return text.starts_with(start);
}

std::function<bool(const std::string&)> Starting(std::string_view start) {
  return [start](const std::string& text) { return StartsWith(text, start); };
}

SaveCommand ChartExport(const char* name, ChartExportFormat format, std::string_view start) {
  return {name, Kind::Error, Starting(start), [format](SavingProgram& program) {
            program.dialogs.modalActions.push_back([format](QDialog& dialog) {
              auto& form = static_cast<TChartExportForm&>(dialog);
              form.Formats->button(static_cast<int>(format))->click();
              form.SaveButton->click();
            });
            program.form().Run(&TMainForm::ChartExportClick);
          }};
}

template <typename Window>
std::function<void(SavingProgram&)> Click(QPushButton* Window::*button) {
  return
      [button](SavingProgram& program) { (program.form().findChild<Window*>()->*button)->click(); };
}

std::function<void(SavingProgram&)> Trigger(QAction* TMainForm::*item) {
  return [item](SavingProgram& program) { (program.form().*item)->trigger(); };
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
       Starting("channel,start_s,duration_s,peak_ms2,peak_g,delta_v_ms\r\n"),
       Click<ShockEventsWindow>(&ShockEventsWindow::SaveCsv)},
      {"drops.csv", Kind::Error,
       Starting("first,start_s,fall_s,height_m,impact_speed_ms,impact_peak_ms2,impact_peak_g,"
                "impact_s\r\n"),
       [](SavingProgram& program) {
         program.form().findChild<ShockEventsWindow*>()->DropPage->SaveCsv->click();
       }},
      {"spectra.csv",
       Kind::Error,
       [](const std::string& text) {
         return text.starts_with("frequency_hz,psd_x_ms2sq_per_hz,") ||
                text.starts_with("frequency_hz,srs_x_ms2,");
       },
       Click<SpectraWindow>(&SpectraWindow::SaveCsvButton),
       {"spectra-psd.csv", "spectra-srs.csv"}},
      {"spectra.xlsx", Kind::Error, Starting("PK"),
       Click<SpectraWindow>(&SpectraWindow::SaveXlsxButton)},
      {"interval.csv", Kind::Error, Starting("time_s,accel_x,"),
       Trigger(&TMainForm::IntervalDataExportItem)},
      {"interval.xlsx", Kind::Error, Starting("PK"), Trigger(&TMainForm::IntervalDataExportItem)},
      {"report.pdf", Kind::Error, Starting("%PDF"), Trigger(&TMainForm::AnalysisReportItem)},
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
      const std::string first = save.Files().front();
      const auto target = folder.Path() / first;
      if (!saved::Make(kind, target)) continue;
      const std::filesystem::file_type made = saved::TypeOf(target);
      deviceMade |= kind == saved::Special::Device;
      const auto box = SaveOnto(program, save, folder.Path() / save.name);
      ASSERT_TRUE(box.has_value());
      EXPECT_EQ(box->kind, save.failureBox);
      EXPECT_EQ(box->text, kRefused);
      EXPECT_EQ(saved::TypeOf(target), made);
      EXPECT_EQ(saved::Names(folder.Path()), Names{first});
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
    for (const std::string& file : save.Files()) {
      saved::Put(elsewhere.Path() / file, "old contents");
      std::filesystem::create_symlink(elsewhere.Path() / file, folder.Path() / file);
    }
    EXPECT_EQ(SaveOnto(program, save, folder.Path() / save.name), std::nullopt);
    for (const std::string& file : save.Files()) {
      const auto link = folder.Path() / file;
      EXPECT_EQ(saved::TypeOf(link), std::filesystem::file_type::regular);
      EXPECT_TRUE(save.written(saved::Contents(link))) << file;
      EXPECT_EQ(saved::Contents(elsewhere.Path() / file), "old contents");
    }
    EXPECT_EQ(saved::Names(folder.Path()), save.Files());
  }
}

// A disk that fills up after 64 bytes, played by a limit on the size of files.
TEST(FileSaves, AFullDiskLeavesTheOldFileAndNothingElseAndSaysWhy) {
  DecimalSeparatorScope point('.');
  SavingProgram program;
  for (const SaveCommand& save : EverySave()) {
    SCOPED_TRACE(save.name);
    const TempDir folder;
    for (const std::string& file : save.Files()) saved::Put(folder.Path() / file, "old contents");
    std::optional<FakeUserDialogs::Shown> box;
    {
      const FileSizeLimit full(64);
      box = SaveOnto(program, save, folder.Path() / save.name);
    }
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->kind, save.failureBox);
    const QString failure =
        QStringLiteral("Не удалось записать файл «%1» (")
            .arg(QString::fromStdString((folder.Path() / save.Files()[0]).string()));
    EXPECT_TRUE(box->text.startsWith(failure)) << box->text.toStdString();
    EXPECT_TRUE(box->text.endsWith(QStringLiteral("(файл слишком велик).")))
        << box->text.toStdString();
    for (const std::string& file : save.Files())
      EXPECT_EQ(saved::Contents(folder.Path() / file), "old contents");
    EXPECT_EQ(saved::Names(folder.Path()), save.Files());
  }
}
