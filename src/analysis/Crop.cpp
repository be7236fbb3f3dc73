#include "analysis/Crop.h"

#include <algorithm>
#include <stdexcept>

namespace {

// The four sample channels, in the order CropUndo keeps them.
std::array<double*, 4> Channels(const Recording& r) {
  return {r.CodesX.get(), r.CodesY.get(), r.CodesZ.get(), r.Temperature.get()};
}

std::vector<double> Copy(const double* values, std::size_t count) {
  return std::vector<double>(values, values + count);
}

}  // namespace

void CropRecording(Recording& recording, CropRange range) {
  if (range.Start > range.Stop || range.Stop > recording.SampleCount) {
    throw std::invalid_argument("crop range outside the recording");
  }
  // Kept samples never move to a higher index, so a forward copy inside each
  // array is safe; a range at index 0 has nothing to move.
  if (range.Start > 0) {
    for (double* data : Channels(recording)) std::copy(data + range.Start, data + range.Stop, data);
  }
  recording.SampleCount = range.Stop - range.Start;
}

CropUndo SaveForUndo(const Recording& recording, CropRange range) {
  CropUndo undo{range, recording.SampleCount, {}, {}, {}};
  const std::uint32_t kept = range.Stop - range.Start;
  // The move writes [0, kept); of that only [0, Start) held samples that
  // are not moved along.
  const std::uint32_t covered = range.Start > 0 ? std::min(range.Start, kept) : 0;
  const auto channels = Channels(recording);
  for (std::size_t c = 0; c < channels.size(); ++c) undo.Covered[c] = Copy(channels[c], covered);
  undo.LinSpeed = Copy(recording.LinSpeedX.get(), kept + 1);
  undo.VibroSpeed = Copy(recording.VibroSpeedX.get(), kept + 1);
  return undo;
}

void UndoCrop(Recording& recording, const CropUndo& undo) {
  const CropRange range = undo.Kept;
  const std::uint32_t kept = range.Stop - range.Start;
  const auto channels = Channels(recording);
  for (std::size_t c = 0; c < channels.size(); ++c) {
    double* data = channels[c];
    // Backwards, as the kept samples move to higher indices.
    if (range.Start > 0) std::copy_backward(data, data + kept, data + range.Stop);
    std::copy(undo.Covered[c].begin(), undo.Covered[c].end(), data);
  }
  std::copy(undo.LinSpeed.begin(), undo.LinSpeed.end(), recording.LinSpeedX.get());
  std::copy(undo.VibroSpeed.begin(), undo.VibroSpeed.end(), recording.VibroSpeedX.get());
  recording.SampleCount = undo.SampleCount;
}
