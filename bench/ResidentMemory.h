// The resident memory of this process, as the system counts it.
#pragma once

#include <fstream>
#include <string>

inline double ResidentMegabytes() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind("VmRSS:", 0) == 0) return std::stod(line.substr(6)) / 1024.0;
  }
  return -1.0;
}
