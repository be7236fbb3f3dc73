// The drops command and the events baseline run as a process on files the
// generator wrote, read against the definitions: the fall from its samples,
// the height and impact speed from the fall time, the impact and the rest
// level from a plain reading of the recording.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonObject>
#include <algorithm>
#include <cmath>
#include <vector>

#include "CliProcess.h"
#include "LoggerFileWriter.h"

namespace {

// Drops of 5, 30 and 80 cm, and one of 80 cm that the recording's end
// (10 s) cuts short.
loggen::LoggerFileOptions DropOptions() {
  loggen::LoggerFileOptions options;
  options.blocks = 500;
  options.placedDrops = {{0.05, 1.0}, {0.30, 3.0}, {0.80, 6.0}, {0.80, 9.8}};
  return options;
}

struct DropFile : GeneratedLoggerFile {
  DropFile() : GeneratedLoggerFile(DropOptions(), 10000) {}

  double Magnitude(std::uint32_t i) const {
    double squares = 0;
    for (int axis = 0; axis < 3; ++axis) {
      const double a = Acceleration(AxisCodes(axis)[i], recording.Calibration[axis]);
      squares += a * a;
    }
    return std::sqrt(squares);
  }
  const double* AxisCodes(int axis) const {
    return axis == 0 ? recording.CodesX.get()
                     : (axis == 1 ? recording.CodesY.get() : recording.CodesZ.get());
  }
  // The median code of an axis over first … last, less its zero, in m/s².
  double RestLevel(int axis, std::uint32_t first, std::uint32_t last) const {
    std::vector<double> codes(AxisCodes(axis) + first, AxisCodes(axis) + last + 1);
    std::sort(codes.begin(), codes.end());
    const std::size_t n = codes.size();
    const double median = n % 2 ? codes[n / 2] : (codes[n / 2 - 1] + codes[n / 2]) / 2;
    return (median - recording.Calibration[axis].Code0g) * recording.Calibration[axis].Gain;
  }
};

QJsonObject OnlyObject(const CliResult& result) {
  EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
  const auto objects = result.objects();
  EXPECT_EQ(objects.size(), 1u);
  return objects.empty() ? QJsonObject() : objects[0];
}

TEST(CliDrops, DropsOfFiveThirtyAndEightyCentimetresGiveTheirHeightsAndImpacts) {
  DropFile f;
  const QJsonObject json = OnlyObject(RunCli({"drops", f.file}));
  EXPECT_EQ(json["file"].toString(), f.file);
  EXPECT_EQ(json["from_s"].toDouble(), 0.0);
  EXPECT_EQ(json["to_s"].toDouble(), 9.999);
  EXPECT_EQ(json["fall_level"].toDouble(), 0.3);
  EXPECT_EQ(json["min_fall"].toDouble(), 50.0);
  const QJsonArray drops = json["drops"].toArray();
  ASSERT_EQ(drops.size(), 4);

  const double g = f.recording.GValue;
  const double heights[] = {0.05, 0.30, 0.80};
  for (int k = 0; k < 3; ++k) {
    SCOPED_TRACE(heights[k]);
    const QJsonObject drop = drops[k].toObject();
    const auto first = static_cast<std::uint32_t>(drop["first"].toInt());
    const auto last = static_cast<std::uint32_t>(drop["last"].toInt());
    const double fall = drop["fall_s"].toDouble();
    EXPECT_EQ(first, static_cast<std::uint32_t>(
                         std::lround(DropOptions().placedDrops[k].atSeconds * 1000)));
    EXPECT_EQ(drop["start_s"].toDouble(), first / 1000.0);
    EXPECT_EQ(fall, (last - first + 1) / 1000.0);
    EXPECT_NEAR(fall, std::sqrt(2 * heights[k] / g), 0.0005);  // to the nearest sample
    EXPECT_DOUBLE_EQ(drop["height_m"].toDouble(), g * fall * fall / 2);
    EXPECT_NEAR(drop["height_m"].toDouble(), heights[k], g * fall * 0.0005);
    EXPECT_DOUBLE_EQ(drop["impact_speed"].toDouble(), g * fall);
    // Every sample of the fall is below the level, the ones around it are not.
    for (std::uint32_t i = first; i <= last; ++i) ASSERT_LT(f.Magnitude(i), 0.3 * g) << i;
    EXPECT_GE(f.Magnitude(first - 1), 0.3 * g);
    EXPECT_GE(f.Magnitude(last + 1), 0.3 * g);

    std::uint32_t top = last + 1;
    for (std::uint32_t i = last + 1; i <= last + 100; ++i) {
      if (f.Magnitude(i) > f.Magnitude(top)) top = i;
    }
    EXPECT_DOUBLE_EQ(drop["impact_peak"].toDouble(), f.Magnitude(top));
    EXPECT_DOUBLE_EQ(drop["impact_peak_g"].toDouble(), f.Magnitude(top) / g);
    EXPECT_EQ(drop["impact_s"].toDouble(), top / 1000.0);
    EXPECT_GT(drop["impact_peak_g"].toDouble(), 5.0);  // the impact, not the rest
  }
  // The fall the end of the recording cuts short has no impact.
  const QJsonObject cut = drops[3].toObject();
  EXPECT_EQ(cut["first"].toInt(), 9800);
  EXPECT_EQ(cut["last"].toInt(), 9999);
  for (const char* field : {"impact_peak", "impact_peak_g", "impact_s"}) {
    EXPECT_TRUE(cut[field].isNull()) << field;
  }

  // The interval and the shortest fall choose among them.
  const QJsonObject part =
      OnlyObject(RunCli({"drops", "--from", "0.5", "--to", "7", "--min-fall", "150", f.file}));
  EXPECT_EQ(part["from_s"].toDouble(), 0.5);
  EXPECT_EQ(part["min_fall"].toDouble(), 150.0);
  const QJsonArray long_ = part["drops"].toArray();
  ASSERT_EQ(long_.size(), 2);  // the 5 cm fall lasts 101 ms
  EXPECT_EQ(long_[0].toObject(), drops[1].toObject());
  EXPECT_EQ(long_[1].toObject(), drops[2].toObject());
}

// The settings' refusals are in the command line table; the edge is taken.
TEST(CliDrops, AFallLevelJustBelowOneIsTakenAsGiven) {
  DropFile f;
  const QJsonObject edge =
      OnlyObject(RunCli({"drops", "--fall-level", "0.999", "--min-fall", "1", f.file}));
  EXPECT_EQ(edge["fall_level"].toDouble(), 0.999);
}

TEST(CliDrops, EventsReportEachAxisRestLevel) {
  DropFile f;
  const struct {
    QStringList interval;
    std::uint32_t first, last;  // the samples whose median is the rest level
  } cases[] = {{{}, 0, 9999},
               {{"--from", "2", "--to", "3.5"}, 1000, 4500},
               {{"--from", "0.2", "--to", "0.3"}, 0, 1300}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.interval.join(' ').toStdString());
    const QJsonObject json =
        OnlyObject(RunCli(QStringList{"events"} + c.interval + QStringList{f.file}));
    const QJsonObject baseline = json["baseline"].toObject();
    ASSERT_EQ(baseline.keys(), (QStringList{"X", "Y", "Z"}));
    const char* names[] = {"X", "Y", "Z"};
    for (int axis = 0; axis < 3; ++axis) {
      EXPECT_EQ(baseline[names[axis]].toDouble(), f.RestLevel(axis, c.first, c.last))
          << names[axis];
    }
    EXPECT_NEAR(baseline["Z"].toDouble(), f.recording.GValue, 0.05);  // the logger lies flat
  }
  const CliResult help = RunCli({"--help"});
  EXPECT_FALSE(help.out.contains("mean-removed"));
  EXPECT_TRUE(help.out.contains("baseline"));
}

}  // namespace
