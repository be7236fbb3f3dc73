// torvik-cli: the program's analysis for many recordings at once, as JSON.
#include <unistd.h>

#include <QCoreApplication>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <map>
#include <new>
#include <string>
#include <vector>

#include "analysis/VibroSpeed.h"
#include "cli/CliArguments.h"
#include "cli/CliCommands.h"
#include "cli/CliHelp.h"
#include "cli/CliOptions.h"
#include "cli/CliOutput.h"
#include "cli/CliSpectra.h"
#include "cli/ResultOutput.h"
#include "cli/StandardInput.h"
#include "cli/TerminalText.h"
#include "dsp/FilterStability.h"
#include "files/FileAccess.h"
#include "session/Session.h"
#include "text/NumberText.h"

namespace {

// Input lines of filter beyond this length are refused unread; an error
// quotes a line's beginning only.
constexpr std::size_t kLongestInputLine = 1000;
constexpr std::size_t kQuotedCharacters = 40;

void Report(const std::string& file, const std::string& message) {
  std::cerr << "torvik-cli: " << TerminalSafe(file) << ": " << TerminalSafe(message) << '\n';
}

template <typename Enum>
Enum Choice(const CliArguments& arguments, const char* option,
            const std::map<std::string, Enum>& choices) {
  const auto found = choices.find(arguments.Value(option).value_or(""));
  if (found == choices.end())
    throw UsageError{std::string("--") + option + " is missing or unknown"};
  return found->second;
}

// Runs `command` on every file in turn; a file that cannot be used is
// reported and the others are still processed. Only a failed output stops.
template <typename Command>
int ForEachFile(const std::vector<std::string>& files, Command command) {
  if (files.empty()) throw UsageError{"no file given"};
  int status = 0;
  for (const std::string& file : files) {
    try {
      Session session;
      const LoadResult loaded = session.LoadFile(file);
      if (!loaded.Loaded()) {
        Report(file, loaded.Message);
        status = 1;
        continue;
      }
      if (!loaded.Message.empty()) Report(file, loaded.Message);  // a file cut at the capacity
      command(file, session);
    } catch (const OutputError&) {
      throw;
    } catch (const std::bad_alloc&) {
      Report(file, "not enough memory");
      status = 1;
    } catch (const std::exception& error) {
      Report(file, error.what());
      status = 1;
    }
  }
  return status;
}

// Settings the analysis cannot use are the caller's mistake.
void CheckOptions(const std::optional<std::string>& error) {
  if (error) throw UsageError{*error};
}

int Info(const CliArguments& arguments) {
  return ForEachFile(arguments.Operands(), [](const std::string& file, Session& s) {
    PrintJson(InfoJson(file, s.Data()));
  });
}

int Params(const CliArguments& arguments) {
  ParamsRequest request;
  request.interval = IntervalOptions(arguments);
  AnalysisSettings& settings = request.settings;
  settings.BoundLevel = NumberOption(arguments, "bound", kDefaultBoundLevel);
  settings.CodesMode = arguments.Flag("codes");
  settings.Inverted = arguments.Flag("invert");
  settings.Cutoff = ExtendedOption(arguments, "cutoff", kDefaultCutoff);
  if (const CutoffChoice used = ChooseCutoff(settings.Cutoff); used.AboveStableRange) {
    std::cerr << "torvik-cli: --cutoff " << FormatGeneral(settings.Cutoff)
              << ": the vibration-speed filter is unstable above " << FormatGeneral(used.Cutoff)
              << " Hz; " << FormatGeneral(used.Cutoff) << " Hz is used\n";
  }
  request.correctSpeed = arguments.Flag("correct-speed");
  return ForEachFile(arguments.Operands(), [&request](const std::string& file, Session& s) {
    PrintJson(ParamsJson(file, s, request));
  });
}

int Events(const CliArguments& arguments) {
  EventsRequest request;
  request.interval = IntervalOptions(arguments);
  request.settings.Threshold = PositiveOption(arguments, "bound", request.settings.Threshold);
  request.settings.Gap = static_cast<std::uint32_t>(
      WholeOption(arguments, "gap", static_cast<int>(request.settings.Gap), 0,
                  static_cast<int>(kLongestShockGap)));
  return ForEachFile(arguments.Operands(), [&request](const std::string& file, Session& s) {
    const ShockEventsReport report = EventsJson(file, s, request);
    PrintJsonWithArray(report.head, QStringLiteral("events"), report.events.size(),
                       [&report](std::size_t i) { return ShockEventJson(report.events[i]); });
  });
}

int Drops(const CliArguments& arguments) {
  DropsRequest request;
  request.interval = IntervalOptions(arguments);
  request.settings.FallLevel = NumberOption(arguments, "fall-level", request.settings.FallLevel);
  request.settings.MinFall = NumberOption(arguments, "min-fall", request.settings.MinFall);
  CheckOptions(DropSettingsError(request.settings));
  return ForEachFile(arguments.Operands(), [&request](const std::string& file, Session& s) {
    PrintJson(DropsJson(file, s, request));
  });
}

int Convert(const CliArguments& arguments) {
  const std::vector<std::string>& files = arguments.Operands();
  if (files.size() != 2) throw UsageError{"convert takes FILE.dat and OUT.csv"};
  if (SameFile(files[0], files[1])) {
    Report(files[1], "is the input file itself; it is left as it is");
    return 1;
  }
  return ForEachFile({files[0]},
                     [&files](const std::string&, Session& s) { s.SaveCodesFile(files[1]); });
}

// The next number of the input, or the reason there is none (exit 1);
// nothing at the end of the input.
std::optional<long double> NextNumber(InputLines& lines, std::uint64_t number, int& status) {
  std::string_view line;
  switch (lines.Next(line)) {
    case InputLines::Outcome::End:
      return std::nullopt;
    case InputLines::Outcome::Failed:
      std::cerr << "torvik-cli: cannot read the standard input: " << std::strerror(lines.Error())
                << '\n';
      break;
    case InputLines::Outcome::TooLong:
      std::cerr << "torvik-cli: line " << number << " is longer than " << kLongestInputLine
                << " characters: '" << TerminalSafe(line, kQuotedCharacters) << "'\n";
      break;
    case InputLines::Outcome::Line:
      if (const auto x = TryStrToFloat(line); x && std::isfinite(static_cast<double>(*x))) return x;
      std::cerr << "torvik-cli: '" << TerminalSafe(line, kQuotedCharacters)
                << "' is not a valid floating point value\n";
      break;
  }
  status = 1;
  return std::nullopt;
}

// One number per line; a line end of CR LF is as good as LF.
int FilterStream(TdspIIRFilter& filter) {
  InputLines lines(STDIN_FILENO, kLongestInputLine);
  int status = 0;
  for (std::uint64_t number = 1;; ++number) {
    const auto x = NextNumber(lines, number, status);
    if (!x) return status;
    const double y = static_cast<double>(filter.Filter(*x));
    if (!std::isfinite(y)) {
      std::cerr << "torvik-cli: line " << number
                << ": the filtered value is not finite (the output overflows)\n";
      return 1;
    }
    char text[32];
    const int length = std::snprintf(text, sizeof text, "%.17g\n", y);
    WriteOut(std::string_view(text, static_cast<std::size_t>(length)));
  }
}

int Filter(const CliArguments& arguments) {
  TdspIIRFilterResource request;
  request.Kind = Choice<TdspIIRFilterKind>(
      arguments, "kind",
      {{"butterworth", fkButterworth}, {"chebyshev", fkChebyshev}, {"bessel", fkBessel}});
  request.Response = Choice<TdspIIRFilterResponse>(arguments, "response",
                                                   {{"lowpass", ftLowpass},
                                                    {"highpass", ftHighpass},
                                                    {"bandpass", ftBandpass},
                                                    {"bandstop", ftBandstop}});
  if (!arguments.Value("order") || !arguments.Value("f1") || !arguments.Value("rate")) {
    throw UsageError{"filter needs --order, --f1 and --rate"};
  }
  request.Order = WholeOption(arguments, "order", 1, 1, 8);
  request.Frequency1 = NumberOption(arguments, "f1", 0);
  request.Frequency2 = NumberOption(arguments, "f2", static_cast<double>(request.Frequency1));
  request.SampleRate = PositiveOption(arguments, "rate", 1);
  request.Ripple = NumberOption(arguments, "ripple", TdspIIRFilterResource{}.Ripple);
  request.ManualReset = arguments.Flag("manual-reset");
  auto filter = MakeFilter(request);
  if (arguments.Flag("design")) PrintJson(FilterDesignJson(*filter));
  if (!PolesInsideUnitCircle(*filter)) {
    const std::string& why = filter->ErrorText();
    std::cerr << "torvik-cli: "
              << (why.empty() ? "the designed filter has poles on or outside the unit circle" : why)
              << '\n';
    return 1;
  }
  return arguments.Flag("design") ? 0 : FilterStream(*filter);
}

PsdOptions PsdSettings(const CliArguments& arguments) {
  PsdOptions options;
  options.Segment =
      static_cast<std::size_t>(WholeOption(arguments, "segment", static_cast<int>(options.Segment),
                                           0, static_cast<int>(kPsdLongestSegment)));
  if (const auto band = arguments.Value("band")) {
    const std::size_t colon = band->find(':');
    const auto low =
        colon == std::string::npos ? std::nullopt : TryStrToFloat(band->substr(0, colon));
    const auto high =
        colon == std::string::npos ? std::nullopt : TryStrToFloat(band->substr(colon + 1));
    if (!low || !high || !std::isfinite(static_cast<double>(*low)) ||
        !std::isfinite(static_cast<double>(*high))) {
      throw UsageError{"--band '" + *band + "': takes LO:HI, two finite numbers in Hz"};
    }
    options.BandLow = static_cast<double>(*low);
    options.BandHigh = static_cast<double>(*high);
  }
  CheckOptions(PsdOptionsError(options));
  return options;
}

SrsOptions SrsSettings(const CliArguments& arguments) {
  SrsOptions options;
  options.MinFrequency = NumberOption(arguments, "fmin", options.MinFrequency);
  options.MaxFrequency = NumberOption(arguments, "fmax", options.MaxFrequency);
  options.PerOctave = NumberOption(arguments, "per-octave", options.PerOctave);
  options.Q = NumberOption(arguments, "q", options.Q);
  CheckOptions(SrsOptionsError(options));
  return options;
}

// JSON lines, or with --csv one table per file, separated by an empty line.
template <typename Options, typename JsonOf, typename CsvOf>
int Spectrum(const CliArguments& arguments, const Options& options, JsonOf json, CsvOf csv) {
  const IntervalRequest span = IntervalOptions(arguments);
  const bool asCsv = arguments.Flag("csv");
  bool first = true;
  return ForEachFile(arguments.Operands(), [&](const std::string& file, Session& s) {
    if (!asCsv) return PrintJson(json(file, s, span, options));
    const std::string table = csv(file, s, span, options);
    RequireFiniteCsv(table);
    if (!first) WriteOut("\n");
    WriteOut(table);
    first = false;
  });
}

int Psd(const CliArguments& arguments) {
  return Spectrum(arguments, PsdSettings(arguments), PsdJson, PsdCsv);
}

int Srs(const CliArguments& arguments) {
  return Spectrum(arguments, SrsSettings(arguments), SrsJson, SrsCsv);
}

struct Command {
  int (*run)(const CliArguments&);
  std::vector<std::string_view> options;  // the only ones it accepts
};

int Run(const CliArguments& arguments) {
  static const std::map<std::string, Command, std::less<>> commands = {
      {"info", {Info, {}}},
      {"params", {Params, {"from", "to", "bound", "codes", "invert", "cutoff", "correct-speed"}}},
      {"events", {Events, {"from", "to", "bound", "gap"}}},
      {"drops", {Drops, {"from", "to", "fall-level", "min-fall"}}},
      {"convert", {Convert, {}}},
      {"filter",
       {Filter,
        {"kind", "response", "order", "f1", "f2", "rate", "ripple", "manual-reset", "design"}}},
      {"psd", {Psd, {"from", "to", "segment", "band", "csv"}}},
      {"srs", {Srs, {"from", "to", "fmin", "fmax", "per-octave", "q", "csv"}}}};
  if (arguments.Command().empty()) throw UsageError{"no command given"};
  const auto command = commands.find(arguments.Command());
  if (command == commands.end()) throw UsageError{"unknown command " + arguments.Command()};
  if (const auto option = arguments.OptionOutside(command->second.options)) {
    throw UsageError{"--" + *option + " is not an option of " + arguments.Command()};
  }
  return command->second.run(arguments);
}

}  // namespace

int main(int argc, char** argv) {
  KeepClosedStandardStreamsClosed();
  QCoreApplication app(argc, argv);
  SetDecimalSeparator('.');  // scripts write numbers with a point
  try {
    const CliArguments arguments(argc, argv);
    int status = 0;
    if (arguments.HelpRequested()) {
      WriteOut(UsageText() + HelpText());
    } else if (arguments.VersionRequested()) {
      WriteOut("torvik-cli " TORVIK_VERSION "\n");
    } else {
      status = Run(arguments);
    }
    FinishOutput();
    return status;
  } catch (const UsageError& error) {
    std::cerr << "torvik-cli: " << TerminalSafe(error.why) << '\n'
              << UsageText()
              << "Run torvik-cli --help for the options, their units and defaults.\n";
    return 2;
  } catch (const std::exception& error) {
    std::cerr << "torvik-cli: " << TerminalSafe(error.what()) << '\n';
    return 1;
  }
}
