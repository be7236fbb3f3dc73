// Drops: falls the generator writes, read back from the logger file against
// their height and impact; the joining, length and impact rules on made-up
// magnitudes; and the single pass against a plain reading of the rules on
// random signals.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <stdexcept>

#include "LoggerFileWriter.h"
#include "analysis/Drops.h"
#include "analysis/ShockEvents.h"
#include "files/LoggerFile.h"

namespace {

constexpr double kG = 9.815;

std::unique_ptr<Recording> Decoded(const loggen::LoggerFileOptions& options) {
  auto recording = std::make_unique<Recording>(options.blocks * loggen::kSamplesPerBlock);
  const auto status = DecodeLoggerFile(loggen::MakeLoggerFile(options), *recording).status;
  EXPECT_EQ(status, LoggerImportStatus::Loaded);
  return recording;
}

SampleInterval Whole(const Recording& r) {
  return {0, r.SampleCount - 1};
}

// Drops of 5, 30 and 80 cm at 3 s, still and tumbling (1.5 g spikes of two
// samples every 15 ms of the fall): one drop of the fall's height, and an
// impact on Z whose velocity change is the impact speed.
TEST(Drops, GeneratedDropsGiveTheirHeightAndImpact) {
  for (const double height : {0.05, 0.30, 0.80}) {
    for (const bool tumbling : {false, true}) {
      SCOPED_TRACE(testing::Message() << height << " m, tumbling " << tumbling);
      loggen::LoggerFileOptions options;
      options.blocks = 500;
      options.placedDrops = {{height, 3.0}};
      const auto r = Decoded(options);
      const double fall = std::sqrt(2 * height / kG);
      const auto last = static_cast<std::uint32_t>(3000 + std::lround(fall * 1000) - 1);
      for (std::uint32_t i = 3010; tumbling && i + 10 < last; i += 15) {
        r->CodesX[i] = r->CodesX[i + 1] = 32768 + 1.5 * options.codesPerG;
      }

      const std::vector<Drop> drops = FindDrops(*r, Whole(*r), DropSettings{});
      ASSERT_EQ(drops.size(), 1u);
      const Drop& drop = drops[0];
      EXPECT_EQ(drop.First, 3000u);
      EXPECT_EQ(drop.Last, last);
      EXPECT_DOUBLE_EQ(drop.StartSeconds, 3.0);
      EXPECT_NEAR(drop.FallSeconds, fall, 0.0005);  // to the nearest sample
      EXPECT_NEAR(drop.HeightMeters, height, kG * fall * 0.0005);
      EXPECT_DOUBLE_EQ(drop.HeightMeters, kG * drop.FallSeconds * drop.FallSeconds / 2);
      EXPECT_DOUBLE_EQ(drop.ImpactSpeed, kG * drop.FallSeconds);

      ASSERT_TRUE(drop.Impact.has_value());
      const ShockEventsResult events = FindShockEvents(*r, Whole(*r), ShockSettings{});
      ASSERT_EQ(events.Counts[AxisZ], 1);
      const ShockEvent& z =
          *std::find_if(events.Events.begin(), events.Events.end(),
                        [](const ShockEvent& e) { return e.Channel == ShockChannel::Z; });
      EXPECT_GT(z.First, drop.Last);
      EXPECT_NEAR(*z.DeltaV, drop.ImpactSpeed, 0.01 * drop.ImpactSpeed);
      EXPECT_GE(drop.Impact->Index, z.First);
      EXPECT_LE(drop.Impact->Index, z.Last);
      EXPECT_NEAR(drop.Impact->Peak, z.Peak + events.Baselines[AxisZ], 0.2);
      EXPECT_DOUBLE_EQ(drop.Impact->PeakG, drop.Impact->Peak / kG);
      EXPECT_DOUBLE_EQ(drop.Impact->Seconds, drop.Impact->Index * 0.001);
    }
  }
}

// A recording in m/s² (zero code 0, gain 1) at rest: 1 g on Z.
struct Still {
  explicit Still(int samples) : r(samples) {
    r.SampleCount = static_cast<std::uint32_t>(samples);
    for (AxisCalibration& c : r.Calibration) c = {0.0, 1.0};
    std::fill_n(r.CodesZ.get(), samples, kG);
  }
  void Fall(std::uint32_t first, std::uint32_t last) {
    std::fill(r.CodesZ.get() + first, r.CodesZ.get() + last + 1, 0.5);
  }
  std::vector<Drop> Find(DropSettings settings = {}) const {
    return FindDrops(r, Whole(r), settings);
  }
  std::vector<Drop> Find(SampleInterval interval) const { return FindDrops(r, interval, {}); }
  Recording r;
};

TEST(Drops, FallsJoinAcrossFewerThanFiveSamplesAndCountFromTheMinimum) {
  for (const std::uint32_t interruption : {4u, 5u}) {
    Still s(3000);
    s.Fall(1000, 1124);
    std::fill_n(s.r.CodesZ.get() + 1060, interruption, 2 * kG);
    const std::vector<Drop> drops = s.Find();
    if (interruption == 4) {
      ASSERT_EQ(drops.size(), 1u);
      EXPECT_EQ(drops[0].Last, 1124u);
    } else {
      ASSERT_EQ(drops.size(), 2u);
      EXPECT_EQ(drops[0].Last, 1059u);
      EXPECT_EQ(drops[1].First, 1065u);
      // The impact window of the first fall takes in the second.
      EXPECT_EQ(drops[0].Impact->Peak, 2 * kG);
    }
  }
  Still s(3000);
  s.Fall(500, 548);             // 49 samples
  s.Fall(1000, 1049);           // 50
  s.r.CodesZ[2000] = 0.3 * kG;  // at the level: not falling
  EXPECT_EQ(s.Find().size(), 1u);
  EXPECT_EQ(s.Find()[0].First, 1000u);
  EXPECT_EQ(s.Find(DropSettings{0.3, 49}).size(), 2u);
  EXPECT_EQ(s.Find(DropSettings{0.3, 49.5}).size(), 1u);
  EXPECT_EQ(s.Find(DropSettings{0.3, 1}).size(), 2u);
  EXPECT_EQ(s.Find(DropSettings{0.03, 1}).size(), 0u);  // 0.5 m/s² is above 0.03 g
}

TEST(Drops, ImpactIsTheLargestMagnitudeOfTheHundredSamplesAfterTheFall) {
  Still s(3000);
  s.Fall(1000, 1099);
  s.r.CodesX[1150] = 3 * kG;
  s.r.CodesZ[1199] = 5 * kG;  // the last sample of the window
  s.r.CodesY[1200] = 9 * kG;  // beyond it
  s.Fall(2900, 2999);         // the recording ends falling
  const std::vector<Drop> drops = s.Find();
  ASSERT_EQ(drops.size(), 2u);
  ASSERT_TRUE(drops[0].Impact.has_value());
  EXPECT_EQ(drops[0].Impact->Index, 1199u);
  EXPECT_EQ(drops[0].Impact->Peak, 5 * kG);
  EXPECT_DOUBLE_EQ(drops[0].Impact->PeakG, 5.0);
  EXPECT_FALSE(drops[1].Impact.has_value());

  // Within the interval only, the impact looked for beyond it.
  const std::vector<Drop> part = s.Find(SampleInterval{1040, 1100});
  ASSERT_EQ(part.size(), 1u);
  EXPECT_EQ(part[0].First, 1040u);
  EXPECT_EQ(part[0].Impact->Index, 1199u);
  EXPECT_TRUE(s.Find(SampleInterval{1100, 2899}).empty());
  EXPECT_THROW(s.Find(SampleInterval{0, 3000}), std::invalid_argument);
}

TEST(Drops, FallLevelAndMinimumOutOfRangeAreRefused) {
  const Still s(100);
  for (const DropSettings bad :
       {DropSettings{0, 50}, DropSettings{1, 50}, DropSettings{-0.1, 50}, DropSettings{NAN, 50},
        DropSettings{0.3, 0.99}, DropSettings{0.3, NAN}}) {
    SCOPED_TRACE(testing::Message() << bad.FallLevel << " " << bad.MinFall);
    ASSERT_TRUE(DropSettingsError(bad).has_value());
    EXPECT_THROW(s.Find(bad), std::invalid_argument);
  }
  EXPECT_EQ(*DropSettingsError({1, 50}), "the fall level must lie above 0 and below 1 g");
  EXPECT_EQ(*DropSettingsError({0.3, 0}), "the minimum fall must be at least 1 ms");
  EXPECT_FALSE(DropSettingsError({0.999, 1}).has_value());
}

// The rules read literally, sample by sample.
std::vector<Drop> Reference(const Recording& r, SampleInterval iv, const DropSettings& settings) {
  auto m = [&](std::uint32_t i) {
    const double x = (r.CodesX[i] - r.Calibration[0].Code0g) * r.Calibration[0].Gain;
    const double y = (r.CodesY[i] - r.Calibration[1].Code0g) * r.Calibration[1].Gain;
    const double z = (r.CodesZ[i] - r.Calibration[2].Code0g) * r.Calibration[2].Gain;
    return std::sqrt(x * x + y * y + z * z);
  };
  const double level = settings.FallLevel * r.GValue;
  std::vector<Drop> drops;
  for (std::uint32_t i = iv.First; i <= iv.Last; ++i) {
    if (!(m(i) < level)) continue;
    Drop d;
    d.First = d.Last = i;
    for (std::uint32_t j = i + 1; j <= iv.Last && j - d.Last - 1 < 5; ++j) {
      if (m(j) < level) d.Last = j;
    }
    i = d.Last;
    if (d.Last - d.First + 1 < settings.MinFall) continue;
    d.FallSeconds = (d.Last - d.First + 1) / 1000.0;
    if (d.Last + 1 < r.SampleCount) {
      DropImpact impact{d.Last + 1, m(d.Last + 1)};
      for (std::uint32_t j = d.Last + 1; j <= std::min(r.SampleCount - 1, d.Last + 100); ++j) {
        if (m(j) > impact.Peak) impact = {j, m(j)};
      }
      d.Impact = impact;
    }
    drops.push_back(d);
  }
  return drops;
}

TEST(Drops, AgreesWithTheRulesOnRandomSignals) {
  std::mt19937 random(11);
  std::uniform_int_distribution<int> length(1, 90), quiet(1, 300), spike(1, 7);
  std::normal_distribution<double> noise(0, 0.5);
  for (int round = 0; round < 30; ++round) {
    SCOPED_TRACE(round);
    Still s(6000);
    for (std::uint32_t i = 0; i < 6000; ++i) {
      s.r.CodesX[i] = noise(random);
      s.r.CodesY[i] = noise(random);
      s.r.CodesZ[i] += noise(random);
    }
    for (std::uint32_t at = quiet(random); at < 5950; at += quiet(random)) {
      const std::uint32_t end = std::min<std::uint32_t>(5999, at + length(random));
      for (std::uint32_t i = at; i <= end; i += spike(random) + 3) {
        std::fill(s.r.CodesZ.get() + i, s.r.CodesZ.get() + std::min(end, i + 3) + 1, noise(random));
      }
      at = end;
    }
    const DropSettings settings{0.2 + round % 4 * 0.05, 1.0 + round % 6 * 12};
    const auto from = static_cast<std::uint32_t>(round * 37);
    const SampleInterval interval{from, 5999 - static_cast<std::uint32_t>(round * 41) % 900};
    const std::vector<Drop> got = FindDrops(s.r, interval, settings);
    const std::vector<Drop> want = Reference(s.r, interval, settings);
    ASSERT_EQ(got.size(), want.size());
    for (std::size_t i = 0; i < got.size(); ++i) {
      EXPECT_EQ(got[i].First, want[i].First);
      EXPECT_EQ(got[i].Last, want[i].Last);
      EXPECT_EQ(got[i].FallSeconds, want[i].FallSeconds);
      ASSERT_EQ(got[i].Impact.has_value(), want[i].Impact.has_value());
      if (want[i].Impact) {
        EXPECT_EQ(got[i].Impact->Index, want[i].Impact->Index);
        EXPECT_EQ(got[i].Impact->Peak, want[i].Impact->Peak);
      }
    }
  }
}

// The demo recording holds one drop of 50 cm, clear of its shocks: within a
// second of it the only events are its impact's, on Z and the resultant.
TEST(Drops, DemoRecordingHoldsOneDropClearOfItsShocks) {
  const auto r = Decoded(loggen::DemoOptions());
  const std::vector<Drop> drops = FindDrops(*r, Whole(*r), DropSettings{});
  ASSERT_EQ(drops.size(), 1u);
  EXPECT_NEAR(drops[0].HeightMeters, 0.5, 0.01);
  for (const ShockEvent& e : FindShockEvents(*r, Whole(*r), ShockSettings{}).Events) {
    if (e.Last + 1000 < drops[0].First || e.First > drops[0].Last + 1000) continue;
    EXPECT_TRUE(e.Channel == ShockChannel::Z || e.Channel == ShockChannel::R) << e.StartSeconds();
    EXPECT_NEAR(e.PeakIndex, drops[0].Impact->Index, 5);
  }
}

TEST(Drops, GeneratorOptionReadsHeightAndStart) {
  EXPECT_EQ(loggen::ParsePlacedDrop("0.3").heightMeters, 0.3);
  EXPECT_LT(loggen::ParsePlacedDrop("0.3").atSeconds, 0);  // placed at random
  EXPECT_EQ(loggen::ParsePlacedDrop("0.8:61.5").atSeconds, 61.5);
  for (const char* bad : {"", "x", "0", "-1", "1001", "0.3:-1", "0.3:1:2", "0.3:"}) {
    EXPECT_THROW(loggen::ParsePlacedDrop(bad), std::invalid_argument) << bad;
  }
}

}  // namespace
