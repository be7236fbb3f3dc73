#include "files/FileAccess.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <stdexcept>

namespace {

const char* const kCannotOpen = "Не удалось получить доступ к файлу. Действие отменено.";

// The folder part of a path, with its separator ("" for a bare name).
std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

bool WriteAll(int descriptor, std::string_view content) {
  while (!content.empty()) {
    const ssize_t written = ::write(descriptor, content.data(), content.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    content.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

// The permissions a file created by an ordinary open would get.
mode_t NewFileMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

}  // namespace

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
  struct stat existing {};
  const bool exists = ::stat(path.c_str(), &existing) == 0;
  if (exists && !S_ISREG(existing.st_mode)) throw std::runtime_error(kCannotOpen);

  std::string temporary = FolderOf(path) + ".torvik-XXXXXX";
  const int descriptor = ::mkstemp(temporary.data());
  if (descriptor < 0) throw std::runtime_error("Не удалось создать файл " + path);
  ::fchmod(descriptor, exists ? existing.st_mode & 07777 : NewFileMode());
  const bool written = WriteAll(descriptor, content) && ::fsync(descriptor) == 0;
  const bool closed = ::close(descriptor) == 0;
  if (!written || !closed || ::rename(temporary.c_str(), path.c_str()) != 0) {
    ::unlink(temporary.c_str());
    throw std::runtime_error("Не удалось записать файл " + path +
                             " (возможно, диск заполнен); прежний файл не изменён");
  }
}

bool SameFile(const std::string& first, const std::string& second) {
  struct stat a {
  }, b{};
  return ::stat(first.c_str(), &a) == 0 && ::stat(second.c_str(), &b) == 0 &&
         a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}
