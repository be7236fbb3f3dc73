#include <gtest/gtest.h>

#include <filesystem>

#include "LoggerFileWriter.h"
#include "analysis/DerivedData.h"
#include "files/LoggerFile.h"
#include "support/TempDir.h"

namespace {

using loggen::LoggerFileBuilder;
using loggen::RawSample;
using loggen::TrailerRecord;

std::array<RawSample, 20> Samples(std::uint16_t firstX) {
  std::array<RawSample, 20> samples;
  for (int u = 0; u < 20; ++u) {
    samples[u] = {static_cast<std::uint16_t>(firstX + u), static_cast<std::uint16_t>(1000 + u),
                  static_cast<std::uint16_t>(0xFF00 + u)};
  }
  return samples;
}

std::vector<std::uint8_t> Blocks(int count, int padding = 0) {
  LoggerFileBuilder builder;
  for (int b = 0; b < count; ++b)
    builder.Block(50, 12, Samples(static_cast<std::uint16_t>(40000 + 20 * b)));
  builder.Trailer(
      {TrailerRecord{16384, 32768}, TrailerRecord{8192, 327680}, TrailerRecord{4096, 104857600}});
  return builder.Padding(padding).Bytes();
}

Recording Small() {
  return Recording(200);
}

}  // namespace

TEST(LoggerDecoding, BlockCountFollowsFromTheFileSize) {
  for (int padding : {0, 1, 127}) {
    Recording recording = Small();
    const auto bytes = Blocks(3, padding);
    ASSERT_EQ(bytes.size(), 3u * 128 + 42 + padding);
    const LoggerImportResult result = DecodeLoggerFile(bytes, recording);
    EXPECT_EQ(result.status, LoggerImportStatus::Loaded);
    EXPECT_EQ(recording.SampleCount, 60u) << "padding " << padding;
  }
  Recording one = Small();
  const auto oneBlock = Blocks(1);
  ASSERT_EQ(oneBlock.size(), 170u);
  DecodeLoggerFile(oneBlock, one);
  EXPECT_EQ(one.SampleCount, 20u);
}

TEST(LoggerDecoding, CodesAreBigEndianAndEveryBlockCounts) {
  Recording recording = Small();
  auto bytes = Blocks(2);
  bytes[128] = 0x00;  // markers of later blocks are not looked at
  bytes[255] = 0x00;
  DecodeLoggerFile(bytes, recording);
  EXPECT_EQ(recording.CodesX[0], 40000);
  EXPECT_EQ(recording.CodesY[5], 1005);
  EXPECT_EQ(recording.CodesZ[19], 0xFF13);
  EXPECT_EQ(recording.CodesX[20], 40020);
  EXPECT_EQ(recording.CodesX[39], 40039);
}

TEST(LoggerDecoding, TemperatureOfABlock) {
  EXPECT_DOUBLE_EQ(BlockTemperature(-3, 16), -2.25);
  EXPECT_DOUBLE_EQ(BlockTemperature(50, 12), 25.0);
  EXPECT_DOUBLE_EQ(BlockTemperature(-1, 0), -0.25);  // -1 >> 1 keeps the sign: -1
  Recording recording = Small();
  DecodeLoggerFile(Blocks(2), recording);
  EXPECT_DOUBLE_EQ(recording.Temperature[0], 25.0);
  EXPECT_DOUBLE_EQ(recording.Temperature[39], 25.0);
}

TEST(LoggerDecoding, CalibrationFromTheTrailer) {
  EXPECT_DOUBLE_EQ(ZeroCodeFromRaw(327680), 32768.0);
  EXPECT_DOUBLE_EQ(ZeroCodeFromRaw(104857600), 32768.0);
  EXPECT_DOUBLE_EQ(ZeroCodeFromRaw(200000), 200000.0);
  EXPECT_DOUBLE_EQ(ZeroCodeFromRaw(60000000), 60000000.0);
  EXPECT_DOUBLE_EQ(ZeroCodeFromRaw(32768), 32768.0);

  Recording recording = Small();
  DecodeLoggerFile(Blocks(1), recording);
  for (const AxisCalibration& axis : recording.Calibration) EXPECT_EQ(axis.Code0g, 32768.0);
  EXPECT_EQ(recording.Calibration[AxisX].Gain, 0.00059906005859375);
  EXPECT_DOUBLE_EQ(recording.Calibration[AxisY].Gain, 9.815 / 8192);
  EXPECT_DOUBLE_EQ(recording.Calibration[AxisZ].Gain, 9.815 / 4096);
}

TEST(LoggerDecoding, LinearSpeedIsTheTrapezoidIntegral) {
  Recording recording = Small();
  DecodeLoggerFile(Blocks(1), recording);
  DerivedData(recording).SamplesLoaded();  // what the import runs after the decode
  const double gain = recording.Calibration[AxisX].Gain;
  const double a0 = (40000 - 32768.0) * gain;
  const double a1 = (40001 - 32768.0) * gain;
  EXPECT_EQ(recording.LinSpeedX[0], 0);
  EXPECT_DOUBLE_EQ(recording.LinSpeedX[1], a0 * 0.001 / 2);
  EXPECT_DOUBLE_EQ(recording.LinSpeedX[2], a0 * 0.001 / 2 + (a0 + a1) * 0.001 / 2);
  EXPECT_NE(recording.LinSpeedX[20], 0);  // one step per sample, the last included
}

TEST(LoggerDecoding, ShorterSecondImportLeavesOldValuesBehindTheCount) {
  Recording recording = Small();
  DecodeLoggerFile(Blocks(3), recording);
  DecodeLoggerFile(Blocks(1), recording);
  EXPECT_EQ(recording.SampleCount, 20u);
  EXPECT_EQ(recording.CodesX[40], 40040);  // from the first file, beyond the count
}

TEST(LoggerDecoding, RejectedFilesChangeNothing) {
  auto badMarker = Blocks(1);
  badMarker[127] = 0x00;
  const auto zeroGain =
      LoggerFileBuilder()
          .Block(0, 0, Samples(1))
          .Trailer({TrailerRecord{100, 1}, TrailerRecord{0, 2}, TrailerRecord{100, 3}})
          .Bytes();
  const auto hugeGain =
      LoggerFileBuilder()
          .Block(0, 0, Samples(1))
          .Trailer({TrailerRecord{100, 1}, TrailerRecord{100, 2}, TrailerRecord{0x40000000, 3}})
          .Bytes();
  const auto oneBlock = Blocks(1);
  const std::vector<std::uint8_t> noBlock(oneBlock.begin(), oneBlock.begin() + 169);
  const std::vector<std::uint8_t> tiny(100, 0xF0);

  using Bytes = std::vector<std::uint8_t>;
  for (const Bytes* bytes :
       std::initializer_list<const Bytes*>{&badMarker, &zeroGain, &hugeGain, &noBlock, &tiny}) {
    Recording recording = Small();
    recording.SampleCount = 7;
    recording.CodesX[0] = 123;
    const LoggerImportResult result = DecodeLoggerFile(*bytes, recording);
    EXPECT_EQ(result.status, LoggerImportStatus::WrongFormat);
    EXPECT_EQ(ImportMessage(result), "неправильный формат данных");
    EXPECT_EQ(recording.SampleCount, 7u);
    EXPECT_EQ(recording.CodesX[0], 123);
    EXPECT_EQ(recording.Calibration[AxisX].Code0g, 32768.0);
    EXPECT_EQ(recording.Calibration[AxisX].Gain, 1.0);
  }
  Recording recording = Small();
  const LoggerImportResult empty = DecodeLoggerFile(std::span<const std::uint8_t>{}, recording);
  EXPECT_EQ(empty.status, LoggerImportStatus::Empty);
  EXPECT_EQ(ImportMessage(empty), "Указанный файл нулевого размера! Действие отменено.");
}

TEST(LoggerDecoding, NegativeCodesPerGAreAccepted) {
  Recording recording = Small();
  const auto bytes =
      LoggerFileBuilder()
          .Block(0, 0, Samples(1))
          .Trailer({TrailerRecord{-16384, 32768}, TrailerRecord{1, 1}, TrailerRecord{1, 1}})
          .Bytes();
  EXPECT_EQ(DecodeLoggerFile(bytes, recording).status, LoggerImportStatus::Loaded);
  EXPECT_EQ(recording.Calibration[AxisX].Gain, -0.00059906005859375);
}

TEST(LoggerDecoding, ALongerFileLoadsWhatFitsAndSaysSo) {
  Recording recording(50);
  const LoggerImportResult result = DecodeLoggerFile(Blocks(4), recording);
  EXPECT_EQ(result.status, LoggerImportStatus::Loaded);
  EXPECT_EQ(recording.SampleCount, 50u);
  EXPECT_EQ(recording.CodesX[49], 40049);
  EXPECT_TRUE(result.truncated());
  EXPECT_EQ(ImportMessage(result),
            "Запись в файле длиннее, чем помещается в программу: загружены первые 50 "
            "отсчётов из 80.");
}

TEST(LoggerFileReading, MissingAndReadableFiles) {
  EXPECT_EQ(ReadWholeFile("/nonexistent/file.dat").status, FileReadStatus::NotFound);
  const TempDir folder;
  const std::string path = folder.File("read.dat");
  loggen::WriteFile(path, Blocks(2));
  const FileReadResult read = ReadWholeFile(path);
  EXPECT_EQ(read.status, FileReadStatus::Ok);
  EXPECT_EQ(read.bytes, Blocks(2));
  EXPECT_EQ(ReadWholeFile(folder.Path().string()).status, FileReadStatus::CannotOpen);
}
