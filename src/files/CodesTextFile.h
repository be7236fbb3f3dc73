// The codes text file: one line per sample, "X;Y;Z" ADC codes, CR LF line
// ends, no header. Written by the save command and read back by the open.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "files/FileAccess.h"
#include "model/Recording.h"

enum class CodesTextStatus {
  Loaded,
  TooFewLines,  // a recording needs at least 7 lines
};

struct CodesTextResult {
  CodesTextStatus status = CodesTextStatus::TooFewLines;
  std::uint64_t linesInFile = 0;
  std::uint64_t loadedSamples = 0;
  bool truncated() const { return linesInFile > loadedSamples; }
};

// Reads the text into the recording: codes from their fields (at most 15
// characters each; an empty field leaves 0) and temperature 0; the speeds
// follow through the owner's step after a load. Every field is checked
// before anything is written: a field that is not a number (or whose
// magnitude is 1e15 or more) throws ConversionError and a file of fewer than
// 7 lines is refused, both leaving the recording as it was. Lines beyond the
// capacity are only counted.
CodesTextResult ReadCodesText(std::string_view text, Recording& recording);

struct CodesTextFileRead {
  FileReadStatus status = FileReadStatus::CannotOpen;
  CodesTextResult result;  // when the file could be read
};

// The same for a file, read piece by piece: memory stays bounded whatever
// its size. Only a regular file is read.
CodesTextFileRead ReadCodesTextFile(const std::string& path, Recording& recording);

// The whole file as ReadCodesText expects it.
std::string CodesText(const Recording& recording);

// Writes the file through the file writer; throws FileWriteError when it
// cannot be written, leaving any old file intact.
void WriteCodesTextFile(const std::string& path, const Recording& recording);

// The text the user is shown for an outcome of the open (empty: none).
std::string CodesTextMessage(const CodesTextResult& result);
