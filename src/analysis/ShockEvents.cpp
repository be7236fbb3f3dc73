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
    // The exact rounding error of the addition, without a branch.
    const double total = Sum + term;
    const double termPart = total - Sum;
    Compensation += (Sum - (total - termPart)) + (term - termPart);
    Sum = total;
  }
  friend double operator-(const RunningIntegral& a, const RunningIntegral& b) {
    return (a.Sum - b.Sum) + (a.Compensation - b.Compensation);
  }
};

// One sample of a channel with the integral up to it.
struct ScanPoint {
  std::uint32_t Index = 0;
  double Value = 0.0;
  int Sign = 0;
  RunningIntegral Integral;
};

// The events of one channel, fed by the pass below with the samples that
// matter: those beyond the threshold and those after an event. On an axis
// the velocity change needs the end of the same-signed stretch after an
// event, which may lie beyond the start of the next events; such events wait
// as pending until the stretch breaks.
class ChannelEvents {
 public:
  ChannelEvents(ShockChannel channel, const ShockSettings& settings, std::vector<ShockEvent>& out)
      : integrates_(channel != ShockChannel::R), settings_(settings), out_(out) {
    current_.Channel = channel;
  }

  bool Busy() const { return open_ || !pending_.empty(); }

  // Every sample while Busy(), before Above(); `before` is the integral up
  // to the previous sample.
  void Follow(ScanPoint p, RunningIntegral before) {
    if (!pending_.empty() && p.Sign != pendingSign_) ResolvePending(before);
    if (!open_ || p.Index <= current_.Last) return;
    FollowTrail(p);
    // Past the gap no later run can join: close now, so that quiet blocks
    // after the event take the quick way.
    if (p.Index - current_.Last - 1 >= std::max(settings_.Gap, 1u)) Close();
  }

  // Whether a sample beyond the threshold at `index` starts a new event.
  bool Opens(std::uint32_t index) const {
    // A run goes on through consecutive samples whatever the gap allows.
    const std::uint32_t quiet = open_ ? index - current_.Last - 1 : 0;
    return !open_ || (quiet != 0 && quiet >= settings_.Gap);
  }

  // A sample beyond the threshold; `stretchSign` and `stretchStart` (the
  // integral at its start) describe the stretch that holds the sample before
  // it (sign 0: none).
  void Above(ScanPoint p, int stretchSign, RunningIntegral stretchStart) {
    if (!Opens(p.Index)) {
      Extend(p);
      return;
    }
    if (open_) Close();
    open_ = true;
    current_.First = current_.Last = current_.PeakIndex = p.Index;
    current_.Peak = p.Value;
    atFirst_ = atLast_ = p.Integral;
    signBefore_ = stretchSign;
    stretchBefore_ = stretchStart;
    trailStarted_ = false;
  }

  void Finish(const RunningIntegral& atEnd) {
    if (open_) Close();
    if (!pending_.empty()) ResolvePending(atEnd);
  }

 private:
  void Extend(const ScanPoint& p) {
    current_.Last = p.Index;
    atLast_ = p.Integral;
    if (std::fabs(p.Value) > std::fabs(current_.Peak)) {
      current_.Peak = p.Value;
      current_.PeakIndex = p.Index;
    }
    trailStarted_ = false;
  }

  // The samples after the event's last one that share one sign.
  void FollowTrail(const ScanPoint& p) {
    if (p.Index == current_.Last + 1) {
      trailStarted_ = true;
      trailSign_ = p.Sign;
      trailOpen_ = p.Sign != 0;
      atTrailEnd_ = p.Integral;
    } else if (trailOpen_ && p.Sign == trailSign_) {
      atTrailEnd_ = p.Integral;
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

// The trapezoid integral of a quiet block, its samples' largest value as
// compared with the threshold, and the last sample's value.
struct QuietBlock {
  double Integral = 0.0;
  double Largest = 0.0;
  double Last = 0.0;
};

// One forward pass over a channel, block by block. A block with nothing
// beyond the threshold and no event under way only adds to the integral and
// moves the stretch: a tight loop of independent operations. Other blocks go
// sample by sample; the integral at the start of a stretch is worked out,
// once per stretch, only when an event opens in it.
template <typename Values>
void ScanChannel(ShockChannel channel, SampleInterval interval, const ShockSettings& settings,
                 const Values& valueAt, std::vector<ShockEvent>& out) {
  constexpr std::uint32_t kBlock = 256;
  constexpr int kNoStretch = 2;  // no sign: the sample before the interval
  ChannelEvents events(channel, settings, out);
  RunningIntegral integral;
  double previous = 0.0;
  double step = 0.0;  // no trapezoid ends at the first sample
  int stretchSign = kNoStretch;
  std::uint32_t stretchStart = interval.Start;
  std::uint32_t knownStretch = interval.Stop + 1;  // none yet
  RunningIntegral atKnownStretch;

  auto sample = [&](std::uint32_t i) {
    const RunningIntegral before = integral;
    const double value = valueAt(i);
    const int sign = SignOf(value);
    integral.Add((previous + value) / 2 * step);
    step = Recording::TimeStep;
    if (events.Busy()) events.Follow(ScanPoint{i, value, sign, integral}, before);
    if ((Values::kIntegrates ? std::fabs(value) : value) >= settings.Threshold) {
      const bool stretchBefore = stretchSign != kNoStretch && stretchSign != 0;
      if (stretchBefore && events.Opens(i) && knownStretch != stretchStart) {
        atKnownStretch = integral;
        for (std::uint32_t j = i; j > stretchStart; --j) {
          atKnownStretch.Add(-(valueAt(j - 1) + valueAt(j)) / 2 * Recording::TimeStep);
        }
        knownStretch = stretchStart;
      }
      events.Above(ScanPoint{i, value, sign, integral}, stretchBefore ? stretchSign : 0,
                   atKnownStretch);
    }
    stretchStart = sign != stretchSign ? i : stretchStart;
    stretchSign = sign;
    previous = value;
  };
  auto quiet = [&](std::uint32_t first, std::uint32_t last) {
    QuietBlock block;
    if constexpr (Values::kIntegrates) {
      double before = previous;
      for (std::uint32_t i = first; i <= last; ++i) {
        const double value = valueAt(i);
        block.Largest = std::max(block.Largest, std::fabs(value));
        block.Integral += (before + value) / 2 * Recording::TimeStep;
        before = value;
      }
      block.Last = before;
    } else {
      // The largest square, and one root: the root keeps the order.
      double squares = 0.0;
      for (std::uint32_t i = first; i <= last; ++i) squares = std::max(squares, valueAt.Squares(i));
      block.Largest = std::sqrt(squares);
      block.Last = valueAt(last);
    }
    return block;
  };

  sample(interval.Start);
  for (std::uint32_t first = interval.Start + 1; first <= interval.Stop; first += kBlock) {
    const std::uint32_t last = std::min(interval.Stop, first + (kBlock - 1));
    if (!events.Busy()) {
      const QuietBlock block = quiet(first, last);
      if (block.Largest < settings.Threshold) {
        previous = block.Last;
        if constexpr (Values::kIntegrates) {
          integral.Add(block.Integral);
          const int sign = SignOf(block.Last);
          std::uint32_t j = last;
          while (j > first && SignOf(valueAt(j - 1)) == sign) --j;
          if (j > first || sign != stretchSign) stretchStart = j;
          stretchSign = sign;
        }
        continue;
      }
    }
    for (std::uint32_t i = first; i <= last; ++i) sample(i);
  }
  events.Finish(integral);
}

// The calibrated, mean-removed acceleration of one axis.
struct AxisValues {
  static constexpr bool kIntegrates = true;
  const double* Codes;
  AxisCalibration Calibration;
  double Mean;
  double operator()(std::uint32_t i) const { return Acceleration(Codes[i], Calibration) - Mean; }
};

// The magnitude of the three mean-removed accelerations.
struct ResultantValues {
  static constexpr bool kIntegrates = false;
  std::array<AxisValues, 3> Axes;
  double Squares(std::uint32_t i) const {
    const double x = Axes[0](i), y = Axes[1](i), z = Axes[2](i);
    return x * x + y * y + z * z;
  }
  double operator()(std::uint32_t i) const { return std::sqrt(Squares(i)); }
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
  const ResultantValues resultant{
      {AxisValues{recording.CodesX.get(), recording.Calibration[AxisX], means[0]},
       AxisValues{recording.CodesY.get(), recording.Calibration[AxisY], means[1]},
       AxisValues{recording.CodesZ.get(), recording.Calibration[AxisZ], means[2]}}};
  for (int axis = 0; axis < 3; ++axis) {
    ScanChannel(static_cast<ShockChannel>(axis), interval, settings, resultant.Axes[axis],
                result.Events);
  }
  ScanChannel(ShockChannel::R, interval, settings, resultant, result.Events);

  // Each channel's events are already in order and the channels follow one
  // another, so a stable sort by first sample keeps X, Y, Z, R on a tie.
  std::stable_sort(result.Events.begin(), result.Events.end(),
                   [](const ShockEvent& a, const ShockEvent& b) { return a.First < b.First; });
  for (const ShockEvent& event : result.Events) ++result.Counts[static_cast<int>(event.Channel)];
  return result;
}
