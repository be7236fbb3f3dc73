#include "analysis/ShockEvents.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "analysis/Baseline.h"

namespace {

int SignOf(double v) {
  return (v > 0) - (v < 0);
}

// The run of one sign the pass is in on an axis (a zero is a run of its own).
struct Stretch {
  int Sign = 0;
  double FirstValue = 0.0;
  double Sum = 0.0;              // Σ (d[i] + d[i+1]) / 2 from its first sample to the current one
  std::optional<double> Before;  // the value before its first sample; none at the recording's start
};

// The velocity change of a pulse whose last value is `last`, followed by
// `after` (none: the recording ends there): the trapezoids plus, at each end,
// the triangle out to where the line through the neighbours crosses zero.
double PulseVelocityChange(const Stretch& pulse, double last, std::optional<double> after) {
  double sum = pulse.Sum;
  if (pulse.Before) {
    sum += pulse.FirstValue * pulse.FirstValue / (2 * (pulse.FirstValue - *pulse.Before));
  }
  if (after) sum += last * last / (2 * (last - *after));
  return sum * Recording::TimeStep;
}

constexpr std::uint32_t kBlock = 256;

// The largest magnitude of each axis in each of its quiet blocks (HUGE_VAL
// where a block was read sample by sample). Where their squares add up to
// less than the threshold's, no sample of the resultant reaches it: rounding
// keeps the order of squares and sums, so the bound holds to the last bit.
struct QuietBounds {
  std::array<std::vector<double>, 3> Largest;
};

// One forward pass over a channel's interval. Quiet 256-sample blocks
// (nothing at the threshold, no event under way) take a tight loop. On an
// axis the pass follows the one-signed stretch it is in, so that an event's
// velocity change is known when the stretch of its peak ends; a closed event
// whose stretch goes on waits as pending, and the pass follows the stretch
// past the interval's end if it must.
template <typename Values>
class ChannelScan {
 public:
  ChannelScan(ShockChannel channel, const ShockSettings& settings, const Values& values,
              QuietBounds& bounds, std::vector<ShockEvent>& out)
      : settings_(settings), values_(values), bounds_(bounds), out_(out) {
    current_.Channel = channel;
  }

  void Run(SampleInterval interval, std::uint32_t sampleCount) {
    Begin(interval.First);
    for (std::uint32_t first = interval.First + 1; first <= interval.Last; first += kBlock) {
      const std::uint32_t last = std::min(interval.Last, first + (kBlock - 1));
      const std::size_t block = (first - interval.First - 1) / kBlock;
      if (!Busy() && PassQuietBlock(first, last, block)) continue;
      for (std::uint32_t i = first; i <= last; ++i) Sample(i);
    }
    if (open_) Close();
    for (std::uint32_t i = interval.Last + 1; !pending_.empty() && i < sampleCount; ++i) Follow(i);
    if (!pending_.empty()) EndStretch(std::nullopt);
  }

 private:
  static constexpr bool kAxis = Values::kIntegrates;

  bool Busy() const { return open_ || !pending_.empty(); }

  // The first sample, and on an axis the stretch that holds it, however far
  // back into the recording it reaches.
  void Begin(std::uint32_t start) {
    const double value = values_(start);
    if constexpr (kAxis) {
      const int sign = SignOf(value);
      std::uint32_t s = start;
      double sum = 0.0;
      while (sign != 0 && s > 0 && SignOf(values_(s - 1)) == sign) {
        sum += (values_(s - 1) + values_(s)) / 2;
        --s;
      }
      stretch_ = {sign, values_(s), sum, std::nullopt};
      if (s > 0) stretch_.Before = values_(s - 1);
      previous_ = value;
    }
    if (Reaches(value)) Above(start, value);
  }

  void Sample(std::uint32_t i) {
    double value;
    if constexpr (kAxis) {
      value = Follow(i);
    } else {
      value = values_(i);
    }
    // Past the gap no later run can join: close now, so that quiet blocks
    // after the event take the quick way.
    if (open_ && i - current_.Last - 1 >= std::max(settings_.Gap, 1u)) Close();
    if (Reaches(value)) Above(i, value);
  }

  bool Reaches(double value) const {
    return (kAxis ? std::fabs(value) : value) >= settings_.Threshold;
  }

  // Moves the axis stretch on to sample i; returns its value.
  double Follow(std::uint32_t i) {
    const double value = values_(i);
    const int sign = SignOf(value);
    if (sign != stretch_.Sign) {
      EndStretch(value);
      stretch_ = {sign, value, 0.0, previous_};
    } else {
      stretch_.Sum += (previous_ + value) / 2;
    }
    previous_ = value;
    return value;
  }

  // The stretch ends at the previous sample: the events whose peak lies in it
  // learn their velocity change.
  void EndStretch(std::optional<double> after) {
    if (!peakInStretch_ && pending_.empty()) return;
    const double deltaV = PulseVelocityChange(stretch_, previous_, after);
    if (peakInStretch_) current_.DeltaV = deltaV;
    peakInStretch_ = false;
    for (const std::size_t index : pending_) out_[index].DeltaV = deltaV;
    pending_.clear();
  }

  void Above(std::uint32_t i, double value) {
    if (!open_) {
      open_ = true;
      current_.First = i;
      current_.Peak = 0.0;
      current_.DeltaV.reset();
    }
    current_.Last = i;
    if (std::fabs(value) > std::fabs(current_.Peak)) {
      current_.Peak = value;
      current_.PeakIndex = i;
      peakInStretch_ = kAxis;
    }
  }

  void Close() {
    open_ = false;
    if (peakInStretch_) pending_.push_back(out_.size());
    peakInStretch_ = false;
    out_.push_back(current_);
  }

  // A block with nothing at the threshold: its largest value, and on an axis
  // the stretch its last sample is in, found walking back from there.
  bool PassQuietBlock(std::uint32_t first, std::uint32_t last, std::size_t block) {
    if constexpr (kAxis) {
      double largest = 0.0;
      for (std::uint32_t i = first; i <= last; ++i) {
        largest = std::max(largest, std::fabs(values_(i)));
      }
      if (largest >= settings_.Threshold) return false;
      bounds_.Largest[static_cast<int>(current_.Channel)][block] = largest;
      const double lastValue = values_(last);
      const int sign = SignOf(lastValue);
      std::uint32_t j = last;
      double sum = 0.0;
      while (sign != 0 && j > first && SignOf(values_(j - 1)) == sign) {
        sum += (values_(j - 1) + values_(j)) / 2;
        --j;
      }
      if (j == first && sign == stretch_.Sign) {
        stretch_.Sum += (previous_ + values_(first)) / 2 + sum;
      } else {
        stretch_ = {sign, values_(j), sum, j > first ? values_(j - 1) : previous_};
      }
      previous_ = lastValue;
    } else {
      const auto& bound = bounds_.Largest;
      const double x = bound[0][block], y = bound[1][block], z = bound[2][block];
      if (std::sqrt(x * x + y * y + z * z) < settings_.Threshold) return true;
      // The largest square, and one root: the root keeps the order.
      double squares = 0.0;
      for (std::uint32_t i = first; i <= last; ++i) squares = std::max(squares, values_.Squares(i));
      if (std::sqrt(squares) >= settings_.Threshold) return false;
    }
    return true;
  }

  const ShockSettings settings_;
  const Values& values_;
  QuietBounds& bounds_;
  std::vector<ShockEvent>& out_;

  bool open_ = false;
  ShockEvent current_;
  bool peakInStretch_ = false;        // the open event's peak lies in the stretch under way
  std::vector<std::size_t> pending_;  // closed events whose peak lies in it

  Stretch stretch_;
  double previous_ = 0.0;
};

// The calibrated acceleration of one axis less its baseline.
struct AxisValues {
  static constexpr bool kIntegrates = true;
  const double* Codes;
  AxisCalibration Calibration;
  double Baseline;
  double operator()(std::uint32_t i) const {
    return Acceleration(Codes[i], Calibration) - Baseline;
  }
};

// The magnitude of the three axes less their baselines.
struct ResultantValues {
  static constexpr bool kIntegrates = false;
  std::array<AxisValues, 3> Axes;
  double Squares(std::uint32_t i) const {
    const double x = Axes[0](i), y = Axes[1](i), z = Axes[2](i);
    return x * x + y * y + z * z;
  }
  double operator()(std::uint32_t i) const { return std::sqrt(Squares(i)); }
};

template <typename Values>
void ScanChannel(ShockChannel channel, const Recording& recording, SampleInterval interval,
                 const ShockSettings& settings, const Values& values, QuietBounds& bounds,
                 std::vector<ShockEvent>& out) {
  ChannelScan<Values>(channel, settings, values, bounds, out).Run(interval, recording.SampleCount);
}

}  // namespace

const char* ShockChannelName(ShockChannel channel) {
  static const char* const names[kShockChannelCount] = {"X", "Y", "Z", "R"};
  return names[static_cast<int>(channel)];
}

std::optional<std::string> ShockSettingsError(const ShockSettings& settings) {
  if (!(settings.Threshold > 0) || !std::isfinite(settings.Threshold)) {
    return "the shock threshold must be a positive number";
  }
  if (settings.Gap > kLongestShockGap) return "the gap must be at most 1000000000 samples";
  return std::nullopt;
}

ShockEventsResult FindShockEvents(const Recording& recording, SampleInterval interval,
                                  const ShockSettings& settings) {
  if (const auto error = ShockSettingsError(settings)) throw std::invalid_argument(*error);
  if (!WithinRecording(interval, recording.SampleCount)) {
    throw std::invalid_argument("the shock interval lies outside the recording");
  }
  ShockEventsResult result;
  result.Baselines = AxisBaselines(recording, interval);
  ResultantValues resultant;
  for (int axis = 0; axis < 3; ++axis) {
    resultant.Axes[axis] = {AxisCodes(recording, axis), recording.Calibration[axis],
                            result.Baselines[axis]};
  }
  QuietBounds bounds;
  for (auto& largest : bounds.Largest) {
    largest.assign((interval.Last - interval.First) / kBlock + 1, HUGE_VAL);
  }
  for (int axis = 0; axis < 3; ++axis) {
    ScanChannel(static_cast<ShockChannel>(axis), recording, interval, settings,
                resultant.Axes[axis], bounds, result.Events);
  }
  ScanChannel(ShockChannel::R, recording, interval, settings, resultant, bounds, result.Events);

  // Each channel's events are already in order and the channels follow one
  // another, so a stable sort by first sample keeps X, Y, Z, R on a tie.
  std::stable_sort(result.Events.begin(), result.Events.end(),
                   [](const ShockEvent& a, const ShockEvent& b) { return a.First < b.First; });
  for (const ShockEvent& event : result.Events) ++result.Counts[static_cast<int>(event.Channel)];
  return result;
}
