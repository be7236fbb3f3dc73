#include "text/ShortestText.h"

#include <charconv>

char* WriteShortest(char* out, double value) {
  return std::to_chars(out, out + kShortestTextRoom, value).ptr;
}

std::string ShortestText(double value) {
  char text[kShortestTextRoom];
  return std::string(text, WriteShortest(text, value));
}

double SampleSeconds(std::uint64_t index) {
  return static_cast<double>(index) / 1000.0;
}

std::string SampleTimeText(std::uint64_t index) {
  return ShortestText(SampleSeconds(index));
}
