#include "session/Session.h"

#include "files/CodesTextFile.h"
#include "files/FileAccess.h"
#include "files/LoggerFile.h"
#include "text/NumberText.h"

namespace {

LoadResult Unreadable(FileReadStatus status) {
  return {status == FileReadStatus::NotFound ? LoadStatus::NotFound : LoadStatus::CannotOpen,
          ImportMessage(status)};
}

}  // namespace

Session::Session(int capacity)
    : recording_(std::make_shared<Recording>(capacity)),
      derived_(std::make_unique<DerivedData>(*recording_)) {}

Session::~Session() = default;

LoadResult Session::LoadLoggerFile(const std::string& path) {
  const LoggerFileRead file = ReadLoggerFile(path, recording_->Capacity);
  if (file.status != FileReadStatus::Ok) return Unreadable(file.status);
  return LoggerDecoded(DecodeLoggerFile(file.View(), *recording_), path);
}

LoadResult Session::LoadLoggerBytes(std::span<const std::uint8_t> bytes, const std::string& name) {
  return LoggerDecoded(DecodeLoggerFile(bytes, *recording_), name);
}

LoadResult Session::LoggerDecoded(const LoggerImportResult& result, const std::string& name) {
  if (result.status == LoggerImportStatus::Empty) return {LoadStatus::Empty, ImportMessage(result)};
  if (result.status != LoggerImportStatus::Loaded) {
    return {LoadStatus::WrongFormat, ImportMessage(result)};
  }
  SamplesWritten();
  fileName_ = name;
  interval_ = {0.0, recording_->SampleCount - 1.0};
  return {LoadStatus::Loaded, ImportMessage(result)};
}

// Every field is checked before the recording changes, so a refused file
// leaves everything as it was.
LoadResult Session::LoadCodesFile(const std::string& path) {
  CodesTextFileRead read;
  try {
    read = ReadCodesTextFile(path, *recording_);
  } catch (const ConversionError& error) {
    return {LoadStatus::NotANumber, error.what()};
  }
  if (read.status != FileReadStatus::Ok) return Unreadable(read.status);
  if (read.result.status != CodesTextStatus::Loaded) {
    return {LoadStatus::WrongFormat, CodesTextMessage(read.result)};
  }
  SamplesWritten();
  fileName_ = path;
  interval_.Stop = recording_->SampleCount - 1.0;
  return {LoadStatus::Loaded, CodesTextMessage(read.result)};
}

LoadResult Session::LoadFile(const std::string& path) {
  return EndsWithNoCase(path, ".dat") ? LoadLoggerFile(path) : LoadCodesFile(path);
}

// New samples: the speeds start again and no crop of the old ones is undone.
void Session::SamplesWritten() {
  derived_->SamplesLoaded();
  cropHistory_.clear();
}

void Session::SaveCodesFile(const std::string& path) const {
  WriteCodesTextFile(path, *recording_);
}

void Session::SelectCursorTimes(double startSeconds, double stopSeconds) {
  interval_ = {CursorSamplePosition(startSeconds), CursorSamplePosition(stopSeconds)};
}

std::optional<ParamIntervalChoice> Session::MeasuredInterval() const {
  return ChooseParamInterval(interval_, recording_->SampleCount);
}

CutoffChoice Session::SetCutoff(long double typed) {
  const CutoffChoice choice = ChooseCutoff(typed);
  settings_.Cutoff = choice.Cutoff;
  derived_->ApplyCutoff(choice.Cutoff);
  return choice;
}

bool Session::Crop() {
  const std::optional<CropRange> range = CropInterval(interval_, recording_->SampleCount);
  if (!range) return false;
  CropStep step{SaveForUndo(*recording_, *range), derived_->Saved(), interval_};
  CropRecording(*recording_, *range);
  derived_->SamplesCropped();
  interval_.Start = 0.0;
  cropHistory_.push_back(std::move(step));
  if (cropHistory_.size() > kCropUndoDepth) cropHistory_.pop_front();
  return true;
}

bool Session::UndoCrop() {
  if (cropHistory_.empty()) return false;
  const CropStep& step = cropHistory_.back();
  ::UndoCrop(*recording_, step.Samples);
  derived_->SpeedsRestored(step.Derived);
  interval_ = step.Interval;
  cropHistory_.pop_back();
  return true;
}

void Session::CorrectSpeed() {
  derived_->SpeedCorrected();
}

void Session::RefreshVibroSpeed() {
  derived_->RefreshVibroSpeed(settings_.Cutoff);
}

IntervalParamsResult Session::Params(SampleInterval interval,
                                     const std::array<bool, kParamRowCount>& shown, bool tracking) {
  if (shown[kVibroSpeedRow]) RefreshVibroSpeed();
  return CalculateIntervalParams(*recording_, interval, {shown, tracking, settings_});
}

ShockEventsResult Session::Events(SampleInterval interval, const ShockSettings& settings) const {
  return FindShockEvents(*recording_, interval, settings);
}

std::vector<Drop> Session::Drops(SampleInterval interval, const DropSettings& settings) const {
  return FindDrops(*recording_, interval, settings);
}

IntervalPsdResult Session::Psd(SampleInterval interval, const PsdOptions& options) const {
  return IntervalPsd(*recording_, interval, options);
}

IntervalSrsResult Session::Srs(SampleInterval interval, const SrsOptions& options) const {
  return IntervalSrs(*recording_, interval, options, SpectrumThreads());
}

void Session::ExportInterval(const std::string& path, DataFileFormat format,
                             SampleInterval interval, AccelerationUnit unit,
                             const std::string& programVersion, const std::string& date) {
  RefreshVibroSpeed();
  ExportIntervalData(path, format, *recording_, interval, unit,
                     {fileName_, settings_.Cutoff, programVersion, date});
}
