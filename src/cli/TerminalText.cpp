#include "cli/TerminalText.h"

#include <cstdio>

namespace {

// The length of the UTF-8 sequence that starts the text, or 0 when it is no
// printable one (the C1 controls U+0080 … U+009F are escapes on a terminal).
std::size_t PrintableSequence(std::string_view text) {
  const auto lead = static_cast<unsigned char>(text[0]);
  const std::size_t length = lead >= 0xC2 && lead <= 0xDF   ? 2
                             : lead >= 0xE0 && lead <= 0xEF ? 3
                             : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                            : 0;
  if (length == 0 || text.size() < length) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) return 0;
  }
  if (lead == 0xC2 && static_cast<unsigned char>(text[1]) < 0xA0) return 0;
  return length;
}

}  // namespace

std::string TerminalSafe(std::string_view text, std::size_t characters) {
  std::string safe;
  std::size_t shown = 0;
  while (!text.empty() && shown < characters) {
    const auto byte = static_cast<unsigned char>(text[0]);
    std::size_t length = byte >= 0x20 && byte < 0x7F ? 1
                         : byte >= 0x80              ? PrintableSequence(text)
                                                     : 0;
    if (length > 0) {
      safe.append(text.substr(0, length));
    } else {
      char escape[5];
      std::snprintf(escape, sizeof escape, "\\x%02x", byte);
      safe += escape;
      length = 1;
    }
    text.remove_prefix(length);
    ++shown;
  }
  if (!text.empty()) safe += "…";
  return safe;
}
