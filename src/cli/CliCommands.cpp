#include "cli/CliCommands.h"

#include <QJsonArray>
#include <algorithm>

#include "analysis/Exceedance.h"
#include "analysis/Interval.h"
#include "analysis/IntervalParams.h"
#include "text/ShortestText.h"

namespace {

QJsonArray ComplexList(const TdspRootList& roots) {
  QJsonArray list;
  for (int i = 0; i < roots.count; ++i) {
    list.append(
        QJsonArray{static_cast<double>(roots.root[i].re), static_cast<double>(roots.root[i].im)});
  }
  return list;
}

QJsonArray NumberList(std::span<const long double> values) {
  QJsonArray list;
  for (long double v : values) list.append(static_cast<double>(v));
  return list;
}

QJsonObject RowJson(const RowStatistics& s, const RowTexts& cells, int row) {
  QJsonArray texts;
  for (const std::string& text : cells) texts.append(QString::fromStdString(text));
  return {{"name", QString::fromUtf8(ParamRows[row].Caption)},
          {"min", s.Min},
          {"max", s.Max},
          {"mean", s.Mean},
          {"std", s.StdDev},
          {"texts", texts}};
}

QJsonValue Optional(const std::optional<double>& value) {
  return value ? QJsonValue(*value) : QJsonValue();
}

QJsonObject DropJson(const Drop& drop) {
  const std::optional<DropImpact>& impact = drop.Impact;
  return {
      {"first", static_cast<qint64>(drop.First)},
      {"last", static_cast<qint64>(drop.Last)},
      {"start_s", SampleSeconds(drop.First)},
      {"fall_s", SampleSeconds(drop.Last - drop.First + 1ull)},
      {"height_m", drop.HeightMeters},
      {"impact_speed", drop.ImpactSpeed},
      {"impact_peak", Optional(impact ? std::optional(impact->Peak) : std::nullopt)},
      {"impact_peak_g", Optional(impact ? std::optional(impact->PeakG) : std::nullopt)},
      {"impact_s", Optional(impact ? std::optional(SampleSeconds(impact->Index)) : std::nullopt)}};
}

QJsonObject PassJson(const ExceedancePass& pass) {
  QJsonArray runs;
  for (const ExceedanceRun& run : pass.Found.Runs) {
    runs.append(QJsonObject{{"first", static_cast<qint64>(run.First)},
                            {"last", static_cast<qint64>(run.Last)},
                            {"start_s", SampleSeconds(run.First)},
                            {"duration_s", SampleSeconds(run.Last - run.First)}});
  }
  return {{"exceeded", pass.Found.Exceeded}, {"runs", runs}};
}

}  // namespace

QJsonObject InfoJson(const std::string& file, const Recording& recording) {
  QJsonArray calibration;
  const char* axes[] = {"X", "Y", "Z"};
  for (int axis = 0; axis < 3; ++axis) {
    calibration.append(QJsonObject{{"axis", axes[axis]},
                                   {"code0g", recording.Calibration[axis].Code0g},
                                   {"gain", recording.Calibration[axis].Gain}});
  }
  const double* temperature = recording.Temperature.get();
  const auto [low, high] = std::minmax_element(temperature, temperature + recording.SampleCount);
  const bool any = recording.SampleCount > 0;
  return {{"file", QString::fromStdString(file)},
          {"samples", static_cast<qint64>(recording.SampleCount)},
          {"duration_s", any ? SampleSeconds(recording.SampleCount - 1) : 0.0},
          {"calibration", calibration},
          {"temperature", QJsonObject{{"min", any ? *low : 0.0}, {"max", any ? *high : 0.0}}}};
}

void ApplyParamsSettings(Session& session, const ParamsRequest& request) {
  const AnalysisSettings& settings = request.settings;
  session.SetBoundLevel(settings.BoundLevel);
  session.SetCodesMode(settings.CodesMode);
  session.SetInverted(settings.Inverted);
  session.SetCutoff(settings.Cutoff);
  if (request.correctSpeed) session.CorrectSpeed();
}

QJsonObject ParamsJson(const std::string& file, Session& session, const ParamsRequest& request) {
  ApplyParamsSettings(session, request);
  QJsonObject result{{"file", QString::fromStdString(file)},
                     {"samples", static_cast<qint64>(session.Data().SampleCount)},
                     {"cutoff", static_cast<double>(session.Settings().Cutoff)}};
  const auto interval = UseInterval(request.interval, session, file, result);
  if (!interval) return result;  // an empty recording has no interval
  std::array<bool, kParamRowCount> everyRow;
  everyRow.fill(true);
  const IntervalParamsResult params = session.Params(*interval, everyRow, false);
  QJsonArray rows;
  for (int row = 0; row < kParamRowCount; ++row) {
    rows.append(RowJson(*params.Statistics[row], params.Texts[row], row));
  }
  result.insert("rows", rows);
  result.insert("exceedances", QJsonObject{{"bound", request.settings.BoundLevel},
                                           {"positive", PassJson(params.Passes[0])},
                                           {"negative", PassJson(params.Passes[1])}});
  return result;
}

ShockEventsReport EventsJson(const std::string& file, Session& session,
                             const EventsRequest& request) {
  ShockEventsReport report;
  QJsonObject& head = report.head;
  head = {{"file", QString::fromStdString(file)},
          {"bound", request.settings.Threshold},
          {"gap", static_cast<qint64>(request.settings.Gap)}};
  const auto interval = UseInterval(request.interval, session, file, head);
  QJsonValue baseline;
  if (interval) {
    ShockEventsResult found = session.Events(*interval, request.settings);
    report.events = std::move(found.Events);
    baseline = QJsonObject{{"X", found.Baselines[AxisX]},
                           {"Y", found.Baselines[AxisY]},
                           {"Z", found.Baselines[AxisZ]}};
  }
  // An empty recording has no interval: its ends and baseline are null and
  // it has no events.
  head.insert("baseline", baseline);
  head.insert("from_s", interval ? QJsonValue(SampleSeconds(interval->First)) : QJsonValue());
  head.insert("to_s", interval ? QJsonValue(SampleSeconds(interval->Last)) : QJsonValue());
  return report;
}

// Keys that need no conversion: a list of events may hold millions.
QJsonObject ShockEventJson(const ShockEvent& e) {
  return {{QStringLiteral("channel"), QLatin1StringView(ShockChannelName(e.Channel))},
          {QStringLiteral("first"), static_cast<qint64>(e.First)},
          {QStringLiteral("last"), static_cast<qint64>(e.Last)},
          {QStringLiteral("start_s"), e.StartSeconds()},
          {QStringLiteral("duration_s"), e.DurationSeconds()},
          {QStringLiteral("peak"), e.Peak},
          {QStringLiteral("peak_s"), e.PeakSeconds()},
          {QStringLiteral("delta_v"), e.DeltaV ? QJsonValue(*e.DeltaV) : QJsonValue()}};
}

QJsonObject DropsJson(const std::string& file, Session& session, const DropsRequest& request) {
  QJsonObject result{{"file", QString::fromStdString(file)},
                     {"fall_level", request.settings.FallLevel},
                     {"min_fall", request.settings.MinFall}};
  const auto interval = UseInterval(request.interval, session, file, result);
  QJsonArray drops;
  if (interval) {
    for (const Drop& drop : session.Drops(*interval, request.settings))
      drops.append(DropJson(drop));
  }
  result.insert("from_s", interval ? QJsonValue(SampleSeconds(interval->First)) : QJsonValue());
  result.insert("to_s", interval ? QJsonValue(SampleSeconds(interval->Last)) : QJsonValue());
  result.insert("drops", drops);
  return result;
}

std::unique_ptr<TdspIIRFilter> MakeFilter(const TdspIIRFilterResource& settings) {
  auto filter = std::make_unique<TdspIIRFilter>(nullptr);
  filter->SetSampleRate(settings.SampleRate);  // first, so the corners are not clamped to 44100 Hz
  filter->SetKind(settings.Kind);
  filter->SetResponse(settings.Response);
  filter->SetOrder(settings.Order);
  filter->SetFrequency1(settings.Frequency1);
  filter->SetFrequency2(settings.Frequency2);
  filter->SetRipple(settings.Ripple);
  filter->SetManualReset(settings.ManualReset);
  return filter;
}

QJsonObject FilterDesignJson(const TdspIIRFilter& filter) {
  return {{"taps", filter.TapCount()},
          {"input_scale", static_cast<double>(filter.InputScale())},
          {"b", NumberList(filter.NumeratorCoefficients())},
          {"a", NumberList(filter.FeedbackCoefficients())},
          {"zplane_poles", ComplexList(filter.ZPlanePoles())},
          {"zplane_zeros", ComplexList(filter.ZPlaneZeros())},
          {"error_text", QString::fromStdString(filter.ErrorText())}};
}
