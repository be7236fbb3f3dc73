#include "cli/CliSpectra.h"

#include <QJsonArray>
#include <cstdio>
#include <optional>
#include <span>
#include <vector>

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

void AppendNumber(std::string& line, double value) {
  char text[32];
  std::snprintf(text, sizeof text, ",%.17g", value);
  line += text;
}

// One line per frequency: the frequency, then the columns in order.
std::string Table(const std::string& header, const std::vector<double>& frequencies,
                  const std::vector<const std::vector<double>*>& columns) {
  std::string text = header + '\n';
  for (std::size_t i = 0; i < frequencies.size(); ++i) {
    std::string line;
    AppendNumber(line, frequencies[i]);
    for (const auto* column : columns) AppendNumber(line, (*column)[i]);
    text += line.substr(1) + '\n';
  }
  return text;
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
  if (!interval) return {};
  const IntervalPsdResult psd = IntervalPsd(recording, *interval, options);
  return Table("frequency,X_psd,Y_psd,Z_psd", psd.Axes[AxisX].Frequencies,
               {&psd.Axes[AxisX].Density, &psd.Axes[AxisY].Density, &psd.Axes[AxisZ].Density});
}

std::string SrsCsv(const Recording& recording, const SpectrumInterval& span,
                   const SrsOptions& options) {
  const auto interval = Interval(recording, span);
  if (!interval) return {};
  const IntervalSrsResult srs = IntervalSrs(recording, *interval, options, SpectrumThreads());
  std::vector<const std::vector<double>*> columns;
  for (const SrsResult& s : srs.Axes) {
    columns.insert(columns.end(), {&s.Peak, &s.Positive, &s.Negative});
  }
  return Table("frequency,X_srs,X_pos,X_neg,Y_srs,Y_pos,Y_neg,Z_srs,Z_pos,Z_neg",
               srs.Axes[AxisX].Frequencies, columns);
}
