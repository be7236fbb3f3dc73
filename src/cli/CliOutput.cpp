#include "cli/CliOutput.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

OutputError::OutputError()
    : std::runtime_error(std::string("cannot write the output: ") + std::strerror(errno)) {}

void WriteOut(std::string_view text) {
  if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size()) throw OutputError();
}

void FinishOutput() {
  if (std::fflush(stdout) != 0 || std::ferror(stdout)) throw OutputError();
}
