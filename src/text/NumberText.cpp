#include "text/NumberText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <string>

namespace {

char gDecimalSeparator = '.';

// The decimal digits of |value| and the exponent of the first one:
// value = 0.d1d2d3... × 10^(exponent + 1).
struct DecimalDigits {
  std::string digits;
  int exponent = 0;
};

DecimalDigits ToDigits(long double magnitude) {
  // 40 significant digits are far more than the 64-bit significand carries,
  // so rounding on this text is rounding on the exact value.
  char buffer[80];
  std::snprintf(buffer, sizeof buffer, "%.39Le", magnitude);
  DecimalDigits result;
  const char* p = buffer;
  for (; *p != 'e'; ++p) {
    if (*p >= '0' && *p <= '9') result.digits += *p;
  }
  result.exponent = std::atoi(p + 1);
  return result;
}

// Keeps the first `keep` digits, rounding half away from zero.
void RoundDigits(DecimalDigits& d, int keep) {
  if (keep < 0) {
    d.digits.clear();
    return;
  }
  if (keep >= static_cast<int>(d.digits.size())) return;
  const bool up = d.digits[keep] >= '5';
  d.digits.resize(keep);
  if (!up) return;
  int i = keep - 1;
  while (i >= 0 && d.digits[i] == '9') d.digits[i--] = '0';
  if (i >= 0) {
    ++d.digits[i];
  } else {  // 9...9 rounded up to 10...0
    d.digits.assign(std::max(keep, 1), '0');
    d.digits[0] = '1';
    ++d.exponent;
  }
}

void StripTrailingZeros(std::string& digits) {
  while (!digits.empty() && digits.back() == '0') digits.pop_back();
}

bool AllZero(const std::string& digits) {
  return digits.find_first_not_of('0') == std::string::npos;
}

std::string Scientific(bool negative, std::string digits, int exponent) {
  StripTrailingZeros(digits);
  std::string text = negative ? "-" : "";
  text += digits[0];
  if (digits.size() > 1) {
    text += gDecimalSeparator;
    text.append(digits, 1);
  }
  text += 'E';
  text += std::to_string(exponent);
  return text;
}

// Digits as plain decimal text: integer part then `decimals` decimals.
std::string Positional(bool negative, const std::string& digits, int exponent, int decimals) {
  auto digitAt = [&](int position) {  // position = power of ten
    const int index = exponent - position;
    return index >= 0 && index < static_cast<int>(digits.size()) ? digits[index] : '0';
  };
  std::string text = negative ? "-" : "";
  if (exponent < 0) {
    text += '0';
  } else {
    for (int position = exponent; position >= 0; --position) text += digitAt(position);
  }
  if (decimals > 0) {
    text += gDecimalSeparator;
    for (int position = -1; position >= -decimals; --position) text += digitAt(position);
  }
  return text;
}

}  // namespace

char DecimalSeparator() {
  return gDecimalSeparator;
}
void SetDecimalSeparator(char separator) {
  gDecimalSeparator = separator;
}

DecimalSeparatorScope::DecimalSeparatorScope(char separator) : saved_(gDecimalSeparator) {
  gDecimalSeparator = separator;
}
DecimalSeparatorScope::~DecimalSeparatorScope() {
  gDecimalSeparator = saved_;
}

namespace {
// A control byte is shown as an escape: a zero byte would end the message
// for everyone who reads it as C text, cutting it after the quote.
std::string ConversionMessage(std::string_view text) {
  std::string message(1, '\'');
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte != 0x7f) {
      message.push_back(c);
      continue;
    }
    constexpr char kHex[] = "0123456789abcdef";
    message.append({'\\', 'x', kHex[byte >> 4], kHex[byte & 15]});
  }
  message.append("' is not a valid floating point value");
  return message;
}
}  // namespace

ConversionError::ConversionError(std::string_view text)
    : std::runtime_error(ConversionMessage(text)) {}

namespace {
// The digits a fixed-point text keeps.
DecimalDigits FixedDigits(long double value, int precision, int decimals) {
  DecimalDigits d = ToDigits(std::fabs(value));
  RoundDigits(d, std::min(precision, d.exponent + 1 + decimals));
  return d;
}
}  // namespace

std::string FormatFixed(long double value, int precision, int decimals) {
  if (!std::isfinite(value)) return std::isnan(value) ? "NAN" : (value > 0 ? "INF" : "-INF");
  const DecimalDigits d = FixedDigits(value, precision, decimals);
  if (d.digits.empty() || AllZero(d.digits)) return Positional(false, "", 0, decimals);
  const bool negative = value < 0;
  if (d.exponent + 1 > precision) return Scientific(negative, d.digits, d.exponent);
  return Positional(negative, d.digits, d.exponent, decimals);
}

long double RoundFixed(long double value, int precision, int decimals) {
  if (!std::isfinite(value)) return value;
  const DecimalDigits d = FixedDigits(value, precision, decimals);
  if (d.digits.empty() || AllZero(d.digits)) return 0;
  const std::string text = "0." + d.digits + 'e' + std::to_string(d.exponent + 1);
  long double magnitude = 0;
  std::from_chars(text.data(), text.data() + text.size(), magnitude);
  return value < 0 ? -magnitude : magnitude;
}

std::string FormatGeneral(long double value) {
  if (!std::isfinite(value)) return std::isnan(value) ? "NAN" : (value > 0 ? "INF" : "-INF");
  constexpr int kPrecision = 15;
  DecimalDigits d = ToDigits(std::fabs(value));
  RoundDigits(d, kPrecision);
  StripTrailingZeros(d.digits);
  if (d.digits.empty()) return "0";
  const bool negative = value < 0;
  if (d.exponent + 1 > kPrecision || d.exponent < -4) {
    return Scientific(negative, d.digits, d.exponent);
  }
  const int decimals = std::max(0, static_cast<int>(d.digits.size()) - d.exponent - 1);
  return Positional(negative, d.digits, d.exponent, decimals);
}

std::optional<long double> TryStrToFloat(std::string_view text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && text[begin] == ' ') ++begin;
  while (end > begin && text[end - 1] == ' ') --end;

  std::string plain;  // the number with "." as separator, for from_chars
  std::size_t i = begin;
  auto digitsFrom = [&]() {
    const std::size_t start = i;
    while (i < end && text[i] >= '0' && text[i] <= '9') plain += text[i++];
    return i - start;
  };
  if (i < end && (text[i] == '+' || text[i] == '-')) {
    if (text[i] == '-') plain += '-';
    ++i;
  }
  std::size_t mantissaDigits = digitsFrom();
  if (i < end && text[i] == gDecimalSeparator) {
    plain += '.';
    ++i;
    mantissaDigits += digitsFrom();
  }
  if (mantissaDigits == 0) return std::nullopt;
  if (i < end && (text[i] == 'e' || text[i] == 'E')) {
    plain += 'e';
    ++i;
    if (i < end && (text[i] == '+' || text[i] == '-')) plain += text[i++];
    if (digitsFrom() == 0) return std::nullopt;
  }
  if (i != end) return std::nullopt;

  long double value = 0;
  const auto [ptr, ec] = std::from_chars(plain.data(), plain.data() + plain.size(), value);
  if (ec != std::errc() || ptr != plain.data() + plain.size()) return std::nullopt;
  return value;
}

long double StrToFloat(std::string_view text) {
  if (auto value = TryStrToFloat(text)) return *value;
  throw ConversionError(text);
}
