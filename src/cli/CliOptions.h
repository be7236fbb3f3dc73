// Option checks every torvik-cli command shares: numbers must be finite and
// within their range, or the command line is refused (exit 2) saying which
// option and why. A command that measures an interval uses IntervalOptions
// and UseInterval, so its interval rules and report are those of `params`.
#pragma once

#include <QJsonObject>
#include <optional>
#include <string>

#include "analysis/Interval.h"
#include "cli/CliArguments.h"
#include "session/Session.h"

// A finite number; `fallback` when the option is absent.
double NumberOption(const CliArguments& arguments, std::string_view name, double fallback);
// The same in extended precision, for values that reach the filter design.
long double ExtendedOption(const CliArguments& arguments, std::string_view name,
                           long double fallback);
// A finite number above 0.
double PositiveOption(const CliArguments& arguments, std::string_view name, double fallback);
// A whole number within low … high.
int WholeOption(const CliArguments& arguments, std::string_view name, int fallback, int low,
                int high);

// --from and --to, in seconds; absent means the first or the last sample.
struct IntervalRequest {
  std::string from;
  std::string to;
};
IntervalRequest IntervalOptions(const CliArguments& arguments);

// Selects the request in the session and gives the interval the window
// would measure for it (a negative, reversed or beyond-the-end request means
// the whole recording). Adds "interval" to `json` with the samples used
// (start/first, stop/last) and their times (from_s, to_s), and says on
// stderr when the request was replaced. Nothing for an empty recording.
std::optional<SampleInterval> UseInterval(const IntervalRequest& request, Session& session,
                                          const std::string& file, QJsonObject& json);
// The same for a command whose output has no JSON.
std::optional<SampleInterval> UseInterval(const IntervalRequest& request, Session& session,
                                          const std::string& file);
