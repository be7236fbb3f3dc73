// Shortening the recording to a selected stretch, in place.
#pragma once

#include "analysis/Interval.h"
#include "model/Recording.h"

// Moves the samples [range.Start, range.Stop) of the three code channels and
// the temperature to the front and makes their count the new SampleCount;
// the speeds follow through the owner's crop step. A range that
// does not lie within the recording throws std::invalid_argument and changes
// nothing.
void CropRecording(Recording& recording, CropRange range);
