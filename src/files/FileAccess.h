// Reading files safely: only regular files are opened, never blocking on a
// pipe or device. Replacing one goes through the file writer (FileWriter.h).
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

enum class FileReadStatus { Ok, NotFound, CannotOpen };

// A regular file opened for reading. The path is taken as bytes, exactly as
// the system gives it.
class ReadOnlyFile {
 public:
  explicit ReadOnlyFile(const std::string& path);
  ~ReadOnlyFile();
  ReadOnlyFile(const ReadOnlyFile&) = delete;
  ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

  // NotFound, CannotOpen (also for a FIFO, device, socket or folder) or Ok.
  FileReadStatus Status() const { return status_; }
  std::uint64_t Size() const { return size_; }
  // Fills `target` from `offset`; false when the file gives fewer bytes.
  bool ReadAt(std::uint64_t offset, std::span<std::uint8_t> target) const;
  // The first offset from `offset` on that may hold data, or the size: a
  // hole of a sparse file reads as zero bytes and need not be read.
  std::uint64_t DataFrom(std::uint64_t offset) const;

 private:
  int descriptor_ = -1;
  FileReadStatus status_ = FileReadStatus::CannotOpen;
  std::uint64_t size_ = 0;
};

struct FileReadResult {
  FileReadStatus status = FileReadStatus::CannotOpen;
  std::vector<std::uint8_t> bytes;
};

// Reads a whole regular file in one piece.
FileReadResult ReadWholeFile(const std::string& path);

// `content` becomes the file at `path` through the file writer: a failed
// write (a full disk, a missing folder) or a refused target (anything but a
// regular file or a link) throws FileWriteError with the user's text and
// leaves the old file as it was.
void ReplaceFile(const std::string& path, std::string_view content);

// True when both paths name the same existing file.
bool SameFile(const std::string& first, const std::string& second);

// True when the name ends with `suffix` in any case; `suffix` is lowercase
// (".dat", ".csv").
bool EndsWithNoCase(const std::string& name, std::string_view suffix);
