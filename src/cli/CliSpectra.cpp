#include "cli/CliSpectra.h"

#include <QJsonArray>
#include <optional>
#include <span>
#include <vector>

#include "analysis/SpectraTables.h"

namespace {

const char* const kAxisNames[] = {"X", "Y", "Z"};

std::optional<SampleInterval> Interval(const Recording& recording, const SpectrumInterval& span) {
  return ParamInterval(span.from.toStdString(), span.to.toStdString(), recording.SampleCount);
}

QJsonArray List(std::span<const double> values) {
  QJsonArray list;
  for (double v : values) list.append(v);
  return list;
}

QJsonObject Head(const QString& file, const Recording& recording, SampleInterval interval) {
  return {{"file", file},
          {"samples", static_cast<qint64>(recording.SampleCount)},
          {"from_s", interval.Start * Recording::TimeStep},
          {"to_s", interval.Stop * Recording::TimeStep},
          {"fs", kSampleRate}};
}

}  // namespace

QJsonObject PsdJson(const QString& file, const Recording& recording, const SpectrumInterval& span,
                    const PsdOptions& options) {
  const auto interval = Interval(recording, span);
  if (!interval) return {{"file", file}, {"samples", 0}};
  const IntervalPsdResult psd = IntervalPsd(recording, *interval, options);
  QJsonObject result = Head(file, recording, *interval);
  result.insert("segment", static_cast<qint64>(options.Segment));
  result.insert("segment_used", static_cast<qint64>(psd.Axes[AxisX].Segment));
  result.insert("band", QJsonArray{options.BandLow, options.BandHigh});
  result.insert("frequencies", List(psd.Axes[AxisX].Frequencies));
  for (int axis = 0; axis < 3; ++axis) {
    result.insert(kAxisNames[axis],
                  QJsonObject{{"psd", List(psd.Axes[axis].Density)}, {"rms", psd.Rms[axis]}});
  }
  return result;
}

QJsonObject SrsJson(const QString& file, const Recording& recording, const SpectrumInterval& span,
                    const SrsOptions& options) {
  const auto interval = Interval(recording, span);
  if (!interval) return {{"file", file}, {"samples", 0}};
  const IntervalSrsResult srs = IntervalSrs(recording, *interval, options, SpectrumThreads());
  QJsonObject result = Head(file, recording, *interval);
  result.insert("fmin", options.MinFrequency);
  result.insert("fmax", options.MaxFrequency);
  result.insert("per_octave", options.PerOctave);
  result.insert("q", options.Q);
  result.insert("frequencies", List(srs.Axes[AxisX].Frequencies));
  for (int axis = 0; axis < 3; ++axis) {
    const SrsResult& s = srs.Axes[axis];
    result.insert(
        kAxisNames[axis],
        QJsonObject{{"srs", List(s.Peak)}, {"pos", List(s.Positive)}, {"neg", List(s.Negative)}});
  }
  return result;
}

std::string PsdCsv(const Recording& recording, const SpectrumInterval& span,
                   const PsdOptions& options) {
  const auto interval = Interval(recording, span);
  return interval ? PsdTable(IntervalPsd(recording, *interval, options)) : std::string();
}

std::string SrsCsv(const Recording& recording, const SpectrumInterval& span,
                   const SrsOptions& options) {
  const auto interval = Interval(recording, span);
  return interval ? SrsTable(IntervalSrs(recording, *interval, options, SpectrumThreads()))
                  : std::string();
}
