// Number texts shared by every room: the program-wide decimal separator, the
// fixed-point and general formats, and the text-to-number conversion.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

// The decimal separator every number text is written and read with. It starts
// as the system's and becomes "." for the rest of the run after a codes file is
// saved.
char DecimalSeparator();
void SetDecimalSeparator(char separator);

// Restores the separator it found when it goes out of scope (tests, tools).
class DecimalSeparatorScope {
 public:
  explicit DecimalSeparatorScope(char separator);
  ~DecimalSeparatorScope();
  DecimalSeparatorScope(const DecimalSeparatorScope&) = delete;
  DecimalSeparatorScope& operator=(const DecimalSeparatorScope&) = delete;

 private:
  char saved_;
};

// A text that is not a number, with the message the user is shown.
class ConversionError : public std::runtime_error {
 public:
  explicit ConversionError(std::string_view text);
};

// Fixed-point text: rounded (halves away from zero) at `precision` significant
// digits or at `decimals` decimals, whichever is coarser, then padded to
// exactly `decimals` decimals. More than `precision` digits before the
// separator switch to the general scientific form.
std::string FormatFixed(long double value, int precision, int decimals);
// The number that FormatFixed's text stands for: `value` rounded as it is.
long double RoundFixed(long double value, int precision, int decimals);

// General text: the shortest text with up to 15 significant digits, no
// trailing zeros (25.0 gives "25", 1e-5 gives "1E-5").
std::string FormatGeneral(long double value);

// Optional blanks, sign, digits with the current separator, optional
// exponent, optional blanks; anything else is not a number.
std::optional<long double> TryStrToFloat(std::string_view text);

// As TryStrToFloat, but a text that is not a number throws ConversionError
// "'<text>' is not a valid floating point value".
long double StrToFloat(std::string_view text);
