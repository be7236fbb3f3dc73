#include "LoggerFileWriter.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <stdexcept>

namespace loggen {
namespace {

constexpr double kGValue = 9.815;
constexpr double kPi = 3.14159265358979323846;

void PutLittle32(std::vector<std::uint8_t>& out, std::int32_t value) {
  const auto u = static_cast<std::uint32_t>(value);
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<std::uint8_t>(u >> shift));
}

// A small deterministic generator, so a seed gives the same file everywhere.
class Random {
 public:
  explicit Random(std::uint32_t seed) : state_(seed * 2654435761u + 1) {}
  double Uniform() {  // [0, 1)
    state_ ^= state_ << 13;
    state_ ^= state_ >> 7;
    state_ ^= state_ << 17;
    return static_cast<double>(state_ >> 11) / 9007199254740992.0;
  }
  double Normal() {
    const double u1 = std::max(Uniform(), 1e-300);
    return std::sqrt(-2 * std::log(u1)) * std::cos(2 * kPi * Uniform());
  }

 private:
  std::uint64_t state_;
};

std::int32_t RawZeroCode(const LoggerFileOptions& o) {
  switch (o.zeroScaling) {
    case ZeroScaling::Tenths:
      return static_cast<std::int32_t>(std::lround(o.code0g * 10));
    case ZeroScaling::Times3200:
      return static_cast<std::int32_t>(std::lround(o.code0g * 3200));
    case ZeroScaling::Plain:
      break;
  }
  return static_cast<std::int32_t>(std::lround(o.code0g));
}

struct Event {
  int axis;  // of a shock
  long start;
  long length;
  double amplitude;  // m/s²
  double frequency;  // Hz; 0 for a half-sine shock
};

std::vector<Event> PlaceEvents(const LoggerFileOptions& o, long samples, Random& random) {
  std::vector<Event> events;
  for (int i = 0; i < o.shocks; ++i) {
    const double peak = (30 + 40 * random.Uniform()) * (i % 2 == 0 ? 1 : -1);
    events.push_back({0, static_cast<long>(random.Uniform() * samples), 30, peak, 0});
  }
  for (const PlacedShock& shock : o.placedShocks) {
    const double at = shock.atSeconds >= 0 ? shock.atSeconds * 1000 : random.Uniform() * samples;
    events.push_back({shock.axis, std::lround(at), shock.milliseconds, shock.amplitude, 0});
  }
  for (int i = 0; i < o.bursts; ++i) {
    events.push_back({0, static_cast<long>(random.Uniform() * samples), 800,
                      4 + 8 * random.Uniform(), 40 + 120 * random.Uniform()});
  }
  return events;
}

// Samples [start, end) in free fall.
struct Fall {
  long start;
  long end;
};

// The impact that stops a drop: a half-sine on Z whose samples add up to the
// impact speed, as short as the codes allow without clipping its peak.
Event Impact(const LoggerFileOptions& o, long at, double speed) {
  const double codesPerMs2 = std::abs(o.codesPerG) / kGValue;
  const double headroom = std::min(65535 - o.code0g, o.code0g) / codesPerMs2;
  const double peakLimit = std::max(0.9 * headroom - kGValue, kGValue);
  const long length =
      std::max(10L, static_cast<long>(std::ceil(kPi * speed / (2 * peakLimit) * 1000)));
  double samples = 0;  // the pulse's shape summed over its samples
  for (long t = 0; t < length; ++t) samples += std::sin(kPi * t / length);
  return {2, at, length, speed / (samples / 1000), 0};
}

// The falls, after every other event so that files without drops keep their
// random draws; each fall's impact joins the events.
std::vector<Fall> PlaceDrops(const LoggerFileOptions& o, long samples, Random& random,
                             std::vector<Event>& events) {
  std::vector<Fall> falls;
  for (const PlacedDrop& drop : o.placedDrops) {
    const double at = drop.atSeconds >= 0 ? drop.atSeconds * 1000 : random.Uniform() * samples;
    const double fallSeconds = std::sqrt(2 * drop.heightMeters / kGValue);
    const long start = std::lround(at);
    const long end = start + std::lround(fallSeconds * 1000);
    falls.push_back({start, end});
    events.push_back(Impact(o, end, kGValue * (end - start) / 1000.0));
  }
  return falls;
}

bool InFall(const std::vector<Fall>& falls, long k) {
  return std::any_of(falls.begin(), falls.end(),
                     [&](const Fall& f) { return k >= f.start && k < f.end; });
}

// Acceleration added by the events at sample k, m/s²: {X, Y, Z}.
std::array<double, 3> EventAcceleration(const std::vector<Event>& events, long k) {
  std::array<double, 3> a{};
  for (const Event& e : events) {
    if (k < e.start || k >= e.start + e.length) continue;
    const double t = static_cast<double>(k - e.start);
    if (e.frequency == 0) {
      a[e.axis] += e.amplitude * std::sin(kPi * t / e.length);
    } else {
      const double envelope = std::sin(kPi * t / e.length);
      const double wave = e.amplitude * envelope * std::sin(2 * kPi * e.frequency * t / 1000);
      a[0] += wave;
      a[1] += 0.6 * wave;
      a[2] += 0.3 * wave;
    }
  }
  return a;
}

std::vector<std::string> ColonFields(const std::string& text) {
  std::vector<std::string> fields;
  std::size_t from = 0;
  for (std::size_t colon; (colon = text.find(':', from)) != std::string::npos; from = colon + 1) {
    fields.push_back(text.substr(from, colon - from));
  }
  fields.push_back(text.substr(from));
  return fields;
}

double NumberField(const std::string& option, const std::string& field) {
  std::size_t used = 0;
  double value = 0;
  try {
    value = std::stod(field, &used);
  } catch (const std::exception&) {
    used = 0;
  }
  if (used == 0 || used != field.size() || !std::isfinite(value)) {
    throw std::invalid_argument(option + ": '" + field + "' is not a number");
  }
  return value;
}

double StartField(const std::string& option, const std::string& field) {
  const double seconds = NumberField(option, field);
  if (seconds < 0) throw std::invalid_argument(option + ": the start is negative");
  return seconds;
}

}  // namespace

LoggerFileBuilder& LoggerFileBuilder::Block(
    std::int16_t temperatureWord, std::uint8_t fraction,
    const std::array<RawSample, kSamplesPerBlock>& samples) {
  std::array<std::uint8_t, kBlockSize> block{};
  block[0] = 0xF0;
  const auto word = static_cast<std::uint16_t>(temperatureWord);
  block[2] = static_cast<std::uint8_t>(word & 0xFF);
  block[3] = static_cast<std::uint8_t>(word >> 8);
  block[4] = fraction;
  for (int u = 0; u < kSamplesPerBlock; ++u) {
    const std::uint16_t codes[3] = {samples[u].x, samples[u].y, samples[u].z};
    for (int axis = 0; axis < 3; ++axis) {
      block[6 + 6 * u + 2 * axis] = static_cast<std::uint8_t>(codes[axis] >> 8);
      block[7 + 6 * u + 2 * axis] = static_cast<std::uint8_t>(codes[axis] & 0xFF);
    }
  }
  block[127] = 0x0F;
  blocks_.insert(blocks_.end(), block.begin(), block.end());
  return *this;
}

LoggerFileBuilder& LoggerFileBuilder::Trailer(const std::array<TrailerRecord, 3>& records) {
  trailer_ = records;
  return *this;
}

LoggerFileBuilder& LoggerFileBuilder::Padding(int bytes, std::uint8_t value) {
  padding_.assign(static_cast<std::size_t>(bytes), value);
  return *this;
}

std::vector<std::uint8_t> LoggerFileBuilder::Bytes() const {
  std::vector<std::uint8_t> out = blocks_;
  out.insert(out.end(), padding_.begin(), padding_.end());
  out.insert(out.end(), 4, 0x55);
  for (const TrailerRecord& r : trailer_) {
    PutLittle32(out, r.codesPerG);
    PutLittle32(out, r.zeroCodeRaw);
  }
  out.insert(out.end(), 14, 0x55);
  return out;
}

std::pair<std::int16_t, std::uint8_t> EncodeTemperature(double celsius) {
  // T = floor(w / 2) - 0.25 + (16 - c) / 16 with w = 2 (floor(T) + 1)
  // leaves c = 28 - 16 × frac(T), always a valid byte.
  const double whole = std::floor(celsius);
  const auto word = static_cast<std::int16_t>(2 * (whole + 1));
  const auto fraction = static_cast<std::uint8_t>(std::lround(28 - 16 * (celsius - whole)));
  return {word, fraction};
}

std::vector<std::uint8_t> MakeLoggerFile(const LoggerFileOptions& o) {
  if (o.blocks < 0 || o.codesPerG == 0) throw std::invalid_argument("bad logger file options");
  Random random(o.seed);
  const long samples = static_cast<long>(o.blocks) * kSamplesPerBlock;
  std::vector<Event> events = PlaceEvents(o, samples, random);
  const std::vector<Fall> falls = PlaceDrops(o, samples, random, events);
  const double codesPerMs2 = o.codesPerG / kGValue;
  auto code = [&](double acceleration) {
    const double c = o.code0g + acceleration * codesPerMs2 + o.noise * random.Normal();
    return static_cast<std::uint16_t>(std::clamp(std::lround(c), 0L, 65535L));
  };

  LoggerFileBuilder builder;
  for (int b = 0; b < o.blocks; ++b) {
    const double progress = o.blocks > 1 ? static_cast<double>(b) / (o.blocks - 1) : 0;
    const double celsius = o.temperatureStart + (o.temperatureEnd - o.temperatureStart) * progress;
    std::array<RawSample, kSamplesPerBlock> block;
    for (int u = 0; u < kSamplesPerBlock; ++u) {
      const long k = b * kSamplesPerBlock + u;
      // In free fall the logger reads 0 g on every axis, whatever shakes the ground.
      const std::array<double, 3> a =
          InFall(falls, k) ? std::array<double, 3>{0, 0, -kGValue} : EventAcceleration(events, k);
      block[u] = {code(a[0]), code(a[1]), code(kGValue + a[2])};
    }
    const auto [word, fraction] = EncodeTemperature(celsius);
    builder.Block(word, fraction, block);
  }
  const TrailerRecord record{o.codesPerG, RawZeroCode(o)};
  builder.Trailer({record, record, record});
  return builder.Bytes();
}

LoggerFileOptions DemoOptions() {
  LoggerFileOptions o;
  o.blocks = 6000;  // 120,000 samples: two minutes
  o.seed = 2026;
  o.zeroScaling = ZeroScaling::Tenths;
  o.temperatureStart = 18.5;
  o.temperatureEnd = 31.0;
  o.noise = 6;
  o.bursts = 6;
  o.shocks = 4;
  o.placedShocks = {{1, 54, 12, 37.5}, {2, -45, 8, 81.2}, {1, -38, 20, 102.0}};
  o.placedDrops = {{0.5, 90.0}};
  return o;
}

PlacedShock ParsePlacedShock(const std::string& text) {
  const std::vector<std::string> fields = ColonFields(text);
  const std::string axes = "XYZ";
  if (fields.size() < 3 || fields.size() > 4 || fields[0].size() != 1 ||
      axes.find(fields[0][0]) == std::string::npos) {
    throw std::invalid_argument("--shock takes AXIS:AMPLITUDE:MS[:AT_S] with AXIS X, Y or Z");
  }
  PlacedShock shock;
  shock.axis = static_cast<int>(axes.find(fields[0][0]));
  shock.amplitude = NumberField("--shock", fields[1]);
  const double ms = NumberField("--shock", fields[2]);
  if (ms < 1 || ms != std::floor(ms) || ms > 1e6) {
    throw std::invalid_argument("--shock: the length is a whole number of milliseconds from 1 up");
  }
  shock.milliseconds = static_cast<int>(ms);
  if (fields.size() == 4) shock.atSeconds = StartField("--shock", fields[3]);
  return shock;
}

PlacedDrop ParsePlacedDrop(const std::string& text) {
  const std::vector<std::string> fields = ColonFields(text);
  if (fields.size() > 2) throw std::invalid_argument("--drop takes HEIGHT_M[:AT_S]");
  PlacedDrop drop;
  drop.heightMeters = NumberField("--drop", fields[0]);
  if (!(drop.heightMeters > 0 && drop.heightMeters <= 1000)) {
    throw std::invalid_argument("--drop: the height is above 0 and at most 1000 m");
  }
  if (fields.size() == 2) drop.atSeconds = StartField("--drop", fields[1]);
  return drop;
}

void WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path);
}

}  // namespace loggen
