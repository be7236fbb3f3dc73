// Shortening the recording to a selected stretch, in place, and undoing it.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "analysis/Interval.h"
#include "model/Recording.h"

// Moves the samples [range.Start, range.Stop) of the three code channels and
// the temperature to the front and makes their count the new SampleCount;
// the speeds follow through the owner's crop step. A range that
// does not lie within the recording throws std::invalid_argument and changes
// nothing.
void CropRecording(Recording& recording, CropRange range);

// What a crop overwrites and nothing else keeps: the samples in front of the
// kept ones that the move covers, and the speeds up to the one after the
// last kept sample (the crop's own integration and every later pass write
// no further). The kept samples themselves only move, so an undo moves them
// back; the dropped ones behind them are never written again.
struct CropUndo {
  CropRange Kept;
  std::uint32_t SampleCount = 0;               // before the crop
  std::array<std::vector<double>, 4> Covered;  // CodesX, CodesY, CodesZ, Temperature
  std::vector<double> LinSpeed;
  std::vector<double> VibroSpeed;
};

// Taken just before CropRecording(recording, range).
CropUndo SaveForUndo(const Recording& recording, CropRange range);
// Gives the recording back its samples, speeds and count from before the
// crop `undo` was saved for, as long as nothing but later crops (undone
// first) and passes over the kept samples have written it since.
void UndoCrop(Recording& recording, const CropUndo& undo);
