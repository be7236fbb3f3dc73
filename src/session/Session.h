// The program's working state and its verbs: the recording a file gave, what
// derives from it, the settings the user chose, the selected interval and
// the name of the file. The window and torvik-cli each hold one and call its
// verbs; nothing else decodes a file or derives the speeds.
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "analysis/Crop.h"
#include "analysis/DerivedData.h"
#include "analysis/Drops.h"
#include "analysis/Interval.h"
#include "analysis/IntervalDataExport.h"
#include "analysis/IntervalParams.h"
#include "analysis/ShockEvents.h"
#include "analysis/Spectra.h"
#include "analysis/VibroSpeed.h"
#include "model/AnalysisSettings.h"
#include "model/Interval.h"
#include "model/Recording.h"

struct LoggerImportResult;

// How a load ended. A refused file leaves the session exactly as it was.
enum class LoadStatus {
  Loaded,
  NotFound,
  CannotOpen,   // also anything that is not a regular file
  Empty,        // a logger file without bytes
  WrongFormat,  // not a recording of its kind
  NotANumber,   // a codes field that is not a usable number
};

struct LoadResult {
  LoadStatus Status = LoadStatus::Loaded;
  // Why the file was refused, or, for a loaded one, the notice that it held
  // more than the recording takes (empty when there is nothing to say).
  std::string Message;
  bool Loaded() const { return Status == LoadStatus::Loaded; }
};

class Session {
 public:
  explicit Session(int capacity = Recording::kFullCapacity);
  ~Session();
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  const Recording& Data() const { return *recording_; }
  // For tools and tests that write samples in place; SamplesWritten then
  // derives the speeds and forgets the crops as a load does.
  Recording& Data() { return *recording_; }
  // Whoever draws the arrays keeps them alive with this.
  std::shared_ptr<const Recording> SharedData() const { return recording_; }
  DerivedData& Derived() { return *derived_; }
  const AnalysisSettings& Settings() const { return settings_; }
  // The file the recording came from, as the bytes given; empty before a load.
  const std::string& FileName() const { return fileName_; }

  // Loads replace the recording and select it whole (the codes file sets
  // only the stop); the speeds are derived as each kind of file needs.
  LoadResult LoadLoggerFile(const std::string& path);
  LoadResult LoadLoggerBytes(std::span<const std::uint8_t> bytes, const std::string& name);
  LoadResult LoadCodesFile(const std::string& path);
  // A name ending in ".dat" (any case) is a logger file, any other a codes file.
  LoadResult LoadFile(const std::string& path);
  void SamplesWritten();
  void SaveCodesFile(const std::string& path) const;

  const SelectedInterval& Interval() const { return interval_; }
  void SelectInterval(const SelectedInterval& interval) { interval_ = interval; }
  // The interval between the two cursors' times, as the tool row shows them.
  void SelectCursorTimes(double startSeconds, double stopSeconds);
  // The samples the parameters and every analysis measure; nothing for an
  // empty recording.
  std::optional<ParamIntervalChoice> MeasuredInterval() const;

  void SetBoundLevel(double boundLevel) { settings_.BoundLevel = boundLevel; }
  void SetCodesMode(bool on) { settings_.CodesMode = on; }
  void SetInverted(bool on) { settings_.Inverted = on; }
  // A typed cut-off: the one it gives now applies (see ChooseCutoff).
  CutoffChoice SetCutoff(long double typed);

  // Keeps the selected stretch and starts the interval at it; false when
  // there is nothing to keep (an empty recording), which changes nothing.
  bool Crop();
  // Gives back the recording, its derived data and the interval as they were
  // before the last crop, for up to kCropUndoDepth crops in turn; false when
  // there is none to undo. A load forgets them.
  bool UndoCrop();
  static constexpr std::size_t kCropUndoDepth = 5;
  std::size_t CropUndoCount() const { return cropHistory_.size(); }
  // Integrates the linear speed again and removes its drift.
  void CorrectSpeed();
  // Brings the vibration speed up to date with the linear speed and the
  // cut-off; a pass runs only when one of them changed.
  void RefreshVibroSpeed();

  // The analyses of an interval of the recording (MeasuredInterval gives the
  // selected one). The parameters follow the settings; the vibration-speed
  // row reads the vibration speed of the current linear speed and cut-off.
  IntervalParamsResult Params(SampleInterval interval,
                              const std::array<bool, kParamRowCount>& shown, bool tracking);
  ShockEventsResult Events(SampleInterval interval, const ShockSettings& settings) const;
  std::vector<Drop> Drops(SampleInterval interval, const DropSettings& settings) const;
  IntervalPsdResult Psd(SampleInterval interval, const PsdOptions& options) const;
  IntervalSrsResult Srs(SampleInterval interval, const SrsOptions& options) const;

  // The samples of `interval` in physical units as a file, the vibration
  // speed brought up to date first; the workbook's "Сведения" name the file,
  // the cut-off, `programVersion` and `date`. Throws FileWriteError with the
  // user's text.
  void ExportInterval(const std::string& path, DataFileFormat format, SampleInterval interval,
                      AccelerationUnit unit, const std::string& programVersion,
                      const std::string& date);

 private:
  LoadResult LoggerDecoded(const LoggerImportResult& result, const std::string& name);

  struct CropStep {
    CropUndo Samples;
    DerivedData::Provenance Derived;
    SelectedInterval Interval;
  };

  std::shared_ptr<Recording> recording_;
  std::unique_ptr<DerivedData> derived_;
  AnalysisSettings settings_;
  SelectedInterval interval_{0.0, 1000.0};  // "0" … "1" s before anything is loaded
  std::string fileName_;
  std::deque<CropStep> cropHistory_;  // the latest last
};
