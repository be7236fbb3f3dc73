// The logger's binary recording (*.dat): 128-byte blocks of 20 three-axis
// samples followed by a 42-byte trailer with the per-axis calibration.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "files/FileAccess.h"
#include "model/Recording.h"

enum class LoggerImportStatus {
  Loaded,
  Empty,        // the file has no bytes
  WrongFormat,  // too short, wrong markers, no complete block, a calibration no
                // 16-bit logger writes
};

struct LoggerImportResult {
  LoggerImportStatus status = LoggerImportStatus::WrongFormat;
  std::uint64_t samplesInFile = 0;  // how many the file holds, also beyond the capacity
  bool truncated() const { return samplesInFile > loadedSamples; }
  std::uint64_t loadedSamples = 0;
};

inline constexpr std::size_t kLoggerTrailerSize = 42;

// What the decoder needs of a logger file: its size, its bytes from offset 0
// (at least every block that fits the recording), and its last 42 bytes.
struct LoggerFileView {
  std::uint64_t size = 0;
  std::span<const std::uint8_t> head;
  std::span<const std::uint8_t> trailer;  // empty when the file is shorter
};

// Decodes a logger file into the recording: calibration from the trailer,
// codes and temperature of every block (what derives from them is the
// owner's step that follows a load). Everything is checked before anything is written, so a
// rejected file leaves the recording exactly as it was. A file longer than the recording's capacity
// loads its first `Capacity` samples.
LoggerImportResult DecodeLoggerFile(const LoggerFileView& file, Recording& recording);
// The same for a whole file held in memory.
LoggerImportResult DecodeLoggerFile(std::span<const std::uint8_t> bytes, Recording& recording);

// The bytes of a logger file the decoder reads for a recording of
// `capacity` samples: the blocks that fit and the trailer, so memory and time
// do not grow with the file.
struct LoggerFileRead {
  FileReadStatus status = FileReadStatus::CannotOpen;
  std::uint64_t size = 0;
  std::vector<std::uint8_t> head;
  std::array<std::uint8_t, kLoggerTrailerSize> trailer{};
  LoggerFileView View() const;
};
LoggerFileRead ReadLoggerFile(const std::string& path, std::uint32_t capacity);

// The temperature of a block from its word (half degrees) and fraction byte.
double BlockTemperature(std::int16_t word, std::uint8_t fraction);

// The code at 0 g from the trailer's raw value, which comes in three scalings.
double ZeroCodeFromRaw(std::int32_t raw);

// Whether an axis record can come from the 16-bit logger: a zero code (after
// scaling) on the ADC's scale 0 … 65535 and 1 … 65536 codes per g, either sign.
bool PlausibleCalibration(std::int32_t codesPerG, double code0g);

// The texts the user is shown for each outcome of an import (empty: none).
std::string ImportMessage(FileReadStatus status);
std::string ImportMessage(const LoggerImportResult& result);
