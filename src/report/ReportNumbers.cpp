#include "report/ReportNumbers.h"

#include <charconv>
#include <string>

#include "text/NumberText.h"
#include "text/ShortestText.h"

namespace {

QString WithSeparator(std::string text) {
  for (char& c : text) {
    if (c == '.') c = DecimalSeparator();
  }
  return QString::fromStdString(text);
}

}  // namespace

QString ShortestNumber(double value) {
  return WithSeparator(ShortestText(value));
}

QString FixedNumber(double value, int decimals) {
  return QString::fromStdString(FormatFixed(value, 15, decimals));
}

QString SignificantNumber(double value) {
  char text[kShortestTextRoom];
  const auto end = std::to_chars(text, text + sizeof text, value, std::chars_format::general, 4);
  return WithSeparator(std::string(text, end.ptr));
}
