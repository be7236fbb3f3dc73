// The one file writer, judged by what it leaves in the folder: the new file
// whole, or the old one untouched and nothing beside it, whatever stood at
// the target and whatever happened during the write.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <csignal>
#include <cstdio>

#include "files/FileWriter.h"
#include "support/ChildProcess.h"
#include "support/FileSizeLimit.h"
#include "support/SavedFiles.h"
#include "support/TempDir.h"

namespace {

using std::filesystem::file_type;
using Names = std::vector<std::string>;

const char* const kRefused = "Не удалось получить доступ к файлу. Действие отменено.";

void Save(const std::filesystem::path& path, const std::string& text,
          Staging staging = Staging::Unnamed) {
  FileWriter file(path.string(), staging);
  file.Write(text);
  file.Commit();
}

std::string FailureOf(const std::function<void()>& save) {
  try {
    save();
  } catch (const FileWriteError& error) {
    return error.what();
  }
  return "no failure";
}

mode_t ModeOf(const std::filesystem::path& path) {
  struct stat info {};
  ::stat(path.c_str(), &info);
  return info.st_mode & 07777;
}

class Umask {
 public:
  explicit Umask(mode_t mask) : saved_(::umask(mask)) {}
  ~Umask() { ::umask(saved_); }

 private:
  mode_t saved_;
};

}  // namespace

TEST(FileWriter, WritesANewFileAndReplacesAnOldOneWhole) {
  const TempDir folder;
  for (const Staging staging : {Staging::Unnamed, Staging::Named}) {
    const auto path = folder.Path() / "table.csv";
    Save(path, "first", staging);
    EXPECT_EQ(saved::Contents(path), "first");
    Save(path, "second, longer", staging);
    EXPECT_EQ(saved::Contents(path), "second, longer");
    Save(path, "", staging);
    EXPECT_EQ(saved::Contents(path), "");
    EXPECT_EQ(saved::Names(folder.Path()), Names{"table.csv"});
    std::filesystem::remove(path);
  }
  // A bare name is in the current folder.
  const auto previous = std::filesystem::current_path();
  std::filesystem::current_path(folder.Path());
  Save("bare.csv", "here");
  std::filesystem::current_path(previous);
  EXPECT_EQ(saved::Contents(folder.Path() / "bare.csv"), "here");
}

// What a library that opens the file itself gets.
TEST(FileWriter, ALibraryOpeningTheStagedPathWritesTheFile) {
  const TempDir folder;
  const auto path = folder.Path() / "book.xlsx";
  saved::Put(path, "old book");
  FileWriter file(path.string());
  std::FILE* library = std::fopen(file.StagedPath().c_str(), "wb");
  ASSERT_NE(library, nullptr) << file.StagedPath();
  std::fputs("written by the library", library);
  ASSERT_EQ(std::fclose(library), 0);
  EXPECT_EQ(saved::Contents(path), "old book");
  EXPECT_EQ(saved::Names(folder.Path()), Names{"book.xlsx"});
  file.Commit();
  EXPECT_EQ(saved::Contents(path), "written by the library");
  EXPECT_EQ(saved::Names(folder.Path()), Names{"book.xlsx"});
}

TEST(FileWriter, TargetsThatAreNoFileAreRefusedAndLeftAsTheyWere) {
  const TempDir folder;
  bool deviceMade = false;
  for (const saved::Special kind : {saved::Special::Fifo, saved::Special::Socket,
                                    saved::Special::Folder, saved::Special::Device}) {
    const auto path = folder.Path() / "target";
    const bool created = saved::Make(kind, path);
    if (!created && kind == saved::Special::Device) continue;  // a device node needs root
    ASSERT_TRUE(created);
    deviceMade = deviceMade || kind == saved::Special::Device;
    const file_type made = saved::TypeOf(path);
    for (const Staging staging : {Staging::Unnamed, Staging::Named}) {
      EXPECT_EQ(FailureOf([&] { Save(path, "data", staging); }), kRefused);
    }
    EXPECT_EQ(saved::TypeOf(path), made);
    EXPECT_EQ(saved::Names(folder.Path()), Names{"target"});
    std::filesystem::remove(path);
  }
  // A name that names no file at all.
  EXPECT_EQ(FailureOf([&] { Save(folder.Path().string() + "/", "data"); }), kRefused);
  EXPECT_EQ(FailureOf([&] { Save(folder.Path() / "..", "data"); }), kRefused);
  EXPECT_TRUE(saved::Names(folder.Path()).empty());
  if (!deviceMade)
    GTEST_SKIP() << "making a device node needs root; the other targets were refused";
}

TEST(FileWriter, ASymbolicLinkIsReplacedAndWhatItPointedAtStaysAsItWas) {
  const TempDir folder;
  const TempDir elsewhere;
  const auto old = elsewhere.Path() / "old.csv";
  saved::Put(old, "old data");
  const auto fifo = elsewhere.Path() / "pipe";
  ASSERT_TRUE(saved::Make(saved::Special::Fifo, fifo));
  const std::filesystem::path pointed[] = {old, fifo, elsewhere.Path() / "missing.csv"};
  for (const auto& target : pointed) {
    const auto link = folder.Path() / "link.csv";
    std::filesystem::create_symlink(target, link);
    Save(link, "new data");
    EXPECT_EQ(saved::TypeOf(link), file_type::regular) << target;
    EXPECT_EQ(saved::Contents(link), "new data");
    EXPECT_EQ(saved::Names(folder.Path()), Names{"link.csv"});
    std::filesystem::remove(link);
  }
  EXPECT_EQ(saved::Contents(old), "old data");
  EXPECT_EQ(saved::TypeOf(fifo), file_type::fifo);
  EXPECT_EQ(saved::Names(elsewhere.Path()), (Names{"old.csv", "pipe"}));
}

TEST(FileWriter, AReplacedFileKeepsItsPermissionsAndANewOneFollowsTheUmask) {
  const TempDir folder;
  const auto kept = folder.Path() / "kept.csv";
  saved::Put(kept, "old");
  ::chmod(kept.c_str(), 0604);
  const Umask mask(027);
  Save(kept, "new");
  EXPECT_EQ(ModeOf(kept), 0604u);
  for (const Staging staging : {Staging::Unnamed, Staging::Named}) {
    const auto fresh = folder.Path() / "fresh.csv";
    Save(fresh, "new", staging);
    EXPECT_EQ(ModeOf(fresh), 0640u);
    std::filesystem::remove(fresh);
  }
}

// A full disk, played by a limit on the size of files, and a folder the
// writer may not write in.
TEST(FileWriter, AFailedWriteNamesItsCauseAndLeavesTheOldFileAndNothingElse) {
  const TempDir folder;
  const auto path = folder.Path() / "codes.csv";
  for (const Staging staging : {Staging::Unnamed, Staging::Named}) {
    saved::Put(path, "old");
    std::string failure;
    {
      const FileSizeLimit full(1000);
      failure = FailureOf([&] { Save(path, std::string(5000, 'x'), staging); });
    }
    EXPECT_EQ(failure, "Не удалось записать файл «" + path.string() + "» (файл слишком велик).");
    EXPECT_EQ(saved::Contents(path), "old");
    EXPECT_EQ(saved::Names(folder.Path()), Names{"codes.csv"});
    {
      FileWriter abandoned(path.string(), staging);
      abandoned.Write("never committed");
    }
    EXPECT_EQ(saved::Contents(path), "old");
    EXPECT_EQ(saved::Names(folder.Path()), Names{"codes.csv"});
  }
  const auto missing = folder.Path() / "missing" / "x.csv";
  EXPECT_EQ(FailureOf([&] { Save(missing, "x"); }),
            "Не удалось записать файл «" + missing.string() + "» (нет такого файла или каталога).");

  const auto readOnly = folder.Path() / "read-only";
  std::filesystem::create_directory(readOnly);
  saved::Put(readOnly / "codes.csv", "old");
  ::chmod(folder.Path().c_str(), 0755);
  ::chmod(readOnly.c_str(), 0555);
  const ChildResult refused = InChild([&] {
    if (!ActAsOrdinaryUser()) return std::string("cannot act as an ordinary user");
    return FailureOf([&] { Save(readOnly / "codes.csv", "new"); });
  });
  EXPECT_EQ(refused.output, "Не удалось записать файл «" + (readOnly / "codes.csv").string() +
                                "» (отказано в доступе).");
  EXPECT_EQ(saved::Contents(readOnly / "codes.csv"), "old");
  EXPECT_EQ(saved::Names(readOnly), Names{"codes.csv"});
  ::chmod(readOnly.c_str(), 0755);
}

// The program killed part-way through a write: the staged data goes with it,
// the hidden file of a Named staging by the writer's signal handler, and the
// signal still ends the program as it would have.
TEST(FileWriter, AKillWhileWritingLeavesTheOldFileAndNothingElse) {
  const TempDir folder;
  const auto path = folder.Path() / "codes.csv";
  saved::Put(path, "old");
  for (const Staging staging : {Staging::Unnamed, Staging::Named}) {
    for (const int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) {
      const ChildResult killed = InChild([&] {
        FileWriter file(path.string(), staging);
        file.Write(std::string(100000, 'x'));
        std::raise(signal);
        return std::string("survived the signal");
      });
      EXPECT_TRUE(WIFSIGNALED(killed.status) && WTERMSIG(killed.status) == signal)
          << "signal " << signal << ": " << killed.output;
      EXPECT_EQ(saved::Contents(path), "old");
      EXPECT_EQ(saved::Names(folder.Path()), Names{"codes.csv"}) << "signal " << signal;
    }
  }
}
