// Standard input read line by line in bounded memory, and standard streams
// that the caller closed kept closed for the program.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

// Call first thing in main. A closed standard stream gets /dev/null opened the
// wrong way round in its place (write-only for input, read-only for output),
// so that no file the program opens later takes its number and every read or
// write on it still fails, as it would on the closed stream.
void KeepClosedStandardStreamsClosed();

// The lines of a descriptor, read through a buffer of fixed size: a line
// longer than the limit is reported without reading the rest of it.
class InputLines {
 public:
  InputLines(int descriptor, std::size_t longestLine);

  enum class Outcome { Line, End, TooLong, Failed };
  // The next line without its LF or CR LF (a last line needs neither), valid
  // until the next call. TooLong: `line` holds the line's beginning. Failed:
  // Error() gives the system's error number.
  Outcome Next(std::string_view& line);
  int Error() const { return error_; }

 private:
  // Takes off the CR of a CR LF and checks the length.
  Outcome Finished(std::string_view& line) const;

  int descriptor_;
  std::size_t longest_;
  std::vector<char> buffer_;
  std::size_t begin_ = 0;  // the unread part of the buffer
  std::size_t end_ = 0;
  bool ended_ = false;
  int error_ = 0;
};
