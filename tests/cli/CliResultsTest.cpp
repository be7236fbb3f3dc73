// torvik-cli's results read back as a colleague's tools read them: the
// exported interval with a strict CSV reader and as a workbook, the report's
// words against the JSON of the commands that compute the same numbers, a
// full disk under every command that writes a file, and the times in every
// command's JSON.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonObject>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <tuple>

#include "CliProcess.h"
#include "LoggerFileWriter.h"
#include "support/PdfWords.h"
#include "support/SavedFiles.h"
#include "support/StrictCsv.h"
#include "support/XlsxFile.h"
#include "text/ShortestText.h"

namespace {

// Ten seconds with shocks on every axis, vibration and two drops; the
// interval's ends are times whose product by 0.001 is not the decimal.
loggen::LoggerFileOptions ResultsOptions() {
  loggen::LoggerFileOptions options;
  options.blocks = 500;
  options.seed = 5;
  options.shocks = 40;
  options.bursts = 2;
  options.placedShocks = {{1, 54, 12, 3.0}, {2, -45, 8, 6.5}};
  options.placedDrops = {{0.3, 1.5}, {0.8, 4.5}};
  return options;
}
constexpr std::uint32_t kFirst = 103, kLast = 7951;
const QStringList kInterval = {"--from", "0.103", "--to", "7.951"};

struct ResultsFile : GeneratedLoggerFile {
  ResultsFile() : GeneratedLoggerFile(ResultsOptions(), 10000) { session.RefreshVibroSpeed(); }
  QString Out(const std::string& name) const { return QString::fromStdString(TempPath(name)); }
};

QJsonObject Json(const QStringList& arguments) {
  const CliResult run = RunCli(arguments);
  EXPECT_EQ(run.exitCode, 0) << arguments.join(' ').toStdString() << run.err.toStdString();
  return run.objects().empty() ? QJsonObject() : run.objects()[0];
}

// A number the report rounds to `decimals` decimals.
void ExpectRounded(const QString& shown, double value, int decimals) {
  EXPECT_NEAR(PdfNumber(shown), value, 0.5 * std::pow(10.0, -decimals) + 1e-12)
      << shown.toStdString();
}

QString Shortest(double value) {
  return QString::fromStdString(ShortestText(value));
}

}  // namespace

TEST(CliExport, EveryRowIsTheCoresSampleInEitherUnitAndTheWorkbookSaysWhatItHolds) {
  ResultsFile f;
  const Recording& r = f.recording;
  const double* codes[] = {r.CodesX.get(), r.CodesY.get(), r.CodesZ.get()};
  for (const auto& [unit, scale, suffix] :
       {std::tuple{"ms2", 1.0, ""}, std::tuple{"g", r.GValue, "_g"}}) {
    SCOPED_TRACE(unit);
    const QString out = f.Out(std::string("interval-") + unit + ".csv");
    const CliResult run =
        RunCli(QStringList{"export"} + kInterval + QStringList{"--units", unit, f.file, out});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const StrictCsv csv = ReadStrictCsv(saved::Contents(out.toStdString()));
    ASSERT_EQ(csv.error, "");
    const std::string s = suffix;
    EXPECT_EQ(csv.header,
              (std::vector<std::string>{"time_s", "accel_x" + s, "accel_y" + s, "accel_z" + s,
                                        "temperature_c", "lin_speed_x", "vibro_speed_x"}));
    ASSERT_EQ(csv.rows.size(), kLast - kFirst + 1);
    std::size_t differing = 0;
    for (std::size_t k = 0; k < csv.rows.size(); ++k) {
      const std::uint32_t i = kFirst + static_cast<std::uint32_t>(k);
      const std::vector<std::string>& row = csv.rows[k];
      const double expected[] = {SampleSeconds(i),
                                 Acceleration(codes[0][i], r.Calibration[0]) / scale,
                                 Acceleration(codes[1][i], r.Calibration[1]) / scale,
                                 Acceleration(codes[2][i], r.Calibration[2]) / scale,
                                 r.Temperature[i],
                                 r.LinSpeedX[i],
                                 r.VibroSpeedX[i]};
      bool same = row[0] == SampleTimeText(i);  // 114.963, never 114.96300000000001
      for (std::size_t c = 0; c < 7; ++c) same = same && CsvNumber(row[c]) == expected[c];
      if (!same && differing++ == 0) ADD_FAILURE() << "row " << k << " starts " << row[0];
    }
    EXPECT_EQ(differing, 0u);
  }

  const QString book = f.Out("interval.xlsx");
  ASSERT_EQ(RunCli(QStringList{"export"} + kInterval + QStringList{"--units", "g", f.file, book})
                .exitCode,
            0);
  const std::string path = book.toStdString();
  EXPECT_EQ(xlsx::SheetNames(path), std::vector<std::string>({"Сведения", "Данные"}));
  const std::string details = xlsx::Part(path, "xl/worksheets/sheet1.xml");
  EXPECT_EQ(xlsx::Cell(details, "A1"), "Файл");
  EXPECT_EQ(xlsx::Cell(details, "B1"), f.path);
  EXPECT_EQ(xlsx::Cell(details, "B4"), "103");  // the interval's first sample
  const std::string data = xlsx::Part(path, "xl/worksheets/sheet2.xml");
  EXPECT_EQ(xlsx::Cell(data, "B1"), "accel_x_g");
  EXPECT_EQ(xlsx::Cell(data, "A2"), "0.103");
  EXPECT_NEAR(std::stod(*xlsx::Cell(data, "D7850")),
              Acceleration(r.CodesZ[kLast], r.Calibration[2]) / r.GValue, 1e-14);
  EXPECT_EQ(xlsx::Cell(data, "A7851"), std::nullopt);
}

// A disk that fills up after 64 kB: each writing command fails naming the
// file and the cause, and the old file stays; none writes onto its input, nor
// convert onto a device.
TEST(CliFileWrites, AFullDiskLeavesTheOldFileSayingWhyAndNoCommandWritesOntoItsInput) {
  ResultsFile f;
  const std::string input = saved::Contents(f.path);
  for (const std::string command : {"convert", "export", "report"}) {
    SCOPED_TRACE(command);
    const std::string extension = command == "report" ? ".pdf" : ".csv";
    const std::string out = f.TempPath("full-" + command + extension);
    saved::Put(out, "old");
    const std::string shell = "trap '' XFSZ; ulimit -f 64; exec '" + std::string(TORVIK_CLI_PATH) +
                              "' " + command + " '" + f.path + "' '" + out + "' 2>'" + out +
                              ".err'";
    EXPECT_EQ(WEXITSTATUS(std::system(shell.c_str())), 1);
    EXPECT_EQ(saved::Contents(out), "old");
    const std::string err = saved::Contents(out + ".err");
    EXPECT_NE(err.find("Не удалось записать файл «" + out + "» (файл слишком велик)."),
              std::string::npos)
        << err;
    const QString self = QString::fromStdString(f.TempPath("self" + extension));
    std::filesystem::copy_file(f.path, self.toStdString(),
                               std::filesystem::copy_options::overwrite_existing);
    const CliResult run = RunCli({QString::fromStdString(command), self, self});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains("input file itself")) << run.err.toStdString();
    EXPECT_EQ(saved::Contents(self.toStdString()), input);
  }
  // A device takes no extension, so only convert can be pointed at one.
  const CliResult device = RunCli({"convert", f.file, "/dev/null"});
  EXPECT_EQ(device.exitCode, 1);
  EXPECT_TRUE(QString::fromUtf8(device.err).contains("Не удалось получить доступ к файлу"))
      << device.err.toStdString();
}

// Every number of the report is the JSON's of the command that computes it,
// with the same options; every word lies inside its page.
TEST(CliReport, ThreePagesWhoseNumbersAreThoseOfParamsEventsDropsPsdAndSrs) {
  ResultsFile f;
  const QString pdf = f.Out("report.pdf");
  const QStringList params = kInterval + QStringList{"--bound", "20", "--cutoff", "5"};
  const QStringList events = kInterval + QStringList{"--bound", "20", "--gap", "5"};
  const QStringList drops = kInterval + QStringList{"--fall-level", "0.3", "--min-fall", "50"};
  const QStringList psd = kInterval + QStringList{"--segment", "512", "--band", "2:200"};
  const QStringList srs =
      kInterval + QStringList{"--fmin", "5", "--fmax", "400", "--per-octave", "6", "--q", "8"};
  const CliResult run = RunCli(QStringList{"report"} + params + QStringList{"--gap", "5"} +
                               drops.mid(4) + psd.mid(4) + srs.mid(4) + QStringList{f.file, pdf});
  ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
  const std::vector<PdfPage> pages = ReadPdfWords(pdf);
  ASSERT_EQ(pages.size(), 3u);
  QString outside;
  EXPECT_TRUE(PdfWordsInsidePages(pages, &outside)) << outside.toStdString();

  // Page 1: the interval, the parameter rows and the exceedance search.
  const QJsonObject p = Json(QStringList{"params"} + params + QStringList{f.file});
  const QJsonObject iv = p["interval"].toObject();
  EXPECT_TRUE(PdfHasLine(
      pages[0], QStringLiteral("Интервал: %1 … %2 с (отсчёты %3 … %4, всего: %5)")
                    .arg(Shortest(iv["from_s"].toDouble()), Shortest(iv["to_s"].toDouble()))
                    .arg(iv["first"].toInt())
                    .arg(iv["last"].toInt())
                    .arg(kLast - kFirst + 1)));
  for (const QJsonValue& row : p["rows"].toArray()) {
    QString line = row["name"].toString().simplified();
    for (const QJsonValue& text : row["texts"].toArray())
      line += ' ' + text.toString().simplified();
    EXPECT_TRUE(PdfHasLine(pages[0], line)) << line.toStdString();
  }
  const QJsonObject exceedances = p["exceedances"].toObject();
  for (const auto& [side, sign] : {std::pair{"positive", "+"}, std::pair{"negative", "-"}}) {
    const QJsonArray runs = exceedances[side].toObject()["runs"].toArray();
    ASSERT_FALSE(runs.isEmpty()) << side;
    EXPECT_TRUE(PdfHasLine(pages[0], QStringLiteral("-> Превышение порогового уровня %1%2м/с2: "
                                                    "было, серий в списке: %3")
                                         .arg(sign, QStringLiteral("20"))
                                         .arg(runs.size())));
  }

  // Page 2: the count of all events, the 30 largest by |peak|, every drop.
  const QJsonObject e = Json(QStringList{"events"} + events + QStringList{f.file});
  std::vector<QJsonObject> found;
  for (const QJsonValue& event : e["events"].toArray()) found.push_back(event.toObject());
  ASSERT_GT(found.size(), 30u);
  EXPECT_TRUE(PdfHasLine(pages[1], QStringLiteral("События: %1").arg(found.size())));
  const QJsonObject base = e["baseline"].toObject();
  EXPECT_TRUE(PdfHasLine(pages[1], QStringLiteral("Уровень покоя, м/с²: X %1, Y %2, Z %3")
                                       .arg(base["X"].toDouble(), 0, 'f', 3)
                                       .arg(base["Y"].toDouble(), 0, 'f', 3)
                                       .arg(base["Z"].toDouble(), 0, 'f', 3)));
  std::stable_sort(found.begin(), found.end(), [](const QJsonObject& a, const QJsonObject& b) {
    return std::fabs(a["peak"].toDouble()) > std::fabs(b["peak"].toDouble());
  });
  for (std::size_t i = 0; i < 30; ++i) {
    const QJsonObject& event = found[i];
    const QString start =
        event["channel"].toString() + ' ' + Shortest(event["start_s"].toDouble()) + ' ';
    const std::vector<QStringList> rows = PdfRowsStartingWith(pages[1], start);
    ASSERT_EQ(rows.size(), 1u) << start.toStdString();
    EXPECT_EQ(rows[0][2], Shortest(event["duration_s"].toDouble()));
    ExpectRounded(rows[0][3], event["peak"].toDouble(), 2);
    ExpectRounded(rows[0][4], event["peak"].toDouble() / f.recording.GValue, 3);
    if (!event["delta_v"].isNull()) ExpectRounded(rows[0][5], event["delta_v"].toDouble(), 4);
  }
  const QJsonArray falls =
      Json(QStringList{"drops"} + drops + QStringList{f.file})["drops"].toArray();
  ASSERT_EQ(falls.size(), 2);
  EXPECT_TRUE(PdfHasLine(pages[1], QStringLiteral("Падения: 2")));
  for (const QJsonValue& drop : falls) {
    const auto rows = PdfRowsStartingWith(pages[1], Shortest(drop["start_s"].toDouble()) + ' ');
    ASSERT_EQ(rows.size(), 1u);
    ASSERT_EQ(rows[0].size(), 7);
    EXPECT_EQ(rows[0][1], Shortest(drop["fall_s"].toDouble()));
    ExpectRounded(rows[0][2], drop["height_m"].toDouble(), 3);
    ExpectRounded(rows[0][3], drop["impact_speed"].toDouble(), 3);
    EXPECT_EQ(rows[0][4], Shortest(drop["impact_s"].toDouble()));
    ExpectRounded(rows[0][5], drop["impact_peak"].toDouble(), 2);
    ExpectRounded(rows[0][6], drop["impact_peak_g"].toDouble(), 3);
  }

  // Page 3: the settings, the rms of each axis and its shock spectrum's peak.
  const QJsonObject d = Json(QStringList{"psd"} + psd + QStringList{f.file});
  const QJsonObject s = Json(QStringList{"srs"} + srs + QStringList{f.file});
  EXPECT_TRUE(PdfHasLine(
      pages[2], QStringLiteral("Сегмент, отсчётов: 512 (использовано: %1); полоса СКЗ: 2 … 200 Гц")
                    .arg(d["segment_used"].toInt())));
  EXPECT_TRUE(PdfHasLine(pages[2], QStringLiteral("Q = 8; частот на октаву: 6; 5 … 400 Гц")));
  const QJsonArray frequencies = s["frequencies"].toArray();
  for (const char* axis : {"X", "Y", "Z"}) {
    const std::vector<QStringList> rows = PdfRowsStartingWith(pages[2], QString(axis) + ' ');
    ASSERT_EQ(rows.size(), 2u) << axis;  // the rms, then the peak and its frequency
    const double rms = d[axis].toObject()["rms"].toDouble();
    EXPECT_NEAR(PdfNumber(rows[0][1]), rms, 5e-4 * rms);
    const QJsonArray peaks = s[axis].toObject()["srs"].toArray();
    int top = 0;
    for (int k = 1; k < peaks.size(); ++k)
      top = peaks[k].toDouble() > peaks[top].toDouble() ? k : top;
    EXPECT_NEAR(PdfNumber(rows[1][1]), peaks[top].toDouble(), 5e-4 * peaks[top].toDouble());
    EXPECT_NEAR(PdfNumber(rows[1][2]), frequencies[top].toDouble(),
                5e-4 * frequencies[top].toDouble());
  }
}

// Every time in every command's JSON is the sample's index ÷ 1000 written as
// the shortest text that reads back: three decimals at most, never 0.10300000000000001.
TEST(CliJson, TimesAreDecimalsInEveryCommand) {
  ResultsFile f;
  ASSERT_NE(kFirst * Recording::TimeStep, SampleSeconds(kFirst));  // the product is not the decimal
  static const QRegularExpression time(QStringLiteral("\"([a-z_]+_s)\":([^,}\\]]*)"));
  static const QRegularExpression decimal(QStringLiteral("^(null|[0-9]+(\\.[0-9]{1,3})?)$"));
  const std::pair<QStringList, int> commands[] = {
      {{"info"}, 1},
      {QStringList{"params", "--bound", "20"} + kInterval, 2 + 2},  // the interval, runs
      {QStringList{"events"} + kInterval, 2 + 2 + 30 * 3},          // also the events' own
      {QStringList{"drops"} + kInterval, 2 + 2 + 2 * 3},
      {QStringList{"psd"} + kInterval, 2 + 2},
      {QStringList{"srs"} + kInterval, 2 + 2}};
  for (const auto& [arguments, fewest] : commands) {
    const CliResult run = RunCli(arguments + QStringList{f.file});
    ASSERT_EQ(run.exitCode, 0) << arguments.join(' ').toStdString();
    const QString json = QString::fromUtf8(run.out);
    int times = 0;
    for (auto it = time.globalMatch(json); it.hasNext(); ++times) {
      const QRegularExpressionMatch m = it.next();
      EXPECT_TRUE(decimal.match(m.captured(2)).hasMatch())
          << arguments[0].toStdString() << ": " << m.captured(0).toStdString();
    }
    EXPECT_GE(times, fewest) << arguments[0].toStdString();
    if (arguments[0] != "info") {
      EXPECT_TRUE(json.contains("\"from_s\":0.103,")) << arguments[0].toStdString();
      EXPECT_TRUE(json.contains("\"to_s\":7.951")) << arguments[0].toStdString();
    }
  }
}
