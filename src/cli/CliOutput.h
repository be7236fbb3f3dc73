// Standard output with every write checked, so that a full disk or a closed
// pipe is an error (exit 1) instead of output cut short with success.
#pragma once

#include <stdexcept>
#include <string_view>

class OutputError : public std::runtime_error {
 public:
  OutputError();
};

// Throws OutputError when the text cannot be written.
void WriteOut(std::string_view text);
// Flushes standard output; throws OutputError when anything written failed.
void FinishOutput();
