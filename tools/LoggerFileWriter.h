// Writes synthetic logger recordings in the logger's exact binary format:
// 128-byte blocks of 20 samples (big-endian codes, little-endian temperature
// word) followed by the 42-byte trailer with the per-axis calibration.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace loggen {

struct RawSample {
  std::uint16_t x = 32768, y = 32768, z = 32768;
};

struct TrailerRecord {
  std::int32_t codesPerG = 16384;
  std::int32_t zeroCodeRaw = 32768;
};

inline constexpr int kBlockSize = 128;
inline constexpr int kSamplesPerBlock = 20;
inline constexpr int kTrailerSize = 42;

// Byte-exact assembly, for fixtures that need every field under control.
class LoggerFileBuilder {
 public:
  LoggerFileBuilder& Block(std::int16_t temperatureWord, std::uint8_t fraction,
                           const std::array<RawSample, kSamplesPerBlock>& samples);
  LoggerFileBuilder& Trailer(const std::array<TrailerRecord, 3>& records);
  // Bytes between the last block and the trailer, which the reader ignores.
  LoggerFileBuilder& Padding(int bytes, std::uint8_t value = 0xAA);
  std::vector<std::uint8_t> Bytes() const;

 private:
  std::vector<std::uint8_t> blocks_;
  std::vector<std::uint8_t> padding_;
  std::array<TrailerRecord, 3> trailer_{};
};

// The temperature word and fraction byte that encode `celsius` (to 1/16 °C).
std::pair<std::int16_t, std::uint8_t> EncodeTemperature(double celsius);

// A half-sine shock placed on one axis: its peak in m/s² (signed), its
// length in samples (ms) and its start in seconds; a negative start places it
// at random.
struct PlacedShock {
  int axis = 0;  // 0 = X, 1 = Y, 2 = Z
  double amplitude = 50.0;
  int milliseconds = 10;
  double atSeconds = -1.0;
};

// "AXIS:AMPLITUDE:MS[:AT_S]", e.g. "Y:54:12:37.5"; throws std::invalid_argument.
PlacedShock ParsePlacedShock(const std::string& text);

// A drop from a height in metres: a free fall of √(2h/g) with every axis
// near 0 g, then an impact on Z whose velocity change is the impact speed
// g × fall time. Its start in seconds; a negative start places it at random.
struct PlacedDrop {
  double heightMeters = 0.3;
  double atSeconds = -1.0;
};

// "HEIGHT_M[:AT_S]", e.g. "0.8:61.5"; throws std::invalid_argument.
PlacedDrop ParsePlacedDrop(const std::string& text);

enum class ZeroScaling { Plain, Tenths, Times3200 };

struct LoggerFileOptions {
  int blocks = 6000;  // 20 samples each
  std::uint32_t seed = 1;
  std::int32_t codesPerG = 2048;  // ±16 g, so shocks beyond ±25 m/s² fit the codes
  double code0g = 32768;          // stored in the trailer in the chosen scaling
  ZeroScaling zeroScaling = ZeroScaling::Plain;
  double temperatureStart = 20.0;  // °C, drifting linearly to the end value
  double temperatureEnd = 20.0;
  double noise = 8.0;  // standard deviation, codes
  int bursts = 0;      // vibration bursts on all axes
  int shocks = 0;      // half-sine shocks on X beyond ±25 m/s²
  std::vector<PlacedShock> placedShocks;
  std::vector<PlacedDrop> placedDrops;
};

std::vector<std::uint8_t> MakeLoggerFile(const LoggerFileOptions& options);

// About two minutes with a few shocks, a drop and a temperature drift.
LoggerFileOptions DemoOptions();

void WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes);

}  // namespace loggen
