// A bounded, repeatable run of random and mutated files through both
// decoders (run under the sanitizers by scripts/test): nothing may crash, a
// rejected file leaves the recording exactly as it was, and an accepted one
// holds only what a 16-bit logger can produce.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <random>

#include "LoggerFileWriter.h"
#include "files/CodesTextFile.h"
#include "files/LoggerFile.h"
#include "text/NumberText.h"

namespace {

constexpr std::uint32_t kCapacity = 3000;
constexpr auto kBudget = std::chrono::milliseconds(1500);  // per decoder

using Bytes = std::vector<std::uint8_t>;

// Flips, overwrites, cuts and extends a valid file at random places.
Bytes Mutate(Bytes bytes, std::mt19937& random) {
  const int edits = 1 + static_cast<int>(random() % 4);
  for (int e = 0; e < edits; ++e) {
    const std::size_t at = bytes.empty() ? 0 : random() % bytes.size();
    switch (random() % 5) {
      case 0:
        if (!bytes.empty()) bytes[at] ^= static_cast<std::uint8_t>(1u << (random() % 8));
        break;
      case 1:
        if (!bytes.empty()) bytes[at] = static_cast<std::uint8_t>(random());
        break;
      case 2:
        bytes.resize(at);
        break;
      case 3:
        bytes.insert(bytes.end(), 1 + random() % 200, static_cast<std::uint8_t>(random()));
        break;
      default:
        bytes.insert(bytes.begin() + static_cast<std::ptrdiff_t>(at),
                     static_cast<std::uint8_t>(random()));
    }
  }
  return bytes;
}

Bytes RandomBytes(std::mt19937& random) {
  Bytes bytes(random() % 700);
  for (auto& b : bytes) b = static_cast<std::uint8_t>(random());
  if (bytes.size() > 127 && random() % 2) bytes[0] = 0xF0, bytes[127] = 0x0F;
  return bytes;
}

Recording Sentinel() {
  Recording recording(kCapacity);
  recording.SampleCount = 5;
  for (std::uint32_t i = 0; i < kCapacity; ++i) {
    recording.CodesX[i] = recording.CodesY[i] = recording.CodesZ[i] = -7;
    recording.LinSpeedX[i] = -8;
  }
  return recording;
}

bool Untouched(const Recording& r) {
  for (std::uint32_t i = 0; i < kCapacity; ++i) {
    if (r.CodesX[i] != -7 || r.CodesY[i] != -7 || r.CodesZ[i] != -7 || r.LinSpeedX[i] != -8) {
      return false;
    }
  }
  return r.SampleCount == 5;
}

template <typename Run>
int RunFor(Run run) {
  int cases = 0;
  const auto end = std::chrono::steady_clock::now() + kBudget;
  while (std::chrono::steady_clock::now() < end) {
    run();
    ++cases;
  }
  return cases;
}

}  // namespace

TEST(DecoderFuzz, LoggerFilesRejectedCleanlyOrDecodedSoundly) {
  std::mt19937 random(20240612);
  loggen::LoggerFileOptions options;
  options.blocks = 40;
  const Bytes valid = loggen::MakeLoggerFile(options);
  int accepted = 0;
  const int cases = RunFor([&] {
    const Bytes bytes = random() % 4 == 0 ? RandomBytes(random) : Mutate(valid, random);
    Recording recording = Sentinel();
    const LoggerImportResult result = DecodeLoggerFile(bytes, recording);
    if (result.status != LoggerImportStatus::Loaded) {
      ASSERT_TRUE(Untouched(recording)) << bytes.size();
      return;
    }
    ++accepted;
    ASSERT_EQ(recording.SampleCount,
              std::min<std::uint64_t>((bytes.size() - 42) / 128 * 20, kCapacity));
    for (const AxisCalibration& axis : recording.Calibration) {
      ASSERT_TRUE(axis.Code0g >= 0 && axis.Code0g <= 65535) << axis.Code0g;
      ASSERT_TRUE(std::isfinite(axis.Gain) && axis.Gain != 0);
    }
    for (std::uint32_t i = 0; i < recording.SampleCount; ++i) {
      ASSERT_TRUE(recording.CodesX[i] >= 0 && recording.CodesX[i] <= 65535);
      ASSERT_TRUE(std::isfinite(recording.LinSpeedX[i + 1]));
    }
  });
  std::printf("logger files: %d cases, %d accepted\n", cases, accepted);
  EXPECT_GT(cases, 200);
  EXPECT_GT(accepted, 0);
}

TEST(DecoderFuzz, CodesTextFilesRejectedCleanlyOrReadAsFiniteCodes) {
  DecimalSeparatorScope point('.');
  std::mt19937 random(7);
  std::string validText;
  for (int i = 0; i < 30; ++i)
    validText += std::to_string(32000 + i) + ";1" + std::to_string(i) + ";-5\r\n";
  const Bytes valid(validText.begin(), validText.end());
  const char alphabet[] = "0123456789;;;\r\n\n.eE+- 9e999x";
  int accepted = 0;
  const int cases = RunFor([&] {
    // Mostly characters a codes file is made of; now and then raw bytes too.
    Bytes bytes = random() % 4 == 0 ? Mutate(valid, random) : valid;
    for (int edit = 1 + static_cast<int>(random() % 3); edit > 0 && !bytes.empty(); --edit) {
      bytes[random() % bytes.size()] =
          static_cast<std::uint8_t>(alphabet[random() % (sizeof alphabet - 1)]);
    }
    Recording recording = Sentinel();
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    try {
      const CodesTextResult result = ReadCodesText(text, recording);
      if (result.status != CodesTextStatus::Loaded) {
        ASSERT_TRUE(Untouched(recording));
        return;
      }
    } catch (const ConversionError&) {
      ASSERT_TRUE(Untouched(recording));
      return;
    }
    ++accepted;
    for (std::uint32_t i = 0; i < recording.SampleCount; ++i) {
      ASSERT_TRUE(std::isfinite(recording.CodesX[i]) && std::isfinite(recording.CodesY[i]) &&
                  std::isfinite(recording.CodesZ[i]));
    }
  });
  std::printf("codes files: %d cases, %d accepted\n", cases, accepted);
  EXPECT_GT(cases, 200);
  EXPECT_GT(accepted, 0);
}
