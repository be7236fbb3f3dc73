// The logger's binary recording (*.dat): 128-byte blocks of 20 three-axis
// samples followed by a 42-byte trailer with the per-axis calibration.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "app/Recording.h"

enum class LoggerImportStatus {
  Loaded,
  Empty,        // the file has no bytes
  WrongFormat,  // too short, wrong markers, no complete block, unusable calibration
};

struct LoggerImportResult {
  LoggerImportStatus status = LoggerImportStatus::WrongFormat;
  std::uint64_t samplesInFile = 0;  // how many the file holds, also beyond the capacity
  bool truncated() const { return samplesInFile > loadedSamples; }
  std::uint64_t loadedSamples = 0;
};

// Decodes a whole logger file into the recording: calibration from the
// trailer, codes and temperature of every block, and the trapezoid-integrated
// linear speed. Everything is checked before anything is written, so a
// rejected file leaves the recording exactly as it was. A file longer than
// the recording's capacity loads its first `Capacity` samples.
LoggerImportResult DecodeLoggerFile(std::span<const std::uint8_t> bytes, Recording& recording);

// The temperature of a block from its word (half degrees) and fraction byte.
double BlockTemperature(std::int16_t word, std::uint8_t fraction);

// The code at 0 g from the trailer's raw value, which comes in three scalings.
double ZeroCodeFromRaw(std::int32_t raw);

enum class FileReadStatus { Ok, NotFound, CannotOpen };

struct FileReadResult {
  FileReadStatus status = FileReadStatus::CannotOpen;
  std::vector<std::uint8_t> bytes;
};

// Reads a whole file in one piece.
FileReadResult ReadWholeFile(const std::string& path);

// The texts the user is shown for each outcome of an import (empty: none).
std::string ImportMessage(FileReadStatus status);
std::string ImportMessage(const LoggerImportResult& result);
