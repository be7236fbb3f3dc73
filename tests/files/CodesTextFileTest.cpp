#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "analysis/DerivedData.h"
#include "files/CodesTextFile.h"
#include "support/TempDir.h"
#include "text/NumberText.h"

namespace {

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

std::string Lines(int count, const std::string& line) {
  std::string text;
  for (int i = 0; i < count; ++i) text += line + "\r\n";
  return text;
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
  // A number too large for any code would turn every statistic into NaN.
  for (const char* field : {"1e999", "-1e400"}) {
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
  std::ifstream in(path, std::ios::binary);
  std::stringstream content;
  content << in.rdbuf();
  EXPECT_EQ(content.str(), CodesText(WithCodes(3)));
}
