// Text from files, input and the command line made safe to print on a
// terminal: control characters and bytes that are not UTF-8 are shown as
// escapes (\x1b), so no escape sequence reaches the terminal raw.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// At most `characters` characters of the text (a UTF-8 sequence or an
// escaped byte counts as one), with "…" when it was cut.
std::string TerminalSafe(std::string_view text, std::size_t characters = std::string_view::npos);
