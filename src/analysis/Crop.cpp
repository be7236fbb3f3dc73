#include "analysis/Crop.h"

#include <algorithm>
#include <initializer_list>
#include <stdexcept>

void CropRecording(Recording& recording, CropRange range) {
  if (range.Start > range.Stop || range.Stop > recording.SampleCount) {
    throw std::invalid_argument("crop range outside the recording");
  }
  // Kept samples never move to a higher index, so a forward copy inside each
  // array is safe; a range at index 0 has nothing to move.
  if (range.Start > 0) {
    for (Recording::Array* channel :
         {&recording.CodesX, &recording.CodesY, &recording.CodesZ, &recording.Temperature}) {
      double* data = channel->get();
      std::copy(data + range.Start, data + range.Stop, data);
    }
  }
  recording.SampleCount = range.Stop - range.Start;
}
