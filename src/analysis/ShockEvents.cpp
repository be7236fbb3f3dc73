#include "analysis/ShockEvents.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <utility>

namespace {

int SignOf(double v) {
  return (v > 0) - (v < 0);
}

// The trapezoid integral of the channel from the interval's start, summed
// with compensation: a velocity change is the difference of two readings, and
// far into a long recording the plain sum would have lost a short shock's
// digits.
struct RunningIntegral {
  double Sum = 0.0;
  double Compensation = 0.0;

  void Add(double term) {
    const double total = Sum + term;
    Compensation += std::fabs(Sum) >= std::fabs(term) ? (Sum - total) + term : (term - total) + Sum;
    Sum = total;
  }
  friend double operator-(const RunningIntegral& a, const RunningIntegral& b) {
    return (a.Sum - b.Sum) + (a.Compensation - b.Compensation);
  }
};

// Finds the events of one channel in a single forward pass. On an axis the
// velocity change needs the end of the same-signed stretch after an event,
// which may lie beyond the start of the next events; such events wait as
// pending until the stretch breaks.
class ChannelScan {
 public:
  ChannelScan(ShockChannel channel, const ShockSettings& settings, std::vector<ShockEvent>& out)
      : integrates_(channel != ShockChannel::R), settings_(settings), out_(out) {
    current_.Channel = channel;
  }

  void Push(std::uint32_t i, double v) {
    const int sign = SignOf(v);
    const RunningIntegral before = integral_;
    if (started_) integral_.Add((previous_ + v) / 2 * Recording::TimeStep);
    if (!pending_.empty() && sign != pendingSign_) ResolvePending(before);
    if (open_ && i > current_.Last) FollowTrail(i, sign);

    const bool above = integrates_ ? std::fabs(v) >= settings_.Threshold : v >= settings_.Threshold;
    if (above) {
      // A run goes on through consecutive samples whatever the gap allows.
      const std::uint32_t quiet = open_ ? i - current_.Last - 1 : 0;
      if (open_ && (quiet == 0 || quiet < settings_.Gap)) {
        Extend(i, v);
      } else {
        if (open_) Close();
        Open(i, v);
      }
    }
    if (!started_ || sign != stretchSign_) {
      stretchSign_ = sign;
      stretchStart_ = integral_;
    }
    previous_ = v;
    started_ = true;
  }

  void Finish() {
    if (open_) Close();
    if (!pending_.empty()) ResolvePending(integral_);
  }

 private:
  void Open(std::uint32_t i, double v) {
    open_ = true;
    current_.First = current_.Last = current_.PeakIndex = i;
    current_.Peak = v;
    atFirst_ = atLast_ = integral_;
    // The stretch that holds the sample before the event, if any.
    signBefore_ = started_ ? stretchSign_ : 0;
    stretchBefore_ = stretchStart_;
    trailStarted_ = false;
  }

  void Extend(std::uint32_t i, double v) {
    current_.Last = i;
    atLast_ = integral_;
    if (std::fabs(v) > std::fabs(current_.Peak)) {
      current_.Peak = v;
      current_.PeakIndex = i;
    }
    trailStarted_ = false;
  }

  // The samples after the event's last one that share one sign.
  void FollowTrail(std::uint32_t i, int sign) {
    if (i == current_.Last + 1) {
      trailStarted_ = true;
      trailSign_ = sign;
      trailOpen_ = sign != 0;
      atTrailEnd_ = integral_;
    } else if (trailOpen_ && sign == trailSign_) {
      atTrailEnd_ = integral_;
    } else {
      trailOpen_ = false;
    }
  }

  void Close() {
    open_ = false;
    current_.DeltaV.reset();
    if (!integrates_) {
      out_.push_back(current_);
      return;
    }
    const int peakSign = SignOf(current_.Peak);
    const RunningIntegral atStart = signBefore_ == peakSign ? stretchBefore_ : atFirst_;
    if (!trailStarted_ || trailSign_ != peakSign) {
      current_.DeltaV = atLast_ - atStart;
    } else if (!trailOpen_) {
      current_.DeltaV = atTrailEnd_ - atStart;
    } else {
      pendingSign_ = peakSign;
      pending_.emplace_back(out_.size(), atStart);
    }
    out_.push_back(current_);
  }

  void ResolvePending(const RunningIntegral& atEnd) {
    for (const auto& [index, atStart] : pending_) out_[index].DeltaV = atEnd - atStart;
    pending_.clear();
  }

  const bool integrates_;
  const ShockSettings settings_;
  std::vector<ShockEvent>& out_;

  bool started_ = false;
  double previous_ = 0.0;
  RunningIntegral integral_;
  int stretchSign_ = 0;  // the sign of the samples since stretchStart_
  RunningIntegral stretchStart_;

  bool open_ = false;
  ShockEvent current_;
  RunningIntegral atFirst_, atLast_;
  int signBefore_ = 0;
  RunningIntegral stretchBefore_;
  bool trailStarted_ = false;
  bool trailOpen_ = false;
  int trailSign_ = 0;
  RunningIntegral atTrailEnd_;

  int pendingSign_ = 0;
  std::vector<std::pair<std::size_t, RunningIntegral>> pending_;
};

std::array<double, 3> AxisMeans(const Recording& r, SampleInterval interval) {
  std::array<double, 3> sums{};
  for (std::uint32_t i = interval.Start; i <= interval.Stop; ++i) {
    sums[0] += Acceleration(r.CodesX[i], r.Calibration[AxisX]);
    sums[1] += Acceleration(r.CodesY[i], r.Calibration[AxisY]);
    sums[2] += Acceleration(r.CodesZ[i], r.Calibration[AxisZ]);
  }
  const double n = static_cast<double>(interval.Stop - interval.Start) + 1;
  return {sums[0] / n, sums[1] / n, sums[2] / n};
}

}  // namespace

const char* ShockChannelName(ShockChannel channel) {
  static const char* const names[kShockChannelCount] = {"X", "Y", "Z", "R"};
  return names[static_cast<int>(channel)];
}

ShockEventsResult FindShockEvents(const Recording& recording, SampleInterval interval,
                                  const ShockSettings& settings) {
  if (!(settings.Threshold > 0) || !std::isfinite(settings.Threshold)) {
    throw std::invalid_argument("the shock threshold must be a positive number");
  }
  if (interval.Start > interval.Stop || interval.Stop >= recording.SampleCount) {
    throw std::invalid_argument("the shock interval lies outside the recording");
  }
  ShockEventsResult result;
  const std::array<double, 3> means = AxisMeans(recording, interval);
  const std::array<const double*, 3> codes = {recording.CodesX.get(), recording.CodesY.get(),
                                              recording.CodesZ.get()};
  for (int axis = 0; axis < 3; ++axis) {
    ChannelScan scan(static_cast<ShockChannel>(axis), settings, result.Events);
    const AxisCalibration& c = recording.Calibration[axis];
    for (std::uint32_t i = interval.Start; i <= interval.Stop; ++i) {
      scan.Push(i, Acceleration(codes[axis][i], c) - means[axis]);
    }
    scan.Finish();
  }
  ChannelScan resultant(ShockChannel::R, settings, result.Events);
  for (std::uint32_t i = interval.Start; i <= interval.Stop; ++i) {
    double squares = 0.0;
    for (int axis = 0; axis < 3; ++axis) {
      const double d = Acceleration(codes[axis][i], recording.Calibration[axis]) - means[axis];
      squares += d * d;
    }
    resultant.Push(i, std::sqrt(squares));
  }
  resultant.Finish();

  // Each channel's events are already in order and the channels follow one
  // another, so a stable sort by first sample keeps X, Y, Z, R on a tie.
  std::stable_sort(result.Events.begin(), result.Events.end(),
                   [](const ShockEvent& a, const ShockEvent& b) { return a.First < b.First; });
  for (const ShockEvent& event : result.Events) ++result.Counts[static_cast<int>(event.Channel)];
  return result;
}
