// make-logger-file: writes a synthetic logger recording (*.dat).
#include <cerrno>
#include <cstdlib>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "LoggerFileWriter.h"

namespace {

// Follows "usage: " and the name the program was called by (it is installed
// under a longer one).
constexpr const char* kUsage =
    " --output FILE [--demo] [--blocks N] [--seed S]\n"
    "         [--codes-per-g N] [--zero-code Z] [--zero-scaling plain|tenths|x3200]\n"
    "         [--temp-start C] [--temp-end C] [--noise CODES] [--bursts N] [--shocks N]\n"
    "         [--shock AXIS:AMPLITUDE:MS[:AT_S]]...   (a half-sine on X, Y or Z; repeatable)\n"
    "         [--drop HEIGHT_M[:AT_S]]...   (a free fall and its impact on Z; repeatable)\n";

void PrintUsage(std::ostream& out) {
  out << "usage: " << program_invocation_short_name << kUsage;
}

[[noreturn]] void Usage() {
  PrintUsage(std::cerr);
  std::exit(2);
}

loggen::ZeroScaling ParseScaling(std::string_view text) {
  if (text == "plain") return loggen::ZeroScaling::Plain;
  if (text == "tenths") return loggen::ZeroScaling::Tenths;
  if (text == "x3200") return loggen::ZeroScaling::Times3200;
  Usage();
}

}  // namespace

int main(int argc, char** argv) {
  loggen::LoggerFileOptions options;
  std::string output;
  std::vector<std::string> shocks;
  std::vector<std::string> drops;
  for (int i = 1; i < argc; ++i) {
    const std::string_view flag = argv[i];
    if (flag == "--help" || flag == "-h") {
      PrintUsage(std::cout);
      return 0;
    }
    if (flag == "--demo") {
      options = loggen::DemoOptions();
      continue;
    }
    if (i + 1 >= argc) Usage();
    const char* value = argv[++i];
    if (flag == "--output")
      output = value;
    else if (flag == "--blocks")
      options.blocks = std::atoi(value);
    else if (flag == "--seed")
      options.seed = static_cast<std::uint32_t>(std::strtoul(value, nullptr, 10));
    else if (flag == "--codes-per-g")
      options.codesPerG = std::atoi(value);
    else if (flag == "--zero-code")
      options.code0g = std::atof(value);
    else if (flag == "--zero-scaling")
      options.zeroScaling = ParseScaling(value);
    else if (flag == "--temp-start")
      options.temperatureStart = std::atof(value);
    else if (flag == "--temp-end")
      options.temperatureEnd = std::atof(value);
    else if (flag == "--noise")
      options.noise = std::atof(value);
    else if (flag == "--bursts")
      options.bursts = std::atoi(value);
    else if (flag == "--shocks")
      options.shocks = std::atoi(value);
    else if (flag == "--shock")
      shocks.push_back(value);
    else if (flag == "--drop")
      drops.push_back(value);
    else
      Usage();
  }
  if (output.empty()) Usage();
  try {
    for (const std::string& shock : shocks) {
      options.placedShocks.push_back(loggen::ParsePlacedShock(shock));
    }
    for (const std::string& drop : drops) {
      options.placedDrops.push_back(loggen::ParsePlacedDrop(drop));
    }
    loggen::WriteFile(output, loggen::MakeLoggerFile(options));
  } catch (const std::exception& e) {
    std::cerr << "make-logger-file: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
