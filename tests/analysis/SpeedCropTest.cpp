#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "analysis/Crop.h"
#include "analysis/DerivedData.h"
#include "analysis/Speed.h"
#include "text/NumberText.h"

namespace {

constexpr double kUnwritten = 123.25;  // marks entries a call must leave alone

std::vector<double> Speeds(std::size_t count) {
  return std::vector<double>(count, kUnwritten);
}

}  // namespace

TEST(SpeedIntegration, TrapezoidFromRestWithTheFirstStepHalved) {
  const AxisCalibration x{1000, 0.5};
  std::vector<double> codes(1000);
  for (int i = 0; i < 1000; ++i) codes[i] = 1000 + 2.0 * i;  // a_i = i m/s²
  std::vector<double> speed = Speeds(1001);
  speed[0] = 0;
  SpeedRecalculate(codes.data(), speed.data(), 1000, x);
  // The integral of a = i over the samples, a_-1 = 0: i² / 2 × TimeStep.
  for (int i = 0; i < 999; ++i) EXPECT_NEAR(speed[i + 1], i * i / 2.0 * 0.001, 1e-9) << i;
  EXPECT_EQ(speed[1000], kUnwritten);

  std::fill(codes.begin(), codes.end(), 1000 + 2 * 2.5);  // constant 2.5 m/s²
  SpeedRecalculate(codes.data(), speed.data(), 1000, x);
  EXPECT_DOUBLE_EQ(speed[1], 0.0005 * 2.5);
  for (int i = 0; i < 999; ++i) EXPECT_NEAR(speed[i + 1], (i + 0.5) * 2.5 * 0.001, 1e-12) << i;
}

TEST(SpeedIntegration, FewerThanTwoSamplesChangeNothing) {
  const double codes[] = {40000, 40000};
  for (std::uint32_t count : {0u, 1u}) {
    std::vector<double> speed = Speeds(3);
    SpeedRecalculate(codes, speed.data(), count, AxisCalibration{});
    EXPECT_EQ(speed, Speeds(3)) << count;
  }
}

TEST(SpeedCorrection, SubtractsTheLineThroughTheMeanOfTheLastFifty) {
  // The speed of a constant 2.5 m/s² over 1000 samples, as integrated.
  std::vector<double> speed(1001, kUnwritten);
  speed[0] = 0;
  for (int k = 1; k < 1000; ++k) speed[k] = (k - 0.5) * 2.5 * 0.001;
  const double e = 974 * 2.5 * 0.001;  // mean of entries 950 … 999
  SpeedCorrection(speed.data(), 1000);
  EXPECT_EQ(speed[0], 0);
  for (int k = 1; k < 1000; ++k)
    EXPECT_NEAR(speed[k], (k - 0.5) * 2.5 * 0.001 - k * e / 1000, 1e-12);
  EXPECT_EQ(speed[1000], kUnwritten);
  double tail = 0;
  for (int k = 950; k < 1000; ++k) tail += speed[k];
  EXPECT_NEAR(tail / 50, e * 25.5 / 1000, 1e-12);
}

TEST(SpeedCorrection, FiftySamplesAreLeftFiftyOneAreCorrected) {
  std::vector<double> fifty(51, 1.0);
  SpeedCorrection(fifty.data(), 50);
  EXPECT_EQ(fifty, std::vector<double>(51, 1.0));

  std::vector<double> fiftyOne(52, 1.0);
  fiftyOne[0] = 7;  // not among the last 50 of 51
  SpeedCorrection(fiftyOne.data(), 51);
  EXPECT_EQ(fiftyOne[0], 7);
  EXPECT_DOUBLE_EQ(fiftyOne[1], 1 - 1.0 / 51);
  EXPECT_DOUBLE_EQ(fiftyOne[50], 1 - 50.0 / 51);
  EXPECT_EQ(fiftyOne[51], 1.0);
}

TEST(SpeedCorrection, RecalculateThenCorrectIsIdempotentAndZeroAtRest) {
  Recording recording(3000);
  recording.SampleCount = 3000;
  recording.Calibration[AxisX] = {32768, 0.01};
  auto run = [&recording] {
    SpeedRecalculate(recording.CodesX.get(), recording.LinSpeedX.get(), recording.SampleCount,
                     recording.Calibration[AxisX]);
    SpeedCorrection(recording.LinSpeedX.get(), recording.SampleCount);
    return std::vector<double>(recording.LinSpeedX.get(), recording.LinSpeedX.get() + 3001);
  };
  std::fill_n(recording.CodesX.get(), 3000, 32768.0);
  EXPECT_EQ(run(), std::vector<double>(3001, 0.0));

  for (int i = 0; i < 3000; ++i) recording.CodesX[i] = 32768 + (i * 7919 % 2001) - 1000.0 + i % 3;
  const std::vector<double> once = run();
  EXPECT_NE(once, std::vector<double>(3001, 0.0));
  EXPECT_EQ(run(), once);
}

namespace {

// 5000 samples: X codes 1000 + i (a_i = 0.5 × i), Y and Z shifted copies, 20 °C + i / 1000.
Recording NumberedRecording() {
  Recording recording(5000);
  recording.SampleCount = 5000;
  recording.Calibration[AxisX] = {1000, 0.5};
  recording.Calibration[AxisY] = {7, 3};
  for (int i = 0; i < 5000; ++i) {
    recording.CodesX[i] = 1000 + i;
    recording.CodesY[i] = 2000 + i;
    recording.CodesZ[i] = 3000 + i;
    recording.Temperature[i] = 20 + i / 1000.0;
    recording.LinSpeedX[i] = kUnwritten;
  }
  return recording;
}

void Crop(Recording& recording, const char* start, const char* stop) {
  DecimalSeparatorScope point('.');
  const std::optional<CropRange> range =
      CropInterval(IntervalFromTexts(start, stop), recording.SampleCount);
  ASSERT_TRUE(range.has_value());
  CropRecording(recording, *range);
  DerivedData(recording).SamplesCropped();
}

}  // namespace

TEST(Crop, KeepsTheSelectedStretchFromTimeZero) {
  Recording recording = NumberedRecording();
  Crop(recording, "1.000", "2.000");
  ASSERT_EQ(recording.SampleCount, 1000u);
  for (int i = 0; i < 1000; ++i) {
    ASSERT_EQ(recording.CodesX[i], 2000 + i);
    ASSERT_EQ(recording.CodesY[i], 3000 + i);
    ASSERT_EQ(recording.CodesZ[i], 4000 + i);
  }
  EXPECT_DOUBLE_EQ(recording.Temperature[0], 21.0);
  EXPECT_DOUBLE_EQ(recording.Temperature[999], 21.999);
  EXPECT_EQ(recording.Calibration[AxisX].Code0g, 1000);
  EXPECT_EQ(recording.Calibration[AxisY].Gain, 3);
  // Rectangle rule: a_i = 0.5 × (1000 + i), speed[i + 1] = Σ a_0 … a_i × TimeStep.
  EXPECT_EQ(recording.LinSpeedX[0], 0);
  EXPECT_DOUBLE_EQ(recording.LinSpeedX[1], 500 * 0.001);
  for (int i = 0; i < 999; ++i) {
    const double sum = 0.5 * ((i + 1) * 1000.0 + i * (i + 1) / 2.0);
    EXPECT_NEAR(recording.LinSpeedX[i + 1], sum * 0.001, 1e-9) << i;
  }
}

TEST(Crop, StopAtTheEndAndUnusableSelectionsKeepTheLastSample) {
  Recording recording = NumberedRecording();
  Crop(recording, "4.000", "5.000");
  ASSERT_EQ(recording.SampleCount, 1000u);
  EXPECT_EQ(recording.CodesX[999], 1000 + 4999);

  for (const char* stop : {"1.001", "9.000"}) {  // reversed, beyond the end
    Recording whole = NumberedRecording();
    Crop(whole, "2.000", stop);
    ASSERT_EQ(whole.SampleCount, 5000u) << stop;
    EXPECT_EQ(whole.CodesX[4999], 1000 + 4999) << stop;
    EXPECT_EQ(whole.CodesX[0], 1000) << stop;
    EXPECT_EQ(whole.LinSpeedX[0], 0);
    EXPECT_NEAR(whole.LinSpeedX[4999], 0.5 * 4998 * 4999 / 2 * 0.001, 1e-9);
  }
}

TEST(Crop, OneSampleAndNothingLeft) {
  Recording recording = NumberedRecording();
  Crop(recording, "0.0016", "0.003");
  ASSERT_EQ(recording.SampleCount, 1u);
  EXPECT_EQ(recording.CodesX[0], 1002);
  EXPECT_DOUBLE_EQ(recording.Temperature[0], 20.002);
  EXPECT_EQ(recording.LinSpeedX[0], 0);
  EXPECT_EQ(recording.LinSpeedX[1], kUnwritten);

  Crop(recording, "0", "0");
  EXPECT_EQ(recording.SampleCount, 0u);
  EXPECT_EQ(recording.LinSpeedX[0], 0);
}

TEST(Crop, RangeOutsideTheRecordingIsRefused) {
  Recording recording = NumberedRecording();
  EXPECT_THROW(CropRecording(recording, {10, 5001}), std::invalid_argument);
  EXPECT_THROW(CropRecording(recording, {11, 10}), std::invalid_argument);
  EXPECT_EQ(recording.SampleCount, 5000u);
  EXPECT_EQ(recording.CodesX[0], 1000);
}
