#include "cli/CliSpectra.h"

#include <QJsonArray>
#include <optional>
#include <span>
#include <vector>

#include "analysis/SpectraTables.h"
#include "files/CsvTable.h"
#include "text/ShortestText.h"

namespace {

const char* const kAxisNames[] = {"X", "Y", "Z"};

QJsonArray List(std::span<const double> values) {
  QJsonArray list;
  for (double v : values) list.append(v);
  return list;
}

QJsonObject Head(const std::string& file, const Recording& recording) {
  return {{"file", QString::fromStdString(file)},
          {"samples", static_cast<qint64>(recording.SampleCount)}};
}

// The params interval rules, reported in `json` (and on stderr when the
// request was replaced) with the interval's times and the sample rate.
std::optional<SampleInterval> Measured(const std::string& file, Session& session,
                                       const IntervalRequest& span, QJsonObject& json) {
  const auto interval = UseInterval(span, session, file, json);
  if (interval) {
    json.insert("from_s", SampleSeconds(interval->First));
    json.insert("to_s", SampleSeconds(interval->Last));
    json.insert("fs", Recording::SampleRate);
  }
  return interval;
}

}  // namespace

QJsonObject PsdJson(const std::string& file, Session& session, const IntervalRequest& span,
                    const PsdOptions& options) {
  QJsonObject result = Head(file, session.Data());
  const auto interval = Measured(file, session, span, result);
  if (!interval) return result;
  const IntervalPsdResult psd = session.Psd(*interval, options);
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

QJsonObject SrsJson(const std::string& file, Session& session, const IntervalRequest& span,
                    const SrsOptions& options) {
  QJsonObject result = Head(file, session.Data());
  const auto interval = Measured(file, session, span, result);
  if (!interval) return result;
  const IntervalSrsResult srs = session.Srs(*interval, options);
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

std::string PsdCsv(const std::string& file, Session& session, const IntervalRequest& span,
                   const PsdOptions& options) {
  const auto interval = UseInterval(span, session, file);
  return interval ? CsvText(PsdTable(session.Psd(*interval, options))) : std::string();
}

std::string SrsCsv(const std::string& file, Session& session, const IntervalRequest& span,
                   const SrsOptions& options) {
  const auto interval = UseInterval(span, session, file);
  return interval ? CsvText(SrsTable(session.Srs(*interval, options))) : std::string();
}
