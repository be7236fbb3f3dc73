// The psd and srs commands run as a process: their JSON and CSV against the
// core's spectra of the same interval, and settings they must refuse.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cmath>

#include "CliProcess.h"
#include "LoggerFileWriter.h"
#include "analysis/Spectra.h"
#include "files/LoggerFile.h"
#include "support/StrictCsv.h"

namespace {

loggen::LoggerFileOptions VibrationOptions() {
  loggen::LoggerFileOptions options;
  options.blocks = 500;
  options.bursts = 3;
  options.shocks = 2;
  options.seed = 5;
  return options;
}

// A vibrating recording with shocks, written as a logger file.
struct VibrationFile : GeneratedLoggerFile {
  VibrationFile() : GeneratedLoggerFile(VibrationOptions(), 20000) {}
};

void ExpectList(const QJsonValue& list, const std::vector<double>& expected, const char* what) {
  const QJsonArray array = list.toArray();
  ASSERT_EQ(array.size(), static_cast<qsizetype>(expected.size())) << what;
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(array[static_cast<qsizetype>(i)].toDouble(), expected[i]) << what << " " << i;
  }
}

TEST(CliSpectra, PsdJsonHoldsTheIntervalTheSettingsAndEachAxisSpectrumAndRms) {
  VibrationFile f;
  const CliResult r = RunCli(
      {"psd", "--from", "1.5", "--to", "6.5", "--segment", "512", "--band", "5:200", f.file});
  ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
  const QJsonObject json = QJsonDocument::fromJson(r.out).object();
  EXPECT_EQ(json["from_s"].toDouble(), 1.5);
  EXPECT_EQ(json["to_s"].toDouble(), 6.5);
  EXPECT_EQ(json["segment"].toInt(), 512);
  EXPECT_EQ(json["band"].toArray(), (QJsonArray{5.0, 200.0}));
  const PsdOptions options{512, 5, 200};
  const auto expected = IntervalPsd(f.recording, {1500, 6500}, options);
  ExpectList(json["frequencies"], expected.Axes[AxisX].Frequencies, "frequencies");
  EXPECT_EQ(json["frequencies"].toArray().size(), 257);
  const char* names[] = {"X", "Y", "Z"};
  for (int axis = 0; axis < 3; ++axis) {
    const QJsonObject a = json[names[axis]].toObject();
    ExpectList(a["psd"], expected.Axes[axis].Density, names[axis]);
    EXPECT_EQ(a["rms"].toDouble(), expected.Rms[axis]);
    EXPECT_GT(a["rms"].toDouble(), 0.0);
  }
}

TEST(CliSpectra, SrsJsonAndCsvCarryTheSameSpectrumOfTheWholeRecording) {
  VibrationFile f;
  const CliResult json = RunCli({"srs", "--q", "5", "--fmin", "2", f.file});
  const CliResult csv = RunCli({"srs", "--q", "5", "--fmin", "2", "--csv", f.file});
  ASSERT_EQ(json.exitCode, 0) << json.err.toStdString();
  ASSERT_EQ(csv.exitCode, 0) << csv.err.toStdString();
  const QJsonObject object = QJsonDocument::fromJson(json.out).object();
  EXPECT_EQ(object["from_s"].toDouble(), 0.0);
  EXPECT_EQ(object["to_s"].toDouble(), 9.999);
  EXPECT_EQ(object["q"].toDouble(), 5.0);
  EXPECT_EQ(object["per_octave"].toDouble(), 12.0);
  const auto expected = IntervalSrs(f.recording, {0, 9999}, {2, 250, 12, 5}, 1);
  const SrsResult& z = expected.Axes[AxisZ];
  ExpectList(object["frequencies"], z.Frequencies, "frequencies");
  ExpectList(object["Z"].toObject()["srs"], z.Peak, "srs");
  ExpectList(object["Z"].toObject()["pos"], z.Positive, "pos");
  ExpectList(object["Z"].toObject()["neg"], z.Negative, "neg");

  // The CSV: the maximax peak of each axis, every number as the JSON has it.
  const StrictCsv table = ReadStrictCsv(csv.out.toStdString());
  ASSERT_EQ(table.error, "");
  EXPECT_EQ(table.header,
            std::vector<std::string>({"frequency_hz", "srs_x_ms2", "srs_y_ms2", "srs_z_ms2"}));
  ASSERT_EQ(table.rows.size(), z.Frequencies.size());
  for (std::size_t i = 0; i < z.Frequencies.size(); ++i) {
    EXPECT_EQ(CsvNumber(table.rows[i][0]), z.Frequencies[i]);
    EXPECT_EQ(CsvNumber(table.rows[i][1]), expected.Axes[AxisX].Peak[i]);
    EXPECT_EQ(CsvNumber(table.rows[i][3]), z.Peak[i]);
  }
}

TEST(CliSpectra, PsdCsvHasOneColumnPerAxisAndOneTablePerFile) {
  VibrationFile f;
  const CliResult r = RunCli({"psd", "--csv", "--segment", "64", f.file, f.file});
  ASSERT_EQ(r.exitCode, 0);
  // One table per file, an empty line between them.
  const std::string out = r.out.toStdString();
  const std::size_t gap = out.find("\r\n\n");
  ASSERT_NE(gap, std::string::npos);
  const std::string first = out.substr(0, gap + 2);
  EXPECT_EQ(out.substr(gap + 3), first);
  const StrictCsv table = ReadStrictCsv(first);
  ASSERT_EQ(table.error, "");
  EXPECT_EQ(table.header, std::vector<std::string>({"frequency_hz", "psd_x_ms2sq_per_hz",
                                                    "psd_y_ms2sq_per_hz", "psd_z_ms2sq_per_hz"}));
  ASSERT_EQ(table.rows.size(), 33u);
  const auto expected = IntervalPsd(f.recording, {0, 9999}, {64, 1, 500});
  EXPECT_EQ(CsvNumber(table.rows[32][0]), 500.0);
  EXPECT_EQ(CsvNumber(table.rows[4][2]), expected.Axes[AxisY].Density[4]);
}

// The widest and the lowest ranges the shock spectrum takes give finite
// numbers; the settings beyond them are refused in the command line table.
TEST(CliSpectra, TheWidestAndLowestShockSpectrumRangesGiveFiniteNumbers) {
  VibrationFile f;
  const CliResult tiny = RunCli({"srs", "--fmin", "0.01", "--fmax", "0.02", f.file});
  ASSERT_EQ(tiny.exitCode, 0) << tiny.err.toStdString();
  const QJsonObject json = QJsonDocument::fromJson(tiny.out).object();
  EXPECT_EQ(json["frequencies"].toArray().first().toDouble(), 0.01);
  for (const char* axis : {"X", "Y", "Z"}) {
    for (const QJsonValue& peak : json[axis].toObject()["srs"].toArray()) {
      EXPECT_TRUE(peak.isDouble() && std::isfinite(peak.toDouble())) << axis;
    }
  }
  const CliResult widest = RunCli({"srs", "--to", "0.5", "--fmin", "0.01", "--fmax", "499.99",
                                   "--per-octave", "96", "--csv", f.file});
  ASSERT_EQ(widest.exitCode, 0) << widest.err.toStdString();
  const StrictCsv table = ReadStrictCsv(widest.out.toStdString());
  EXPECT_EQ(table.error, "");
  EXPECT_GT(table.rows.size(), 1400u);
  EXPECT_LE(table.rows.size(), 2000u);
  EXPECT_FALSE(widest.out.contains("nan") || widest.out.contains("inf"));
}

}  // namespace
