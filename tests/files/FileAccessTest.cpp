// Replacing a file: what is left on disk after a write that fails part-way
// (a full disk, here a file-size limit) or a destination that is no file.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <filesystem>

#include "LoggerFileWriter.h"
#include "files/FileAccess.h"
#include "support/TempDir.h"

namespace {

std::string Contents(const std::filesystem::path& path) {
  const FileReadResult read = ReadWholeFile(path.string());
  return std::string(read.bytes.begin(), read.bytes.end());
}

// Writes beyond `bytes` fail with EFBIG, as on a full disk, while in scope.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &saved_);
    previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = saved_;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &saved_);
    std::signal(SIGXFSZ, previousHandler_);
  }

 private:
  rlimit saved_{};
  void (*previousHandler_)(int);
};

}  // namespace

TEST(ReplaceFile, AFailedWriteLeavesTheOldFileAndNoLeftovers) {
  const TempDir temp;
  const std::filesystem::path& folder = temp.Path();
  const auto path = folder / "codes.csv";
  loggen::WriteFile(path.string(), {'o', 'l', 'd'});
  ::chmod(path.c_str(), 0640);
  {
    FileSizeLimit full(1000);
    EXPECT_THROW(ReplaceFile(path.string(), std::string(5000, 'x')), std::runtime_error);
  }
  EXPECT_EQ(Contents(path), "old");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1);

  ReplaceFile(path.string(), "new contents");
  EXPECT_EQ(Contents(path), "new contents");
  EXPECT_EQ(std::filesystem::status(path).permissions() & std::filesystem::perms::all,
            std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                std::filesystem::perms::group_read);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1);
}

TEST(ReplaceFile, NoFileNoFolderAndNotAFileAreRefused) {
  const TempDir temp;
  const std::filesystem::path& folder = temp.Path();
  EXPECT_THROW(ReplaceFile((folder / "missing" / "x.csv").string(), "x"), std::runtime_error);
  const auto fifo = folder / "pipe.csv";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  try {
    ReplaceFile(fifo.string(), "x");
    ADD_FAILURE() << "a FIFO was written";
  } catch (const std::runtime_error& error) {
    EXPECT_STREQ(error.what(), "Не удалось получить доступ к файлу. Действие отменено.");
  }
  EXPECT_TRUE(std::filesystem::is_fifo(fifo));
  EXPECT_THROW(ReplaceFile(folder.string(), "x"), std::runtime_error);
  EXPECT_TRUE(std::filesystem::is_directory(folder));

  const auto file = folder / "a.dat";
  loggen::WriteFile(file.string(), {1});
  EXPECT_TRUE(SameFile(file.string(), (folder / "." / "a.dat").string()));
  EXPECT_FALSE(SameFile(file.string(), fifo.string()));
}
