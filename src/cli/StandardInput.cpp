#include "cli/StandardInput.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

void KeepClosedStandardStreamsClosed() {
  for (int stream = 0; stream <= 2; ++stream) {
    // Opening takes the lowest free number: this stream's, the lower ones being open.
    if (::fcntl(stream, F_GETFD) == -1 && errno == EBADF) {
      ::open("/dev/null", stream == 0 ? O_WRONLY : O_RDONLY);
    }
  }
}

InputLines::InputLines(int descriptor, std::size_t longestLine)
    : descriptor_(descriptor),
      longest_(longestLine),
      buffer_(std::max<std::size_t>(longestLine + 2, 1 << 16)) {}

InputLines::Outcome InputLines::Next(std::string_view& line) {
  for (;;) {
    const char* start = buffer_.data() + begin_;
    const std::size_t pending = end_ - begin_;
    if (const void* lineEnd = std::memchr(start, '\n', pending)) {
      const auto length = static_cast<std::size_t>(static_cast<const char*>(lineEnd) - start);
      line = {start, length};
      begin_ += length + 1;
      return Finished(line);
    }
    // One character more than the limit may be the CR of a CR LF still to come.
    if (pending > longest_ + 1) {
      line = {start, pending};
      return Outcome::TooLong;
    }
    if (ended_) {
      if (pending == 0) return Outcome::End;
      line = {start, pending};
      begin_ = end_;
      return Finished(line);
    }
    std::memmove(buffer_.data(), start, pending);
    begin_ = 0;
    end_ = pending;
    const ssize_t got = ::read(descriptor_, buffer_.data() + end_, buffer_.size() - end_);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      error_ = errno;
      return Outcome::Failed;
    }
    ended_ = got == 0;
    end_ += static_cast<std::size_t>(got);
  }
}

InputLines::Outcome InputLines::Finished(std::string_view& line) const {
  if (line.ends_with('\r')) line.remove_suffix(1);
  return line.size() > longest_ ? Outcome::TooLong : Outcome::Line;
}
