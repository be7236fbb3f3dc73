// A piece of a test run in a forked child: to kill it at a chosen moment, or
// to run it as an ordinary user. Only for tests without threads of their own.
#pragma once

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <stdexcept>
#include <string>

struct ChildResult {
  int status = 0;      // as waitpid gives it
  std::string output;  // what the body returned, when it returned
};

// The child never comes back into the test: it ends with _exit after the
// body, or by a signal the body raised, leaving no core dump behind.
inline ChildResult InChild(const std::function<std::string()>& body) {
  int pipe[2];
  if (::pipe(pipe) != 0) throw std::runtime_error("pipe failed");
  const pid_t child = ::fork();
  if (child < 0) throw std::runtime_error("fork failed");
  if (child == 0) {
    ::close(pipe[0]);
    const rlimit noCore{0, 0};
    ::setrlimit(RLIMIT_CORE, &noCore);
    const std::string output = body();
    const bool sent =
        ::write(pipe[1], output.data(), output.size()) == static_cast<ssize_t>(output.size());
    ::_exit(sent ? 0 : 1);
  }
  ::close(pipe[1]);
  ChildResult result;
  char buffer[4096];
  for (ssize_t got; (got = ::read(pipe[0], buffer, sizeof buffer)) > 0;)
    result.output.append(buffer, got);
  ::close(pipe[0]);
  ::waitpid(child, &result.status, 0);
  return result;
}

// Root passes every permission check; in the child it becomes nobody, so a
// read-only folder is read-only again. False when that fails.
inline bool ActAsOrdinaryUser() {
  constexpr uid_t kNobody = 65534;
  return ::geteuid() != 0 || (::setgid(kNobody) == 0 && ::setuid(kNobody) == 0);
}
