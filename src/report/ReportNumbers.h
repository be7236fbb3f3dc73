// Numbers on the report's pages, from the same doubles the JSON prints, in
// the program's decimal separator.
#pragma once

#include <QString>

// The shortest text that reads back to the value (times: 114.963).
QString ShortestNumber(double value);
// Rounded to `decimals` decimals.
QString FixedNumber(double value, int decimals);
// Rounded to four significant digits, as the spectra window shows them.
QString SignificantNumber(double value);
