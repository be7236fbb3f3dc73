#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <random>

#include "analysis/DerivedData.h"
#include "files/CodesTextFile.h"
#include "support/SavedFiles.h"
#include "support/TempDir.h"
#include "text/NumberText.h"

namespace {

using saved::Lines;

Recording WithCodes(std::uint32_t count) {
  Recording recording(100);
  recording.SampleCount = count;
  for (std::uint32_t i = 0; i < count; ++i) {
    recording.CodesX[i] = 32768 + i;
    recording.CodesY[i] = 1000 - i;
    recording.CodesZ[i] = 65535;
    recording.Temperature[i] = 21.5;
  }
  return recording;
}

}  // namespace

TEST(CodesTextFile, WritesOneLinePerSampleWithWholeCodes) {
  Recording recording = WithCodes(2);
  recording.CodesX[1] = 32770.4;
  EXPECT_EQ(CodesText(recording), "32768;1000;65535\r\n32770;999;65535\r\n");
}

TEST(CodesTextFile, RoundTripKeepsCodesAndCount) {
  DecimalSeparatorScope comma(',');
  const Recording saved = WithCodes(40);
  Recording opened(100);
  opened.Calibration[AxisX] = {32700, 0.01};
  const CodesTextResult result = ReadCodesText(CodesText(saved), opened);
  ASSERT_EQ(result.status, CodesTextStatus::Loaded);
  DerivedData(opened).SamplesLoaded();  // what the open runs after the read
  EXPECT_EQ(opened.SampleCount, 40u);
  for (std::uint32_t i = 0; i < 40; ++i) {
    EXPECT_EQ(opened.CodesX[i], saved.CodesX[i]);
    EXPECT_EQ(opened.CodesY[i], saved.CodesY[i]);
    EXPECT_EQ(opened.CodesZ[i], saved.CodesZ[i]);
    EXPECT_EQ(opened.Temperature[i], 0);
  }
  // The speed is integrated as the import does: half a step first.
  EXPECT_DOUBLE_EQ(opened.LinSpeedX[1], 68 * 0.01 * 0.001 / 2);
  EXPECT_NE(opened.LinSpeedX[40], 0);
}

TEST(CodesTextFile, FieldsAreCutEmptyOrDecimal) {
  DecimalSeparatorScope comma(',');
  Recording recording(100);
  const std::string text = "1234567890123456789;2;3\r\n;5,5;6\r\n7;;\r\n" + Lines(4, "1;1;1");
  ASSERT_EQ(ReadCodesText(text, recording).status, CodesTextStatus::Loaded);
  EXPECT_EQ(recording.CodesX[0], 123456789012345.0);  // first 15 characters
  EXPECT_EQ(recording.CodesX[1], 0);                  // empty first field
  EXPECT_EQ(recording.CodesY[1], 5.5);
  EXPECT_EQ(recording.CodesY[2], 0);
  EXPECT_EQ(recording.CodesZ[2], 0);
  EXPECT_EQ(recording.SampleCount, 7u);
}

TEST(CodesTextFile, RefusedFilesLeaveTheRecording) {
  DecimalSeparatorScope point('.');
  const std::string tooShort = Lines(6, "1;2;3");
  const std::string badField = Lines(5, "1;2;3") + "4;x5;6\r\n" + Lines(3, "1;2;3");
  Recording recording = WithCodes(20);
  const CodesTextResult result = ReadCodesText(tooShort, recording);
  EXPECT_EQ(result.status, CodesTextStatus::TooFewLines);
  EXPECT_EQ(CodesTextMessage(result), "Файл неправильного формата");
  EXPECT_THROW(ReadCodesText(badField, recording), ConversionError);
  // A number too large for any code would turn every statistic into NaN;
  // 15 characters hold no whole number beyond 999999999999999.
  for (const char* field : {"1e999", "-1e400", "1e308", "1e15", "-1E15", "1000.0e12"}) {
    try {
      ReadCodesText(Lines(7, "1;2;3") + "4;" + field + ";6\r\n", recording);
      ADD_FAILURE() << field << " was accepted";
    } catch (const ConversionError& error) {
      EXPECT_EQ(error.what(), "'" + std::string(field) + "' is not a valid floating point value");
    }
  }
  EXPECT_EQ(recording.SampleCount, 20u);
  EXPECT_EQ(recording.CodesX[7], 32775);
  EXPECT_EQ(recording.Temperature[7], 21.5);
}

// A logger's codes are whole numbers 0 … 65535; any other code read after
// them keeps its exact value, up to the largest that 15 characters hold.
TEST(CodesTextFile, CodesKeepTheirExactValues) {
  DecimalSeparatorScope point('.');
  Recording recording(100);
  const std::string text =
      Lines(5, "0;65535;3") + "65536;-0;0.1\r\n" + "999999999999999;-99999999999999;9.99e14\r\n";
  ASSERT_EQ(ReadCodesText(text, recording).status, CodesTextStatus::Loaded);
  struct Row {
    std::uint32_t line;
    double x, y, z;
  };
  for (const Row& row : {Row{4, 0, 65535, 3}, Row{5, 65536, -0.0, 0.1},
                         Row{6, 999999999999999.0, -99999999999999.0, 9.99e14}}) {
    EXPECT_EQ(recording.CodesX[row.line], row.x);
    EXPECT_EQ(recording.CodesY[row.line], row.y);
    EXPECT_EQ(std::signbit(recording.CodesY[row.line]), std::signbit(row.y));
    EXPECT_EQ(recording.CodesZ[row.line], row.z);
  }
}

TEST(CodesTextFile, LinesCountAsWrittenAndCapacityIsNeverExceeded) {
  DecimalSeparatorScope point('.');
  Recording recording(10);
  const CodesTextResult result = ReadCodesText(Lines(12, "1;2;3") + "4;5;6", recording);
  EXPECT_EQ(result.linesInFile, 13u);  // the last line has no line end
  EXPECT_EQ(recording.SampleCount, 10u);
  EXPECT_TRUE(result.truncated());
  // An empty last line is a line too; its first field runs to the end of the
  // file and holds the bare line end, which is no number.
  Recording trailing(100);
  EXPECT_THROW(ReadCodesText(Lines(7, "1;2;3") + "\r\n", trailing), ConversionError);
  EXPECT_EQ(trailing.SampleCount, 1u);
}

TEST(CodesTextFile, WriteReportsAFileThatCannotBeCreated) {
  EXPECT_THROW(WriteCodesTextFile("/nonexistent-folder/x.csv", WithCodes(3)), std::runtime_error);
  const TempDir folder;
  const std::string path = folder.File("codes.csv");
  WriteCodesTextFile(path, WithCodes(3));
  EXPECT_EQ(saved::Contents(path), CodesText(WithCodes(3)));
}

namespace {

// The file read in pieces gives what the same bytes give read as one text.
void ExpectFileReadsAsText(const std::string& path, int capacity) {
  Recording fromText(capacity);
  Recording fromFile(capacity);
  const CodesTextResult expected = ReadCodesText(saved::Contents(path), fromText);
  const CodesTextFileRead read = ReadCodesTextFile(path, fromFile);
  ASSERT_EQ(read.status, FileReadStatus::Ok);
  EXPECT_EQ(read.result.status, expected.status);
  EXPECT_EQ(read.result.linesInFile, expected.linesInFile);
  EXPECT_EQ(read.result.loadedSamples, expected.loadedSamples);
  EXPECT_EQ(fromFile.SampleCount, fromText.SampleCount);
  for (std::uint32_t i = 0; i < fromText.SampleCount; ++i) {
    ASSERT_EQ(fromFile.CodesX[i], fromText.CodesX[i]) << i;
    ASSERT_EQ(fromFile.CodesY[i], fromText.CodesY[i]) << i;
    ASSERT_EQ(fromFile.CodesZ[i], fromText.CodesZ[i]) << i;
  }
}

}  // namespace

TEST(CodesTextFile, AFileReadInPiecesReadsAsItsText) {
  DecimalSeparatorScope point('.');
  const TempDir folder;
  // Fields of every kind, so that pieces end inside fields and line ends.
  std::string text;
  for (int i = 0; text.size() < 3'000'000; ++i) {
    text += std::to_string(i % 65536) + ";" + (i % 7 == 0 ? "" : "-1.5e2") + ";" +
            (i % 5 == 0 ? "12345678901234567890" : std::to_string(i)) + (i % 3 ? "\r\n" : "\n");
  }
  const std::string plain = folder.File("plain.csv");
  std::ofstream(plain, std::ios::binary) << text;
  ExpectFileReadsAsText(plain, 500000);
  ExpectFileReadsAsText(plain, 1000);

  // Lines, a hole of 8 MB (zero bytes), lines after it, and a hole at the end.
  const std::string sparse = folder.File("sparse.csv");
  std::ofstream(sparse, std::ios::binary) << Lines(12, "1;2;3");
  std::filesystem::resize_file(sparse, 8 << 20);
  std::ofstream(sparse, std::ios::binary | std::ios::app) << "\n" + Lines(3, "4;5;6");
  std::filesystem::resize_file(sparse, std::filesystem::file_size(sparse) + (4 << 20));
  ExpectFileReadsAsText(sparse, 10);
  Recording recording(10);
  EXPECT_EQ(ReadCodesTextFile(sparse, recording).result.linesInFile, 12u + 4 + 1);
}

TEST(CodesTextFile, OnlyARegularFileIsRead) {
  const TempDir folder;
  Recording recording(10);
  EXPECT_EQ(ReadCodesTextFile(folder.File("missing.csv"), recording).status,
            FileReadStatus::NotFound);
  EXPECT_EQ(ReadCodesTextFile(folder.Path().string(), recording).status,
            FileReadStatus::CannotOpen);
  EXPECT_EQ(recording.SampleCount, 1u);
}

// The save writes every code as FormatFixed(code, 15, 0) always did, whole
// numbers by a shorter road: the same bytes for the edges of both roads and
// for random logger codes.
TEST(CodesTextFile, WritesTheSameBytesAsTheFixedFormatForEveryKindOfCode) {
  DecimalSeparatorScope point('.');
  const double edges[] = {0,
                          -0.0,
                          1,
                          -1,
                          32768,
                          65535,
                          -65536,
                          0.5,
                          -0.5,
                          1.5,
                          2.5,
                          -2.5,
                          0.4999,
                          -0.4999,
                          32767.5,
                          1e14,
                          -1e14,
                          1e15,
                          -1e15,
                          1e15 - 1,
                          -(1e15 - 1),
                          999999999999999.5,
                          1e16,
                          1e300,
                          -1e300,
                          0.1,
                          1e-300,
                          123.456,
                          -7.875,
                          4503599627370495.5,
                          std::nan(""),
                          HUGE_VAL,
                          -HUGE_VAL};
  std::mt19937 random(11);
  std::uniform_int_distribution<int> codes(0, 65535);
  Recording recording(600);
  recording.SampleCount = 600;
  for (std::uint32_t i = 0; i < recording.SampleCount; ++i) {
    recording.CodesX[i] = i < std::size(edges) ? edges[i] : codes(random);
    recording.CodesY[i] = i < std::size(edges) ? -edges[i] : codes(random) - 32768.0;
    recording.CodesZ[i] = codes(random);
  }
  std::string expected;
  for (std::uint32_t i = 0; i < recording.SampleCount; ++i) {
    expected += FormatFixed(recording.CodesX[i], 15, 0) + ';' +
                FormatFixed(recording.CodesY[i], 15, 0) + ';' +
                FormatFixed(recording.CodesZ[i], 15, 0) + "\r\n";
  }
  EXPECT_EQ(CodesText(recording), expected);
}
