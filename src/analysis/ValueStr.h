// Value texts with a metric prefix and a unit: "15.000 мс", "1.500 км/с2".
// Pure functions of their arguments, in extended precision.
#pragma once

#include <cstdint>
#include <string>

// The number scaled into its prefix group, `Digits` decimals (rounded at 6
// significant digits or at `Digits` decimals, whichever is coarser), a blank,
// the prefix and `Units`. Magnitudes below 1e-12 give "0 "; from 1e12 up the
// text is empty ("-" alone for a negative value).
std::string ValueToStr(int Digits, const std::string& Units, long double Value);

// As ValueToStr, but the groups from 1e-12, from 1e6 and from 1e9 carry the
// main window's own fixed texts in place of prefix and unit.
std::string ValueToStrMy(int Digits, const std::string& Units, long double Value);

// Decimals and unit chosen by a kind code (13 is a time in seconds); codes
// from 22 up give an empty text.
std::string GetValueString(std::uint8_t ValueKind, double Value);
