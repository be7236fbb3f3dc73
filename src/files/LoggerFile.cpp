#include "files/LoggerFile.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace {

constexpr std::size_t kBlockSize = 128;
constexpr std::size_t kSamplesPerBlock = 20;
constexpr std::size_t kCalibrationOffset = 4;  // in the trailer
constexpr std::uint8_t kStartMarker = 0xF0;
constexpr std::uint8_t kEndMarker = 0x0F;
constexpr double kLargestCode = 65535;
constexpr std::int64_t kMostCodesPerG = 65536;

std::int32_t Little32(const std::uint8_t* p) {
  return static_cast<std::int32_t>(
      static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
      static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24);
}

double Big16(const std::uint8_t* p) {
  return static_cast<double>(p[0] << 8 | p[1]);
}

struct TrailerCalibration {
  std::array<AxisCalibration, 3> axes;
  bool usable = true;
};

TrailerCalibration ReadTrailer(std::span<const std::uint8_t> trailer, double gValue) {
  TrailerCalibration result;
  const std::uint8_t* records = trailer.data() + kCalibrationOffset;
  for (int axis = 0; axis < 3; ++axis) {
    const std::int32_t codesPerG = Little32(records + 8 * axis);
    const double code0g = ZeroCodeFromRaw(Little32(records + 8 * axis + 4));
    if (!PlausibleCalibration(codesPerG, code0g)) {
      result.usable = false;
      continue;
    }
    result.axes[axis].Code0g = code0g;
    // (2 g) / (2 × codes per g), as the logger's software divides.
    result.axes[axis].Gain = (2 * gValue) / (2.0 * codesPerG);
  }
  return result;
}

std::uint64_t BlocksInFile(std::uint64_t size) {
  // A block is data when it ends at least 42 bytes before the end of the file.
  return size < kBlockSize + kLoggerTrailerSize ? 0 : (size - kLoggerTrailerSize) / kBlockSize;
}

std::uint64_t BlocksFor(std::uint32_t capacity) {
  return (static_cast<std::uint64_t>(capacity) + kSamplesPerBlock - 1) / kSamplesPerBlock;
}

}  // namespace

double BlockTemperature(std::int16_t word, std::uint8_t fraction) {
  return static_cast<double>(word >> 1) - 0.25 + (16.0 - fraction) / 16.0;
}

double ZeroCodeFromRaw(std::int32_t raw) {
  double z = raw;
  if (z > 200000 && z < 60000000) z /= 10;
  if (z > 60000000) z /= 3200;
  return z;
}

bool PlausibleCalibration(std::int32_t codesPerG, double code0g) {
  const std::int64_t magnitude = std::abs(static_cast<std::int64_t>(codesPerG));
  return magnitude >= 1 && magnitude <= kMostCodesPerG && code0g >= 0 && code0g <= kLargestCode;
}

LoggerImportResult DecodeLoggerFile(const LoggerFileView& file, Recording& recording) {
  LoggerImportResult result;
  if (file.size == 0) {
    result.status = LoggerImportStatus::Empty;
    return result;
  }
  const std::uint64_t blocksInFile = BlocksInFile(file.size);
  const std::size_t samples = static_cast<std::size_t>(std::min<std::uint64_t>(
      blocksInFile * kSamplesPerBlock, static_cast<std::uint64_t>(recording.Capacity)));
  const std::uint64_t blocksRead = (samples + kSamplesPerBlock - 1) / kSamplesPerBlock;
  if (blocksInFile == 0 || file.head.size() < std::max<std::uint64_t>(blocksRead, 1) * kBlockSize ||
      file.trailer.size() != kLoggerTrailerSize || file.head[0] != kStartMarker ||
      file.head[kBlockSize - 1] != kEndMarker) {
    return result;
  }
  const TrailerCalibration calibration = ReadTrailer(file.trailer, recording.GValue);
  if (!calibration.usable) return result;

  result.samplesInFile = blocksInFile * kSamplesPerBlock;
  result.loadedSamples = samples;
  result.status = LoggerImportStatus::Loaded;

  recording.Calibration = calibration.axes;
  for (std::size_t k = 0; k < samples; ++k) {
    const std::uint8_t* block = file.head.data() + (k / kSamplesPerBlock) * kBlockSize;
    const std::uint8_t* sample = block + 6 + 6 * (k % kSamplesPerBlock);
    const auto word = static_cast<std::int16_t>(block[2] | block[3] << 8);
    recording.CodesX[k] = Big16(sample);
    recording.CodesY[k] = Big16(sample + 2);
    recording.CodesZ[k] = Big16(sample + 4);
    recording.Temperature[k] = BlockTemperature(word, block[4]);
  }
  recording.SampleCount = static_cast<std::uint32_t>(samples);
  return result;
}

LoggerImportResult DecodeLoggerFile(std::span<const std::uint8_t> bytes, Recording& recording) {
  LoggerFileView view{bytes.size(), bytes, {}};
  if (bytes.size() >= kLoggerTrailerSize) view.trailer = bytes.last(kLoggerTrailerSize);
  return DecodeLoggerFile(view, recording);
}

LoggerFileView LoggerFileRead::View() const {
  LoggerFileView view{size, head, {}};
  if (size >= kLoggerTrailerSize) view.trailer = trailer;
  return view;
}

LoggerFileRead ReadLoggerFile(const std::string& path, std::uint32_t capacity) {
  LoggerFileRead result;
  const ReadOnlyFile file(path);
  result.status = file.Status();
  if (result.status != FileReadStatus::Ok) return result;
  result.size = file.Size();
  // The first block is read even when it is not followed by a trailer, so
  // its markers can be judged; beyond it only the blocks that fit.
  const std::uint64_t blocks = std::min(BlocksInFile(result.size), BlocksFor(capacity));
  result.head.resize(static_cast<std::size_t>(
      std::min(result.size, std::max<std::uint64_t>(blocks, 1) * kBlockSize)));
  bool complete = file.ReadAt(0, result.head);
  if (result.size >= kLoggerTrailerSize) {
    complete = complete && file.ReadAt(result.size - kLoggerTrailerSize, result.trailer);
  }
  if (!complete) {
    result = LoggerFileRead{};  // shrunk while being read: cannot be read
  }
  return result;
}

std::string ImportMessage(FileReadStatus status) {
  switch (status) {
    case FileReadStatus::NotFound:
      return "Указанный файл не найден. Действие отменено.";
    case FileReadStatus::CannotOpen:
      return "Не удалось получить доступ к файлу. Действие отменено.";
    case FileReadStatus::Ok:
      break;
  }
  return {};
}

std::string ImportMessage(const LoggerImportResult& result) {
  switch (result.status) {
    case LoggerImportStatus::Empty:
      return "Указанный файл нулевого размера! Действие отменено.";
    case LoggerImportStatus::WrongFormat:
      return "неправильный формат данных";
    case LoggerImportStatus::Loaded:
      break;
  }
  if (!result.truncated()) return {};
  return "Запись в файле длиннее, чем помещается в программу: загружены первые " +
         std::to_string(result.loadedSamples) + " отсчётов из " +
         std::to_string(result.samplesInFile) + ".";
}
