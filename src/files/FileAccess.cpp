#include "files/FileAccess.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>

#include "files/FileWriter.h"

ReadOnlyFile::ReadOnlyFile(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) {
    status_ =
        errno == ENOENT || errno == ENOTDIR ? FileReadStatus::NotFound : FileReadStatus::CannotOpen;
    return;
  }
  if (!S_ISREG(info.st_mode)) return;
  // Non-blocking, so that a FIFO put in the file's place since the check
  // cannot stop the program; the second check turns it away.
  descriptor_ = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (descriptor_ < 0 || ::fstat(descriptor_, &info) != 0 || !S_ISREG(info.st_mode)) return;
  size_ = static_cast<std::uint64_t>(info.st_size);
  status_ = FileReadStatus::Ok;
}

ReadOnlyFile::~ReadOnlyFile() {
  if (descriptor_ >= 0) ::close(descriptor_);
}

bool ReadOnlyFile::ReadAt(std::uint64_t offset, std::span<std::uint8_t> target) const {
  while (!target.empty()) {
    const ssize_t got =
        ::pread(descriptor_, target.data(), target.size(), static_cast<off_t>(offset));
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return false;
    target = target.subspan(static_cast<std::size_t>(got));
    offset += static_cast<std::uint64_t>(got);
  }
  return true;
}

std::uint64_t ReadOnlyFile::DataFrom(std::uint64_t offset) const {
  const off_t data = ::lseek(descriptor_, static_cast<off_t>(offset), SEEK_DATA);
  if (data < 0) return errno == ENXIO ? size_ : offset;  // ENXIO: only a hole follows
  return std::min(static_cast<std::uint64_t>(data), size_);
}

FileReadResult ReadWholeFile(const std::string& path) {
  FileReadResult result;
  const ReadOnlyFile file(path);
  result.status = file.Status();
  if (result.status != FileReadStatus::Ok) return result;
  result.bytes.resize(file.Size());
  if (!file.ReadAt(0, result.bytes)) {
    result.bytes.clear();
    result.status = FileReadStatus::CannotOpen;
  }
  return result;
}

void ReplaceFile(const std::string& path, std::string_view content) {
  FileWriter file(path);
  file.Write(content);
  file.Commit();
}

bool SameFile(const std::string& first, const std::string& second) {
  struct stat a {
  }, b{};
  return ::stat(first.c_str(), &a) == 0 && ::stat(second.c_str(), &b) == 0 &&
         a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

bool EndsWithNoCase(const std::string& name, std::string_view suffix) {
  if (name.size() < suffix.size()) return false;
  return std::equal(
      suffix.begin(), suffix.end(), name.end() - static_cast<long>(suffix.size()),
      [](char wanted, char c) { return std::tolower(static_cast<unsigned char>(c)) == wanted; });
}
