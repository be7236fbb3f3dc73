// The full-capacity recording the benchmarks measure: 75,000 blocks
// (1,500,000 samples) with vibration bursts and shocks beyond ±25 m/s² on X.
#pragma once

#include <memory>
#include <stdexcept>

#include "LoggerFileWriter.h"
#include "analysis/DerivedData.h"
#include "app/Recording.h"
#include "files/LoggerFile.h"

inline loggen::LoggerFileOptions FullCapacityOptions() {
  loggen::LoggerFileOptions options;
  options.blocks = Recording::kFullCapacity / loggen::kSamplesPerBlock;
  options.bursts = 20;
  options.shocks = 20;
  return options;
}

// The recording the logger import makes of a generated file, its linear
// speed integrated.
inline std::unique_ptr<Recording> DecodedRecording(const loggen::LoggerFileOptions& options) {
  auto recording = std::make_unique<Recording>();
  if (DecodeLoggerFile(loggen::MakeLoggerFile(options), *recording).status !=
      LoggerImportStatus::Loaded) {
    throw std::runtime_error("synthetic recording not loaded");
  }
  DerivedData(*recording).SamplesLoaded();
  return recording;
}

inline std::unique_ptr<Recording> DecodedFullRecording() {
  return DecodedRecording(FullCapacityOptions());
}
