#include "cli/CliOptions.h"

#include <cmath>
#include <iostream>

#include "cli/TerminalText.h"
#include "text/NumberText.h"
#include "text/ShortestText.h"

namespace {

UsageError Refusal(std::string_view name, const std::string& value, std::string_view why) {
  return UsageError{"--" + std::string(name) + " '" + value + "': " + std::string(why)};
}

// The text as a finite number, or the reason it is not one.
long double FiniteNumber(std::string_view name, const std::string& text) {
  const std::optional<long double> value = TryStrToFloat(text);
  if (!value) throw Refusal(name, text, "not a number (use a point as decimal separator)");
  if (!std::isfinite(static_cast<double>(*value))) throw Refusal(name, text, "not a finite number");
  return *value;
}

}  // namespace

long double ExtendedOption(const CliArguments& arguments, std::string_view name,
                           long double fallback) {
  const auto text = arguments.Value(name);
  return text ? FiniteNumber(name, *text) : fallback;
}

double NumberOption(const CliArguments& arguments, std::string_view name, double fallback) {
  return static_cast<double>(ExtendedOption(arguments, name, fallback));
}

double PositiveOption(const CliArguments& arguments, std::string_view name, double fallback) {
  const double value = NumberOption(arguments, name, fallback);
  if (!(value > 0)) throw Refusal(name, arguments.Value(name).value_or(""), "must be above 0");
  return value;
}

int WholeOption(const CliArguments& arguments, std::string_view name, int fallback, int low,
                int high) {
  const double value = NumberOption(arguments, name, fallback);
  if (value != std::floor(value) || value < low || value > high) {
    throw Refusal(
        name, arguments.Value(name).value_or(""),
        "must be a whole number from " + std::to_string(low) + " to " + std::to_string(high));
  }
  return static_cast<int>(value);
}

IntervalRequest IntervalOptions(const CliArguments& arguments) {
  IntervalRequest request;
  for (auto [name, text] : {std::pair{"from", &request.from}, std::pair{"to", &request.to}}) {
    if (const auto value = arguments.Value(name)) {
      FiniteNumber(name, *value);
      *text = *value;
    }
  }
  return request;
}

std::optional<SampleInterval> UseInterval(const IntervalRequest& request, Session& session,
                                          const std::string& file, QJsonObject& json) {
  session.SelectInterval(IntervalFromTexts(request.from, request.to));
  const auto choice = session.MeasuredInterval();
  if (!choice) return std::nullopt;
  const SampleInterval used = choice->Interval;
  json.insert("interval", QJsonObject{{"start", static_cast<qint64>(used.First)},
                                      {"stop", static_cast<qint64>(used.Last)},
                                      {"first", static_cast<qint64>(used.First)},
                                      {"last", static_cast<qint64>(used.Last)},
                                      {"from_s", SampleSeconds(used.First)},
                                      {"to_s", SampleSeconds(used.Last)},
                                      {"replaced", choice->Replaced}});
  if (choice->Replaced) {
    std::cerr << "torvik-cli: " << TerminalSafe(file) << ": the interval "
              << (request.from.empty() ? "start" : request.from) << " … "
              << (request.to.empty() ? "end" : request.to)
              << " s is negative, reversed or beyond the end; the whole recording (0 … "
              << SampleTimeText(used.Last) << " s) is used instead\n";
  }
  return used;
}

std::optional<SampleInterval> UseInterval(const IntervalRequest& request, Session& session,
                                          const std::string& file) {
  QJsonObject unused;
  return UseInterval(request, session, file, unused);
}
