// Results leaving the window as files a colleague reads: the interval's
// samples (the file type chosen names format and unit) and the analysis
// report of "Файл", read back as a user's tools read them.
#include <gtest/gtest.h>

#include "support/AnalysisPrograms.h"
#include "support/PdfWords.h"
#include "support/SavedFiles.h"
#include "support/StrictCsv.h"
#include "support/TempDir.h"
#include "support/XlsxFile.h"
#include "text/NumberText.h"
#include "text/ShortestText.h"
#include "view/NumberEdit.h"

namespace {

// Ten seconds: two shocks on Y 50 ms apart at 2 s (one event or two, as the
// gap decides), one on Z at 5 s, a 30 cm drop at 6.5 s.
loggen::LoggerFileOptions ResultsFile() {
  loggen::LoggerFileOptions options;
  options.blocks = 500;
  options.placedShocks = {{1, 54, 12, 2.0}, {1, 50, 10, 2.05}, {2, -45, 8, 5.0}};
  options.placedDrops = {{0.30, 6.5}};
  return options;
}

struct ResultsProgram : EventsProgram {
  ResultsProgram() : EventsProgram(ResultsFile(), "results_out.dat") {
    form().SpectraItem->trigger();
    Calculate(0.500, 9.500);
    dialogs.Clear();
  }
  // The save dialog's answer, then the command.
  void SaveAs(const std::string& path, int fileType, QAction* item) {
    dialogs.saveAnswers.push_back(SaveChoice{QString::fromStdString(path), fileType});
    item->trigger();
  }
  SpectraWindow& spectra() { return *form().findChild<SpectraWindow*>(); }
};

}  // namespace

TEST(IntervalDataExport, TheFileTypeNamesFormatAndUnitAndTheRowsAreTheRecordingsSamples) {
  ResultsProgram program;
  const TempDir folder;
  program.SaveAs(folder.File("data"), 1, program.form().IntervalDataExportItem);  // CSV, g
  EXPECT_EQ(program.dialogs.saveRequests.back().filter,
            "CSV, ускорения в м/с² (*.csv);;CSV, ускорения в g (*.csv);;"
            "Excel, ускорения в м/с² (*.xlsx);;Excel, ускорения в g (*.xlsx)");
  const StrictCsv csv = ReadStrictCsv(saved::Contents(folder.File("data.csv")));
  ASSERT_EQ(csv.error, "");
  EXPECT_EQ(csv.header,
            (std::vector<std::string>{"time_s", "accel_x_g", "accel_y_g", "accel_z_g",
                                      "temperature_c", "lin_speed_x", "vibro_speed_x"}));
  const Recording& r = program.data();
  ASSERT_EQ(csv.rows.size(), 9001u);  // 0.5 … 9.5 s
  for (const std::uint32_t i : {500u, 5000u, 9500u}) {
    const std::vector<std::string>& row = csv.rows[i - 500];
    EXPECT_EQ(row[0], SampleTimeText(i));
    EXPECT_EQ(CsvNumber(row[3]), Acceleration(r.CodesZ[i], r.Calibration[2]) / r.GValue);
    EXPECT_EQ(CsvNumber(row[6]), r.VibroSpeedX[i]);
  }
  EXPECT_NE(r.VibroSpeedX[5000], 0.0);  // the vibration speed was brought up to date

  // A name with the other format's extension is written in that format.
  program.SaveAs(folder.File("named.csv"), 2, program.form().IntervalDataExportItem);
  EXPECT_TRUE(saved::Contents(folder.File("named.csv")).starts_with("time_s,accel_x,"));
  program.SaveAs(folder.File("book"), 3, program.form().IntervalDataExportItem);
  const std::string book = folder.File("book.xlsx");
  EXPECT_EQ(xlsx::SheetNames(book), std::vector<std::string>({"Сведения", "Данные"}));
  const std::string data = xlsx::Part(book, "xl/worksheets/sheet2.xml");
  EXPECT_EQ(xlsx::Cell(data, "D1"), "accel_z_g");
  EXPECT_EQ(xlsx::Cell(data, "A9002"), "9.5");
  EXPECT_TRUE(program.dialogs.shown.empty());
}

// The report shows the parameter rows as the window does (curves not shown
// included) and the analysis windows' own settings: a gap that joins the two
// shocks on Y, a Q of 8.
TEST(AnalysisReport, FileMenuReportsWhatTheWindowsShow) {
  DecimalSeparatorScope point('.');
  ResultsProgram program;
  Type(*program.window().GapEdit, "200");
  Type(*program.spectra().QEdit, "8");
  const SampleInterval interval{500, 9500};
  const double threshold = program.form().RecordingSession().Settings().BoundLevel;
  ASSERT_NE(program.form().RecordingSession().Events(interval, {threshold, 10}).Events.size(),
            program.form().RecordingSession().Events(interval, {threshold, 200}).Events.size());
  const TempDir folder;
  program.SaveAs(folder.File("report.pdf"), 0, program.form().AnalysisReportItem);
  EXPECT_TRUE(program.dialogs.shown.empty());

  const std::vector<PdfPage> pages =
      ReadPdfWords(QString::fromStdString(folder.File("report.pdf")));
  ASSERT_EQ(pages.size(), 3u);
  EXPECT_TRUE(PdfWordsInsidePages(pages));
  for (int row = 0; row < 5; ++row) {
    QString line = program.cell(row, 0).simplified();
    for (int column = 1; column <= 4; ++column)
      line += ' ' + program.cell(row, column).simplified();
    EXPECT_TRUE(PdfHasLine(pages[0], line.trimmed())) << line.toStdString();
  }
  EXPECT_TRUE(PdfHasLine(pages[1], QStringLiteral("События: %1").arg(program.table().rowCount())));
  EXPECT_TRUE(
      PdfHasLine(pages[1], QStringLiteral("Падения: %1").arg(program.dropTable().rowCount())));
  const SrsOptions& srs = program.spectra().Srs();
  EXPECT_EQ(srs.Q, 8.0);
  EXPECT_TRUE(PdfHasLine(pages[2], QStringLiteral("Q = 8; частот на октаву: %1; %2 … %3 Гц")
                                       .arg(srs.PerOctave)
                                       .arg(srs.MinFrequency)
                                       .arg(srs.MaxFrequency)));
}
