// Logger files no logger writes (cut short, one byte too many, a calibration
// off the 16-bit scale) are turned away without touching the recording, and
// a file of any size is read only as far as the recording can hold it.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "LoggerFileWriter.h"
#include "files/LoggerFile.h"
#include "support/TempDir.h"

namespace {

using loggen::LoggerFileBuilder;
using loggen::TrailerRecord;

std::vector<std::uint8_t> GoodFile(int blocks) {
  loggen::LoggerFileOptions options;
  options.blocks = blocks;
  options.seed = 5;
  return loggen::MakeLoggerFile(options);
}

std::vector<std::uint8_t> WithTrailer(const std::array<TrailerRecord, 3>& records) {
  return LoggerFileBuilder().Block(40, 0, {}).Block(40, 0, {}).Trailer(records).Bytes();
}

// A recording with recognisable contents, to see that a rejection left it alone.
Recording Marked() {
  Recording recording(4000);
  recording.SampleCount = 3;
  recording.CodesX[0] = 123;
  recording.LinSpeedX[1] = 4.5;
  recording.Calibration[AxisX] = {30000, 0.5};
  return recording;
}

void ExpectUntouched(const Recording& recording) {
  EXPECT_EQ(recording.SampleCount, 3u);
  EXPECT_EQ(recording.CodesX[0], 123);
  EXPECT_EQ(recording.LinSpeedX[1], 4.5);
  EXPECT_EQ(recording.Calibration[AxisX].Code0g, 30000);
  EXPECT_EQ(recording.Calibration[AxisX].Gain, 0.5);
}

}  // namespace

TEST(MalformedLoggerFiles, CutShortOrOneByteLongerIsAWrongFormat) {
  const auto good = GoodFile(200);
  const std::vector<std::uint8_t> cut(good.begin(), good.begin() + 3000);
  std::vector<std::uint8_t> longer = good;
  longer.push_back(0x00);
  const std::vector<std::uint8_t>& oneByteLonger = longer;
  const std::vector<std::uint8_t> cutMidBlock(good.begin(), good.end() - 50);
  for (const auto* bytes : {&cut, &oneByteLonger, &cutMidBlock}) {
    Recording recording = Marked();
    const LoggerImportResult result = DecodeLoggerFile(*bytes, recording);
    EXPECT_EQ(ImportMessage(result), "неправильный формат данных") << bytes->size();
    ExpectUntouched(recording);
  }
  Recording recording = Marked();
  EXPECT_EQ(DecodeLoggerFile(good, recording).status, LoggerImportStatus::Loaded);
  EXPECT_EQ(recording.SampleCount, 4000u);
}

TEST(MalformedLoggerFiles, CalibrationOffTheSixteenBitScaleIsAWrongFormat) {
  const std::array<TrailerRecord, 3> refused[] = {
      {TrailerRecord{16384, 200000}, TrailerRecord{16384, 1}, TrailerRecord{16384, 1}},
      {TrailerRecord{16384, 1}, TrailerRecord{16384, -1}, TrailerRecord{16384, 1}},
      {TrailerRecord{16384, 1}, TrailerRecord{16384, 1}, TrailerRecord{65537, 1}},
      {TrailerRecord{-65537, 1}, TrailerRecord{16384, 1}, TrailerRecord{16384, 1}},
      {TrailerRecord{16384, 1}, TrailerRecord{0, 1}, TrailerRecord{16384, 1}},
      {TrailerRecord{16384, 655360}, TrailerRecord{16384, 1}, TrailerRecord{16384, 1}},
  };
  for (const auto& records : refused) {
    Recording recording = Marked();
    EXPECT_EQ(DecodeLoggerFile(WithTrailer(records), recording).status,
              LoggerImportStatus::WrongFormat)
        << records[0].zeroCodeRaw << " " << records[2].codesPerG;
    ExpectUntouched(recording);
  }
  // The edges of the scale, and a negative count, are what a logger may write.
  Recording recording = Marked();
  ASSERT_EQ(DecodeLoggerFile(WithTrailer({TrailerRecord{65536, 0}, TrailerRecord{-65536, 655350},
                                          TrailerRecord{-1, 209712000}}),
                             recording)
                .status,
            LoggerImportStatus::Loaded);
  EXPECT_EQ(recording.Calibration[AxisX].Code0g, 0);
  EXPECT_EQ(recording.Calibration[AxisY].Code0g, 65535);
  EXPECT_EQ(recording.Calibration[AxisZ].Code0g, 65535);
  EXPECT_EQ(recording.Calibration[AxisZ].Gain, -9.815);
  // The scaling itself is unchanged: 200000 stays 200000, which is then off the scale.
  EXPECT_EQ(ZeroCodeFromRaw(200000), 200000);
  EXPECT_FALSE(PlausibleCalibration(16384, ZeroCodeFromRaw(200000)));
}

TEST(LoggerFileReading, OnlyRegularFilesAndAtOnce) {
  const TempDir folder;
  const std::string fifo = folder.File("fifo.dat");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(ReadLoggerFile(fifo, 1000).status, FileReadStatus::CannotOpen);
  EXPECT_EQ(ReadWholeFile(fifo).status, FileReadStatus::CannotOpen);
  EXPECT_EQ(ReadLoggerFile("/dev/zero", 1000).status, FileReadStatus::CannotOpen);
  EXPECT_EQ(ReadLoggerFile(folder.Path().string(), 1000).status, FileReadStatus::CannotOpen);
  EXPECT_EQ(ReadLoggerFile(folder.File("no_such_logger_file.dat"), 1000).status,
            FileReadStatus::NotFound);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
}

TEST(LoggerFileReading, ReadsOnlyWhatFitsAndDecodesTheSameValues) {
  const auto bytes = GoodFile(300);  // 6000 samples
  const TempDir folder;
  const std::string path = folder.File("read.dat");
  loggen::WriteFile(path, bytes);
  const LoggerFileRead read = ReadLoggerFile(path, 1000);
  ASSERT_EQ(read.status, FileReadStatus::Ok);
  EXPECT_EQ(read.size, bytes.size());
  EXPECT_EQ(read.head.size(), 50u * 128);  // the 50 blocks that fit, not the file

  Recording fromFile(1000), fromMemory(1000);
  const LoggerImportResult result = DecodeLoggerFile(read.View(), fromFile);
  DecodeLoggerFile(bytes, fromMemory);
  EXPECT_EQ(result.loadedSamples, 1000u);
  EXPECT_EQ(result.samplesInFile, 6000u);
  for (std::uint32_t i = 0; i < 1000; ++i) {
    ASSERT_EQ(fromFile.CodesX[i], fromMemory.CodesX[i]);
    ASSERT_EQ(fromFile.Temperature[i], fromMemory.Temperature[i]);
    ASSERT_EQ(fromFile.LinSpeedX[i + 1], fromMemory.LinSpeedX[i + 1]);
  }
  EXPECT_EQ(fromFile.Calibration[AxisX].Gain, fromMemory.Calibration[AxisX].Gain);
}

TEST(LoggerFileReading, AHugeSparseFileLoadsItsFirstSamples) {
  // 20 GB on paper, a few blocks on disk: the first block and the trailer.
  const auto bytes = GoodFile(1);
  const TempDir folder;
  const std::string path = folder.File("sparse.dat");
  const std::uint64_t size = 20'000'000'000ULL + 42 - (20'000'000'000ULL % 128);
  {
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()), 128);
  }
  std::filesystem::resize_file(path, size);
  {
    std::fstream file(path, std::ios::binary | std::ios::in | std::ios::out);
    file.seekp(static_cast<std::streamoff>(size - 42));
    file.write(reinterpret_cast<const char*>(bytes.data() + bytes.size() - 42), 42);
  }
  const LoggerFileRead read = ReadLoggerFile(path, 1'500'000);
  ASSERT_EQ(read.status, FileReadStatus::Ok);
  EXPECT_EQ(read.head.size(), 75'000u * 128);
  Recording recording(1'500'000);
  const LoggerImportResult result = DecodeLoggerFile(read.View(), recording);
  ASSERT_EQ(result.status, LoggerImportStatus::Loaded);
  EXPECT_EQ(recording.SampleCount, 1'500'000u);
  EXPECT_EQ(result.samplesInFile, (size - 42) / 128 * 20);
  EXPECT_NE(ImportMessage(result).find("1500000"), std::string::npos);
}
