#include <gtest/gtest.h>

#include <fstream>

#include "LoggerFileWriter.h"
#include "files/VersionResource.h"
#include "support/TempDir.h"

TEST(VersionResource, ReadFromAProgramFile) {
  const auto version = ReadVersionResource(VERSION_FIXTURE_PATH);
  ASSERT_TRUE(version.has_value());
  EXPECT_EQ(VersionText(version), " Ver 16.11.15.1");
}

TEST(VersionResource, FilesWithoutAVersionGiveAnEmptyText) {
  // This test program is built without a version section.
  EXPECT_FALSE(ReadVersionResource("/proc/self/exe").has_value());
  EXPECT_EQ(VersionText(ReadVersionResource("/nonexistent")), "");

  const TempDir folder;
  const std::string path = folder.File("not_a_program.bin");
  loggen::WriteFile(path, std::vector<std::uint8_t>(200, 0x7F));
  EXPECT_FALSE(ReadVersionResource(path).has_value());

  // A truncated program file: the section table lies beyond the end.
  std::ifstream in(VERSION_FIXTURE_PATH, std::ios::binary);
  std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), {});
  bytes.resize(bytes.size() / 2);
  loggen::WriteFile(path, bytes);
  EXPECT_FALSE(ReadVersionResource(path).has_value());
}
