// libFuzzer target for the two readers of files a user hands the program:
// any input must be decoded or turned away without a memory fault, and an
// accepted logger file holds only what a 16-bit logger can produce.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "files/CodesTextFile.h"
#include "files/LoggerFile.h"
#include "text/NumberText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static Recording recording(3000);
  const std::span<const std::uint8_t> bytes(data, size);
  if (DecodeLoggerFile(bytes, recording).status == LoggerImportStatus::Loaded) {
    for (std::uint32_t i = 0; i < recording.SampleCount; ++i) {
      for (const double code : {recording.CodesX[i], recording.CodesY[i], recording.CodesZ[i]}) {
        if (!(code >= 0 && code <= 65535)) __builtin_trap();
      }
    }
  }
  try {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (ReadCodesText(text, recording).status == CodesTextStatus::Loaded) {
      for (std::uint32_t i = 0; i < recording.SampleCount; ++i) {
        if (!std::isfinite(recording.CodesX[i])) __builtin_trap();
      }
    }
  } catch (const ConversionError&) {
    // a field that is not a number: the file is turned away
  }
  return 0;
}
