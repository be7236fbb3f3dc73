#include "files/LoggerFile.h"

#include "analysis/Speed.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <limits>
#include <memory>

namespace {

constexpr std::size_t kBlockSize = 128;
constexpr std::size_t kSamplesPerBlock = 20;
constexpr std::size_t kTrailerSize = 42;
constexpr std::size_t kCalibrationOffset = 38;  // from the end of the file
constexpr std::uint8_t kStartMarker = 0xF0;
constexpr std::uint8_t kEndMarker = 0x0F;

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

TrailerCalibration ReadTrailer(std::span<const std::uint8_t> bytes, double gValue) {
  TrailerCalibration result;
  const std::uint8_t* trailer = bytes.data() + bytes.size() - kCalibrationOffset;
  for (int axis = 0; axis < 3; ++axis) {
    const std::int32_t codesPerG = Little32(trailer + 8 * axis);
    const std::int32_t zeroRaw = Little32(trailer + 8 * axis + 4);
    // The gain is (2 g) / (2 × codes per g) with the doubled count a signed
    // 32-bit integer: zero, or a count whose double does not fit, is unusable.
    const std::int64_t doubled = 2 * static_cast<std::int64_t>(codesPerG);
    if (codesPerG == 0 || doubled > std::numeric_limits<std::int32_t>::max() ||
        doubled < std::numeric_limits<std::int32_t>::min()) {
      result.usable = false;
      continue;
    }
    result.axes[axis].Code0g = ZeroCodeFromRaw(zeroRaw);
    result.axes[axis].Gain = (2 * gValue) / static_cast<double>(doubled);
  }
  return result;
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

LoggerImportResult DecodeLoggerFile(std::span<const std::uint8_t> bytes, Recording& recording) {
  LoggerImportResult result;
  const std::size_t n = bytes.size();
  if (n == 0) {
    result.status = LoggerImportStatus::Empty;
    return result;
  }
  // A block is data when it ends at least 42 bytes before the end of the file.
  if (n < kBlockSize + kTrailerSize || bytes[0] != kStartMarker ||
      bytes[kBlockSize - 1] != kEndMarker) {
    return result;
  }
  const TrailerCalibration calibration = ReadTrailer(bytes, recording.GValue);
  if (!calibration.usable) return result;

  const std::size_t blocksInFile = (n - kTrailerSize) / kBlockSize;
  result.samplesInFile = blocksInFile * kSamplesPerBlock;
  const std::size_t samples =
      std::min<std::size_t>(result.samplesInFile, static_cast<std::size_t>(recording.Capacity));
  result.loadedSamples = samples;
  result.status = LoggerImportStatus::Loaded;

  recording.Calibration = calibration.axes;
  const AxisCalibration x = calibration.axes[AxisX];
  double* speed = recording.LinSpeedX.get();
  speed[0] = 0;
  recording.VibroSpeedX[0] = 0;
  double previous = 0;  // the acceleration before the first sample counts as 0
  for (std::size_t k = 0; k < samples; ++k) {
    const std::uint8_t* block = bytes.data() + (k / kSamplesPerBlock) * kBlockSize;
    const std::uint8_t* sample = block + 6 + 6 * (k % kSamplesPerBlock);
    const auto word = static_cast<std::int16_t>(block[2] | block[3] << 8);
    recording.CodesX[k] = Big16(sample);
    recording.CodesY[k] = Big16(sample + 2);
    recording.CodesZ[k] = Big16(sample + 4);
    recording.Temperature[k] = BlockTemperature(word, block[4]);
    const double a = Acceleration(recording.CodesX[k], x);
    speed[k + 1] = TrapezoidStep(speed[k], previous, a);
    previous = a;
  }
  recording.SampleCount = static_cast<std::uint32_t>(samples);
  return result;
}

FileReadResult ReadWholeFile(const std::string& path) {
  FileReadResult result;
  std::error_code error;
  if (!std::filesystem::exists(path, error)) {
    result.status = FileReadStatus::NotFound;
    return result;
  }
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"),
                                                       &std::fclose);
  if (!file || std::filesystem::is_directory(path, error)) return result;
  const auto size = std::filesystem::file_size(path, error);
  if (error) return result;
  result.bytes.resize(size);
  if (std::fread(result.bytes.data(), 1, size, file.get()) != size) return result;
  result.status = FileReadStatus::Ok;
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
