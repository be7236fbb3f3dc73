// Numbers for files and scripts: the shortest text that reads back to the
// same double, always with a point whatever the program's separator or the
// system's locale, and the time of a sample written the same way.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Room enough for any text WriteShortest makes ("-2.2250738585072014e-308").
inline constexpr std::size_t kShortestTextRoom = 32;

// Writes the shortest text that strtod reads back to exactly `value` at `out`
// (kShortestTextRoom characters of room) and returns its end. Whole numbers
// carry no ".0" (25, -3, 0); a value is written with an exponent only where
// that is shorter (1e-05, 1.5e+06); -0 stays "-0"; NaN and infinities give
// "nan", "-nan", "inf" and "-inf".
char* WriteShortest(char* out, double value);
std::string ShortestText(double value);

// The logger samples at 1000 Hz: sample `index` lies at index ÷ 1000 s,
// divided rather than multiplied by 0.001 so that the time is the double
// nearest to the decimal (114963 gives 114.963, not 114.96300000000001).
double SampleSeconds(std::uint64_t index);
std::string SampleTimeText(std::uint64_t index);
