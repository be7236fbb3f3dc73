// The one way the program writes a file: codes files, chart pictures and
// data, tables. Only a regular file or a new name is a target; a symbolic
// link there is replaced, never followed; a FIFO, device, socket or folder is
// refused. The data goes to an unnamed file in the target's folder that is
// linked into place only when complete, so a failure or a kill at any moment
// leaves the old file and nothing else beside it.
#pragma once

#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>

// A write that failed or a target that was refused; what() is the user's text.
class FileWriteError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Where the data waits until it is complete. Unnamed is the rule. Named, a
// hidden file beside the target that is removed on failure and on SIGINT,
// SIGTERM, SIGHUP and SIGQUIT, is what the writer falls back to where the
// file system has no unnamed files; tests choose it to check that path.
enum class Staging { Unnamed, Named };

class FileWriter {
 public:
  // Checks the target and creates the staged file: FileWriteError when the
  // target is refused or the folder cannot take a file. The path is taken
  // as bytes, exactly as the system gives it.
  explicit FileWriter(const std::string& path, Staging staging = Staging::Unnamed);
  // Without Commit the staged data goes and the target stays as it was.
  ~FileWriter();
  FileWriter(const FileWriter&) = delete;
  FileWriter& operator=(const FileWriter&) = delete;

  void Write(std::string_view bytes);
  const std::string& Path() const { return path_; }
  // The target's folder ("." for a bare name).
  std::string Folder() const;
  // A name under which this process opens the staged file again, for a
  // library that insists on opening a path itself ("/proc/self/fd/N").
  std::string StagedPath() const;
  // Makes the data durable and puts it in the target's place (the
  // permissions of a replaced file are kept; a new one gets 0666 less the
  // umask).
  void Commit();

 private:
  void Open(Staging staging);
  void CreateNamed();
  void TakeHiddenName(const std::function<bool(const std::string&)>& make);
  bool LinkUnnamed(const std::string& name);
  void ReplaceTarget(const std::string& staged);
  void CheckTargetKind() const;
  void Release();
  [[noreturn]] void Fail(int error) const;

  std::string path_;
  int folder_ = -1;  // the target's folder, every name is taken relative to it
  std::string name_;
  bool replacing_ = false;  // a file or a link holds the name now
  int file_ = -1;
  std::string stagedName_;  // of a Named staging
  int stagedSlot_ = -1;     // where the signal handler finds the hidden name
};

// "Не удалось записать файл «PATH» (CAUSE)." for the user.
std::string WriteFailureMessage(const std::string& path, const std::string& cause);
// The cause of a failed system call in the user's words.
std::string SystemErrorText(int error);
