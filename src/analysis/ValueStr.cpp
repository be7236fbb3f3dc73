#include "analysis/ValueStr.h"

#include <cmath>
#include <cstdlib>

#include "text/NumberText.h"

namespace {

constexpr long double kZeroBelow = 1e-12L;
constexpr long double kEmptyFrom = 1e12L;  // exact in long double
constexpr int kSignificantDigits = 6;

// Eight groups of three decimal exponents each, from k = -12..-10 up to
// k = 9..11. The scaled value is m × 10^(12 − 3 × group).
constexpr const char* kPrefixes[] = {"п", "н", "мк", "м", "", "к", "М", "Г"};
constexpr int kPicoGroup = 0;
constexpr int kPlainGroup = 4;
constexpr int kMegaGroup = 6;
constexpr int kGigaGroup = 7;

// 10^n: exact for 0 ≤ n ≤ 27, the nearest long double below 0.
long double Pow10(int n) {
  long double power = 1;
  for (int i = 0; i < std::abs(n); ++i) power *= 10;
  return n >= 0 ? power : 1 / power;
}

// The decimal exponent truncated toward zero: 10^k ≤ m < 10^(k+1) from 1 up,
// 10^(k-1) < m ≤ 10^k below 1. log10 alone can land on the wrong side of a
// power of ten, so the guess is checked against the powers themselves; a long
// double that is the nearest one to a negative power counts as that power.
int TruncatedExponent(long double m) {
  int k = static_cast<int>(std::trunc(std::log10(m)));
  if (m >= 1) {
    while (m < Pow10(k)) --k;
    while (m >= Pow10(k + 1)) ++k;
  } else {
    while (m > Pow10(k)) ++k;
    while (m <= Pow10(k - 1)) --k;
  }
  return k;
}

using SuffixRule = std::string (*)(int group, const std::string& Units);

std::string PrefixAndUnits(int group, const std::string& Units) {
  return kPrefixes[group] + Units;
}

std::string MainWindowSuffix(int group, const std::string& Units) {
  const bool acceleration = Units == "м/с2";
  switch (group) {
    case kPicoGroup:
      return acceleration ? "п" + Units : "10^-6гс";
    case kMegaGroup:
      return acceleration ? "М" + Units : "ктc";  // Latin c
    case kGigaGroup:
      return Units == "H" ? "Г" + Units : "Мтc";  // Latin H and c
    default:
      return PrefixAndUnits(group, Units);
  }
}

std::string ScaledText(int Digits, const std::string& Units, long double Value, SuffixRule suffix) {
  const long double m = std::fabs(Value);
  if (m < kZeroBelow) return "0 ";
  std::string text = Value < 0 ? "-" : "";
  if (m >= kEmptyFrom) return text;
  const int group = std::isnan(m) ? kPlainGroup : (TruncatedExponent(m) + 12) / 3;
  const int power = 12 - 3 * group;
  // The group's factor multiplies; 10^-3 … 10^-9 are the nearest extended
  // values to those powers, as the value texts have always been scaled.
  const long double scaled = m * Pow10(power);
  text += FormatFixed(scaled, kSignificantDigits, Digits);
  text += ' ';
  text += suffix(group, Units);
  return text;
}

}  // namespace

std::string ValueToStr(int Digits, const std::string& Units, long double Value) {
  return ScaledText(Digits, Units, Value, PrefixAndUnits);
}

std::string ValueToStrMy(int Digits, const std::string& Units, long double Value) {
  return ScaledText(Digits, Units, Value, MainWindowSuffix);
}

std::string GetValueString(std::uint8_t ValueKind, double Value) {
  static const std::string volt = "В";
  static const std::string percent = "%";
  static const std::string second = "с";
  static const std::string hertz = "Гц";
  if (ValueKind <= 8) return ValueToStr(3, volt, Value);
  if (ValueKind <= 12) return ValueToStr(1, percent, Value);
  if (ValueKind == 13) return ValueToStr(3, second, Value);
  if (ValueKind == 14) return ValueToStr(4, hertz, Value);
  if (ValueKind <= 18) return ValueToStr(3, second, Value);
  if (ValueKind == 19) return ValueToStr(1, percent, Value);
  if (ValueKind <= 21) return ValueToStr(3, second, Value);
  return "";
}
