#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "LoggerFileWriter.h"
#include "analysis/Interval.h"
#include "session/Session.h"
#include "support/SavedFiles.h"
#include "support/TempDir.h"
#include "text/NumberText.h"

namespace {

constexpr int kCapacity = 4000;

// Everything a session holds, copied out so that a later state can be held
// against it bit for bit.
struct Snapshot {
  explicit Snapshot(const Session& s)
      : sampleCount(s.Data().SampleCount),
        calibration(s.Data().Calibration),
        gValue(s.Data().GValue),
        settings(s.Settings()),
        interval(s.Interval()),
        fileName(s.FileName()) {
    const Recording& r = s.Data();
    for (const Recording::Array* a : {&r.CodesX, &r.CodesY, &r.CodesZ, &r.Temperature}) {
      Take(a->get(), r.Capacity);
    }
    for (const Recording::Array* a : {&r.LinSpeedX, &r.VibroSpeedX}) Take(a->get(), r.Capacity + 1);
  }
  void Take(const double* values, int count) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(values);
    arrays.insert(arrays.end(), bytes, bytes + count * sizeof(double));
  }
  bool operator==(const Snapshot& o) const {
    return arrays == o.arrays && sampleCount == o.sampleCount &&
           std::memcmp(&calibration, &o.calibration, sizeof calibration) == 0 &&
           std::memcmp(&gValue, &o.gValue, sizeof gValue) == 0 &&
           std::memcmp(&settings, &o.settings, sizeof settings) == 0 && interval == o.interval &&
           fileName == o.fileName;
  }

  std::vector<unsigned char> arrays;
  std::uint32_t sampleCount;
  std::array<AxisCalibration, 3> calibration;
  double gValue;
  AnalysisSettings settings;
  SelectedInterval interval;
  std::string fileName;
};

// 3000 samples with two shocks.
loggen::LoggerFileOptions ShockOptions() {
  loggen::LoggerFileOptions options;
  options.blocks = 150;
  options.shocks = 2;
  return options;
}

}  // namespace

// Whatever refuses a file, the session keeps every sample, derived value,
// setting, the interval and the name it had.
TEST(Session, ARefusedLoadLeavesTheSessionBitForBitAsItWas) {
  const TempDir folder;
  const std::string good = folder.File("good.dat");
  loggen::WriteFile(good, loggen::MakeLoggerFile(ShockOptions()));
  std::vector<std::uint8_t> badMarkers = loggen::MakeLoggerFile(ShockOptions());
  badMarkers[0] = 0;
  loggen::WriteFile(folder.File("markers.dat"), badMarkers);
  saved::Put(folder.File("empty.dat"), "");
  saved::Put(folder.File("letters.csv"),
             "1;2;3\r\n4;5;6\r\n7;8;x\r\n1;1;1\r\n1;1;1\r\n1;1;1\r\n1;1;1\r\n");
  saved::Put(folder.File("short.csv"), "1;2;3\r\n4;5;6\r\n");
  std::filesystem::create_directory(folder.File("folder.dat"));

  Session session(kCapacity);
  ASSERT_TRUE(session.LoadLoggerFile(good).Loaded());
  session.SetBoundLevel(12.5);
  session.SetInverted(true);
  session.SetCutoff(20);
  ASSERT_EQ(session.Settings().Cutoff, 20);
  session.CorrectSpeed();
  session.RefreshVibroSpeed();
  session.SelectCursorTimes(0.5, 1.25);
  const Snapshot before(session);

  const std::pair<const char*, LoadStatus> refused[] = {
      {"missing.dat", LoadStatus::NotFound},   {"folder.dat", LoadStatus::CannotOpen},
      {"empty.dat", LoadStatus::Empty},        {"markers.dat", LoadStatus::WrongFormat},
      {"letters.csv", LoadStatus::NotANumber}, {"short.csv", LoadStatus::WrongFormat},
      {"missing.csv", LoadStatus::NotFound},
  };
  for (const auto& [name, status] : refused) {
    const LoadResult result = session.LoadFile(folder.File(name));
    EXPECT_EQ(result.Status, status) << name;
    EXPECT_FALSE(result.Message.empty()) << name;
    EXPECT_TRUE(Snapshot(session) == before) << name << " changed the session";
  }
  // The vibration speed still follows the kept linear speed and cut-off.
  session.RefreshVibroSpeed();
  EXPECT_TRUE(Snapshot(session) == before);
}

// The interval a cursor's time selects is the one its panel text reads back
// as: the time shown with three decimals, then the nearest sample.
TEST(Session, CursorTimesSelectTheSamplesTheirPanelTextsShow) {
  DecimalSeparatorScope point('.');
  std::mt19937 random(11);
  std::uniform_real_distribution<double> time(-2, 1600);
  for (int i = 0; i < 20000; ++i) {
    // Times on and near the half thousandths, where the rounding decides.
    const double t = i % 2 == 0 ? time(random) : std::floor(time(random) * 2000) / 2000;
    const auto shown = TryStrToFloat(FormatFixed(t, 7, 3));
    ASSERT_TRUE(shown.has_value());
    ASSERT_EQ(CursorSamplePosition(t), SamplePosition(*shown)) << FormatFixed(t, 7, 3);
  }
  Session session(kCapacity);
  session.SelectCursorTimes(1.2346, 0.0005);  // shown as 1.235 and 0.001
  EXPECT_EQ(session.Interval(), (SelectedInterval{1235.0, 1.0}));
}

// Six crops of every kind, each followed by what writes the cropped
// recording's speeds again (the speed command, a vibration-speed pass): the
// last five are undone in turn, each giving back every array, the interval
// and the name bit for bit, with the vibration speed current as it was. A
// sixth undo finds nothing; a load forgets the crops.
TEST(Session, FiveCropsUndoneGiveBackEveryArrayBitForBit) {
  const TempDir folder;
  const std::string file = folder.File("crop.dat");
  loggen::WriteFile(file, loggen::MakeLoggerFile(ShockOptions()));
  Session session(kCapacity);
  ASSERT_TRUE(session.LoadLoggerFile(file).Loaded());
  session.RefreshVibroSpeed();
  const Snapshot loaded(session);

  // Sample positions of start and stop, and the count each crop leaves.
  const std::tuple<double, double, std::uint32_t> crops[] = {
      {100, 2900, 2800},  // the start inside the kept length
      {2000, 2700, 700},  // the start beyond it
      {0, 650, 650},      // nothing moves
      {500, 100, 650},    // reversed: the whole recording
      {20, 620, 600},     // the start inside again
      {5, 5, 0},          // nothing kept
  };
  std::vector<Snapshot> before;
  for (const auto& [start, stop, kept] : crops) {
    session.SelectInterval({start, stop});
    before.emplace_back(session);
    ASSERT_TRUE(session.Crop());
    ASSERT_EQ(session.Data().SampleCount, kept);
    session.CorrectSpeed();
    session.RefreshVibroSpeed();
  }
  EXPECT_EQ(session.CropUndoCount(), Session::kCropUndoDepth);
  for (std::size_t undo = 1; undo <= Session::kCropUndoDepth; ++undo) {
    SCOPED_TRACE(undo);
    ASSERT_TRUE(session.UndoCrop());
    EXPECT_TRUE(Snapshot(session) == before[before.size() - undo]);
    EXPECT_FALSE(session.Derived().RefreshVibroSpeed(session.Settings().Cutoff));
  }
  EXPECT_FALSE(session.UndoCrop());
  EXPECT_TRUE(Snapshot(session) == before[1]);

  ASSERT_TRUE(session.Crop());
  ASSERT_TRUE(session.LoadLoggerFile(file).Loaded());
  EXPECT_EQ(session.CropUndoCount(), 0u);
  EXPECT_FALSE(session.UndoCrop());
  session.RefreshVibroSpeed();
  EXPECT_TRUE(Snapshot(session) == loaded);
}
