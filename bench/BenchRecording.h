// The full-capacity recording the benchmarks measure: 75,000 blocks
// (1,500,000 samples) with vibration bursts and shocks beyond ±25 m/s² on X.
#pragma once

#include <cmath>
#include <memory>
#include <stdexcept>

#include "LoggerFileWriter.h"
#include "model/Recording.h"
#include "session/Session.h"

inline loggen::LoggerFileOptions FullCapacityOptions() {
  loggen::LoggerFileOptions options;
  options.blocks = Recording::kFullCapacity / loggen::kSamplesPerBlock;
  options.bursts = 20;
  options.shocks = 20;
  return options;
}

// A session that has loaded a generated logger file as the import does: the
// recording decoded, its linear speed integrated.
inline std::unique_ptr<Session> LoadedSession(const loggen::LoggerFileOptions& options) {
  auto session = std::make_unique<Session>();
  if (!session->LoadLoggerBytes(loggen::MakeLoggerFile(options), "bench.dat").Loaded()) {
    throw std::runtime_error("synthetic recording not loaded");
  }
  return session;
}

// The magnitude of the three calibrated axes summed in one plain pass: what
// the machine does meanwhile, next to a search over all three axes.
inline double PlainMagnitudeSum(const Recording& r) {
  double sum = 0;
  for (std::uint32_t i = 0; i < r.SampleCount; ++i) {
    const double x = Acceleration(r.CodesX[i], r.Calibration[AxisX]);
    const double y = Acceleration(r.CodesY[i], r.Calibration[AxisY]);
    const double z = Acceleration(r.CodesZ[i], r.Calibration[AxisZ]);
    sum += std::sqrt(x * x + y * y + z * z);
  }
  return sum;
}

inline std::unique_ptr<Session> LoadedFullSession() {
  return LoadedSession(FullCapacityOptions());
}
