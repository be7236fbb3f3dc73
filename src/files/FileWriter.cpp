#include "files/FileWriter.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <functional>
#include <mutex>
#include <random>
#include <utility>

namespace {

const char* const kCannotOpen = "Не удалось получить доступ к файлу. Действие отменено.";
constexpr int kNameAttempts = 100;

// A hidden name that may exist in a folder right now. The signal handler
// reads these, so they hold nothing but lock-free atomics and fixed buffers.
struct HiddenName {
  std::atomic<bool> claimed{false};  // by a writer
  std::atomic<bool> live{false};     // name complete: the handler removes it
  int folder = -1;
  std::array<char, 32> name{};
};
static_assert(std::atomic<bool>::is_always_lock_free);

std::array<HiddenName, 16> gHiddenNames;

// Removes every hidden name, then lets the signal do what it would have done
// (SA_RESETHAND gave it its default action back, SA_NODEFER lets it through).
void RemoveHiddenNames(int signal) {
  for (HiddenName& hidden : gHiddenNames) {
    if (hidden.live.load(std::memory_order_acquire))
      ::unlinkat(hidden.folder, hidden.name.data(), 0);
  }
  ::raise(signal);
}

// Only where the signal would end the program as it is: an ignored signal
// ends nothing, and a handler of the program's own is its own business.
void RemoveHiddenNamesOnSignals() {
  static std::once_flag once;
  std::call_once(once, [] {
    for (const int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) {
      struct sigaction current {};
      if (::sigaction(signal, nullptr, &current) != 0) continue;
      if ((current.sa_flags & SA_SIGINFO) != 0 || current.sa_handler != SIG_DFL) continue;
      struct sigaction cleanup {};
      cleanup.sa_handler = RemoveHiddenNames;
      sigemptyset(&cleanup.sa_mask);
      cleanup.sa_flags = SA_RESETHAND | SA_NODEFER;
      ::sigaction(signal, &cleanup, nullptr);
    }
  });
}

int ClaimHiddenName(int folder) {
  RemoveHiddenNamesOnSignals();
  for (std::size_t slot = 0; slot < gHiddenNames.size(); ++slot) {
    bool expected = false;
    if (gHiddenNames[slot].claimed.compare_exchange_strong(expected, true)) {
      gHiddenNames[slot].folder = folder;
      return static_cast<int>(slot);
    }
  }
  throw FileWriteError("Слишком много файлов записывается одновременно.");
}

// Announced before the name is created, so no moment is left uncovered.
void AnnounceHiddenName(int slot, const std::string& name) {
  HiddenName& hidden = gHiddenNames[static_cast<std::size_t>(slot)];
  hidden.live.store(false, std::memory_order_release);
  const std::size_t length = std::min(name.size(), hidden.name.size() - 1);
  std::memcpy(hidden.name.data(), name.data(), length);
  hidden.name[length] = '\0';
  hidden.live.store(true, std::memory_order_release);
}

void ForgetHiddenName(int slot) {
  gHiddenNames[static_cast<std::size_t>(slot)].live.store(false, std::memory_order_release);
}

void ReleaseHiddenName(int slot) {
  ForgetHiddenName(slot);
  gHiddenNames[static_cast<std::size_t>(slot)].claimed.store(false, std::memory_order_release);
}

std::string NewHiddenName() {
  static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  thread_local std::mt19937_64 random{std::random_device{}()};
  std::string name = ".torvik-";
  for (int i = 0; i < 10; ++i) name += kLetters[random() % (sizeof kLetters - 1)];
  return name;
}

// The folder ("." for a bare name) and the name of a path.
std::pair<std::string, std::string> SplitPath(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return {".", path};
  return {slash == 0 ? "/" : path.substr(0, slash), path.substr(slash + 1)};
}

bool IsTargetKind(mode_t mode) {
  return S_ISREG(mode) || S_ISLNK(mode);
}

}  // namespace

FileWriter::FileWriter(const std::string& path, Staging staging) : path_(path) {
  try {
    Open(staging);
  } catch (...) {
    Release();  // the destructor does not run for a constructor that throws
    throw;
  }
}

FileWriter::~FileWriter() {
  Release();
}

std::string FileWriter::Folder() const {
  return SplitPath(path_).first;
}

void FileWriter::Open(Staging staging) {
  std::string folder;
  std::tie(folder, name_) = SplitPath(path_);
  if (name_.empty() || name_ == "." || name_ == "..") throw FileWriteError(kCannotOpen);
  folder_ = ::open(folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
  if (folder_ < 0) Fail(errno);
  struct stat target {};
  if (::fstatat(folder_, name_.c_str(), &target, AT_SYMLINK_NOFOLLOW) == 0) {
    if (!IsTargetKind(target.st_mode)) throw FileWriteError(kCannotOpen);
    replacing_ = true;
  } else if (errno != ENOENT) {
    Fail(errno);
  }
  if (staging == Staging::Unnamed) {
    file_ = ::openat(folder_, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    // These say the file system has no unnamed files; anything else is a failure.
    if (file_ < 0 && errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) Fail(errno);
  }
  if (file_ < 0) CreateNamed();
  if (replacing_ && S_ISREG(target.st_mode) && ::fchmod(file_, target.st_mode & 07777) != 0) {
    Fail(errno);
  }
}

void FileWriter::CreateNamed() {
  TakeHiddenName([this](const std::string& name) {
    file_ = ::openat(folder_, name.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0666);
    if (file_ < 0 && errno != EEXIST) Fail(errno);
    return file_ >= 0;
  });
}

// Each name is announced to the signal handler before `make` tries it;
// `make` gives false when the name is taken.
void FileWriter::TakeHiddenName(const std::function<bool(const std::string&)>& make) {
  stagedSlot_ = ClaimHiddenName(folder_);
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    std::string name = NewHiddenName();
    AnnounceHiddenName(stagedSlot_, name);
    if (make(name)) {
      stagedName_ = std::move(name);
      return;
    }
    // Someone else's file holds that name: the handler must not remove it.
    ForgetHiddenName(stagedSlot_);
  }
  Fail(EEXIST);
}

void FileWriter::Write(std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(file_, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) Fail(written < 0 ? errno : ENOSPC);
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
}

std::string FileWriter::StagedPath() const {
  return "/proc/self/fd/" + std::to_string(file_);
}

void FileWriter::Commit() {
  if (::fsync(file_) != 0) Fail(errno);
  if (!stagedName_.empty()) return ReplaceTarget(stagedName_);
  // A new name takes the unnamed file at once. A name that is taken cannot
  // be linked over: the file gets a hidden name first, covered like a Named
  // staging, and that name is renamed over the target.
  if (!replacing_ && LinkUnnamed(name_)) return;
  TakeHiddenName([this](const std::string& name) { return LinkUnnamed(name); });
  ReplaceTarget(stagedName_);
}

// False when the name is taken.
bool FileWriter::LinkUnnamed(const std::string& name) {
  if (::linkat(AT_FDCWD, StagedPath().c_str(), folder_, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
    return true;
  }
  // Without /proc the descriptor itself is linked, which needs more privilege.
  if (errno == ENOENT && ::linkat(file_, "", folder_, name.c_str(), AT_EMPTY_PATH) == 0) {
    return true;
  }
  if (errno == EEXIST) return false;
  Fail(errno);
}

void FileWriter::ReplaceTarget(const std::string& staged) {
  CheckTargetKind();
  if (::renameat(folder_, staged.c_str(), folder_, name_.c_str()) != 0) Fail(errno);
  stagedName_.clear();  // the hidden name is the target's now
  ReleaseHiddenName(stagedSlot_);
  stagedSlot_ = -1;
}

// Something else may have taken the target's place while the data was written.
void FileWriter::CheckTargetKind() const {
  struct stat target {};
  if (::fstatat(folder_, name_.c_str(), &target, AT_SYMLINK_NOFOLLOW) == 0 &&
      !IsTargetKind(target.st_mode)) {
    throw FileWriteError(kCannotOpen);
  }
}

void FileWriter::Release() {
  if (file_ >= 0) ::close(file_);
  if (!stagedName_.empty()) ::unlinkat(folder_, stagedName_.c_str(), 0);
  if (stagedSlot_ >= 0) ReleaseHiddenName(stagedSlot_);
  if (folder_ >= 0) ::close(folder_);
  file_ = folder_ = stagedSlot_ = -1;
  stagedName_.clear();
}

void FileWriter::Fail(int error) const {
  throw FileWriteError(WriteFailureMessage(path_, SystemErrorText(error)));
}

std::string WriteFailureMessage(const std::string& path, const std::string& cause) {
  return "Не удалось записать файл «" + path + "» (" + cause + ").";
}

// The causes a user meets in Russian; any other in the system's words.
std::string SystemErrorText(int error) {
  switch (error) {
    case ENOSPC:
      return "на устройстве не осталось места";
    case EDQUOT:
      return "превышена дисковая квота";
    case EFBIG:
      return "файл слишком велик";
    case EACCES:
    case EPERM:
      return "отказано в доступе";
    case EROFS:
      return "файловая система доступна только для чтения";
    case ENOENT:
      return "нет такого файла или каталога";
    case ENOTDIR:
      return "часть пути не является каталогом";
    case ENAMETOOLONG:
      return "слишком длинное имя файла";
    case EIO:
      return "ошибка ввода-вывода";
    case EMFILE:
    case ENFILE:
      return "открыто слишком много файлов";
    default: {
      char buffer[256];
      return ::strerror_r(error, buffer, sizeof buffer);
    }
  }
}
