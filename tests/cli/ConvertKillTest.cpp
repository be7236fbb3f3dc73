// torvik-cli convert killed with SIGINT, SIGTERM, SIGHUP or SIGQUIT while it
// writes a codes file, and at the moment a name for it appears in the
// folder: the folder then holds the old target (or, when the kill came after
// the rename, the complete new one) and nothing else.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/inotify.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdint>

#include "LoggerFileWriter.h"
#include "support/Sanitizers.h"
#include "support/SavedFiles.h"
#include "support/TempDir.h"

namespace {

enum class Moment { WhileWriting, OutputAppears };

// A full-capacity recording and the codes file an undisturbed convert makes of it.
class ConvertKill : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    input_ = new TempDir;
    loggen::LoggerFileOptions options;
    options.blocks = 7500;  // 150,000 samples, a codes file of 2.85 MB
    loggen::WriteFile(Input(), loggen::MakeLoggerFile(options));
    const TempDir folder;
    const pid_t convert = StartConvert((folder.Path() / "whole.csv").string());
    int status = 0;
    ::waitpid(convert, &status, 0);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    whole_ = new std::string(saved::Contents(folder.Path() / "whole.csv"));
  }
  static void TearDownTestSuite() {
    delete whole_;
    delete input_;
  }

  static std::string Input() { return input_->File("full.dat"); }
  static const std::string& Whole() { return *whole_; }

  // The tool as a shell would start it: default signal actions, no core
  // dump, its output and errors discarded.
  static pid_t StartConvert(const std::string& output) {
    const pid_t child = ::fork();
    if (child != 0) return child;
    for (const int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) std::signal(signal, SIG_DFL);
    sigset_t none;
    sigemptyset(&none);
    ::sigprocmask(SIG_SETMASK, &none, nullptr);
    const rlimit noCore{0, 0};
    ::setrlimit(RLIMIT_CORE, &noCore);
    const int null = ::open("/dev/null", O_WRONLY);
    ::dup2(null, STDOUT_FILENO);
    ::dup2(null, STDERR_FILENO);
    const std::string input = Input();
    ::execl(TORVIK_CLI_PATH, "torvik-cli", "convert", input.c_str(), output.c_str(), nullptr);
    ::_exit(127);
  }

 private:
  static inline TempDir* input_ = nullptr;
  static inline std::string* whole_ = nullptr;
};

// Kills `process` with `signal` as soon as the folder reports the moment's
// event: a write into the unnamed output, or a name appearing; false when
// the process ended first.
bool KillAt(Moment moment, pid_t process, int signal, int watch) {
  const std::uint32_t awaited =
      moment == Moment::WhileWriting ? IN_MODIFY : IN_CREATE | IN_MOVED_TO;
  alignas(inotify_event) char events[4096];
  for (;;) {
    pollfd ready{watch, POLLIN, 0};
    if (::poll(&ready, 1, 100) == 1) {
      const ssize_t length = ::read(watch, events, sizeof events);
      for (ssize_t at = 0; at < length;) {
        const auto* event = reinterpret_cast<const inotify_event*>(events + at);
        if ((event->mask & awaited) != 0) return ::kill(process, signal) == 0;
        at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
      }
    }
    siginfo_t ended{};
    if (::waitid(P_PID, static_cast<id_t>(process), &ended, WEXITED | WNOHANG | WNOWAIT) == 0 &&
        ended.si_pid == process) {
      return false;
    }
  }
}

}  // namespace

TEST_F(ConvertKill, LeavesTheOldTargetOrTheWholeNewOneAndNothingElse) {
  TORVIK_SKIP_UNDER_SANITIZERS("the kills are timed against the plain program's writes");
  ASSERT_EQ(Whole().size(), 2'850'000u);
  for (const bool oldTarget : {true, false}) {
    for (const Moment moment : {Moment::WhileWriting, Moment::OutputAppears}) {
      for (const int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) {
        SCOPED_TRACE(::testing::Message()
                     << "signal " << signal << (oldTarget ? ", old" : ", new") << " target, "
                     << (moment == Moment::WhileWriting ? "while writing" : "output appears"));
        const TempDir folder;
        const auto target = folder.Path() / "codes.csv";
        if (oldTarget) saved::Put(target, "old codes\r\n");
        const int watch = ::inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
        ::inotify_add_watch(watch, folder.Path().c_str(), IN_MODIFY | IN_CREATE | IN_MOVED_TO);
        const pid_t convert = StartConvert(target.string());
        const bool killed = KillAt(moment, convert, signal, watch);
        int status = 0;
        ::waitpid(convert, &status, 0);
        ::close(watch);
        ASSERT_TRUE(killed) << "the process ended before the moment came";

        const bool endedBySignal = WIFSIGNALED(status) && WTERMSIG(status) == signal;
        const bool finished = WIFEXITED(status) && WEXITSTATUS(status) == 0;
        const std::vector<std::string> left = saved::Names(folder.Path());
        if (moment == Moment::WhileWriting) {
          // The kill came before the data had a name: nothing new can be left.
          EXPECT_TRUE(endedBySignal);
          EXPECT_EQ(left,
                    oldTarget ? std::vector<std::string>{"codes.csv"} : std::vector<std::string>{});
          if (oldTarget) {
            EXPECT_EQ(saved::Contents(target), "old codes\r\n");
          }
        } else if (left.empty()) {
          EXPECT_TRUE(endedBySignal && !oldTarget);
        } else {
          EXPECT_TRUE(endedBySignal || finished);
          ASSERT_EQ(left, std::vector<std::string>{"codes.csv"});
          const std::string contents = saved::Contents(target);
          EXPECT_TRUE(contents == Whole() || (oldTarget && contents == "old codes\r\n"))
              << contents.size() << " bytes";
        }
      }
    }
  }
}
