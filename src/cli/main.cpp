// torvik-cli: the program's analysis for many recordings at once, as JSON.
#include <unistd.h>

#include <QCoreApplication>
#include <QGuiApplication>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <map>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "cli/CliAnalysisOptions.h"
#include "cli/CliArguments.h"
#include "cli/CliCommands.h"
#include "cli/CliFileCommands.h"
#include "cli/CliHelp.h"
#include "cli/CliOptions.h"
#include "cli/CliOutput.h"
#include "cli/CliSpectra.h"
#include "cli/ResultOutput.h"
#include "cli/StandardInput.h"
#include "cli/TerminalText.h"
#include "dsp/FilterStability.h"
#include "files/DataTable.h"
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

int Info(const CliArguments& arguments) {
  return ForEachFile(arguments.Operands(), [](const std::string& file, Session& s) {
    PrintJson(InfoJson(file, s.Data()));
  });
}

int Params(const CliArguments& arguments) {
  const ParamsRequest request = ParamsOptions(arguments);
  return ForEachFile(arguments.Operands(), [&request](const std::string& file, Session& s) {
    PrintJson(ParamsJson(file, s, request));
  });
}

int Events(const CliArguments& arguments) {
  EventsRequest request;
  request.interval = IntervalOptions(arguments);
  request.settings.Threshold = PositiveOption(arguments, "bound", request.settings.Threshold);
  request.settings.Gap = GapOption(arguments);
  return ForEachFile(arguments.Operands(), [&request](const std::string& file, Session& s) {
    const ShockEventsReport report = EventsJson(file, s, request);
    PrintJsonWithArray(report.head, QStringLiteral("events"), report.events.size(),
                       [&report](std::size_t i) { return ShockEventJson(report.events[i]); });
  });
}

int Drops(const CliArguments& arguments) {
  const DropsRequest request{IntervalOptions(arguments), DropOptions(arguments)};
  return ForEachFile(arguments.Operands(), [&request](const std::string& file, Session& s) {
    PrintJson(DropsJson(file, s, request));
  });
}

// The operands of a command that reads FILE and writes OUT.
const std::vector<std::string>& FileAndOutput(const CliArguments& arguments, const char* usage) {
  if (arguments.Operands().size() != 2) throw UsageError{usage};
  return arguments.Operands();
}

// Writes OUT from FILE's session, never onto FILE itself.
template <typename Write>
int IntoFile(const std::vector<std::string>& files, Write write) {
  if (SameFile(files[0], files[1])) {
    Report(files[1], "is the input file itself; it is left as it is");
    return 1;
  }
  return ForEachFile({files[0]}, [&files, &write](const std::string& file, Session& s) {
    write(file, s, files[1]);
  });
}

int Convert(const CliArguments& arguments) {
  return IntoFile(
      FileAndOutput(arguments, "convert takes FILE.dat and OUT.csv"),
      [](const std::string&, Session& s, const std::string& out) { s.SaveCodesFile(out); });
}

int Export(const CliArguments& arguments) {
  const auto& files = FileAndOutput(arguments, "export takes FILE.dat and OUT.csv or OUT.xlsx");
  const std::optional<DataFileFormat> format = DataFileFormatOf(files[1]);
  if (!format) throw UsageError{"export writes OUT.csv or OUT.xlsx: the extension is the format"};
  const ExportRequest request{IntervalOptions(arguments), UnitOption(arguments), *format};
  return IntoFile(files, [&request](const std::string& file, Session& s, const std::string& out) {
    ExportFile(file, s, request, out);
  });
}

// One --bound is the threshold of the exceedance search and of the events,
// as the presets' threshold is in the window.
int ReportCommand(const CliArguments& arguments) {
  const auto& files = FileAndOutput(arguments, "report takes FILE.dat and OUT.pdf");
  ReportCommandRequest request{ParamsOptions(arguments), {}};
  request.params.settings.BoundLevel = PositiveOption(arguments, "bound", kDefaultBoundLevel);
  request.analyses.Gap = GapOption(arguments);
  request.analyses.Drops = DropOptions(arguments);
  request.analyses.Psd = PsdSettings(arguments);
  request.analyses.Srs = SrsSettings(arguments);
  return IntoFile(files, [&request](const std::string& file, Session& s, const std::string& out) {
    ReportFile(file, s, request, out);
  });
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
      std::cerr << "torvik-cli: " << ConversionError(TerminalSafe(line, kQuotedCharacters)).what()
                << '\n';
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

// JSON lines, or with --csv one table per file, separated by an empty line.
template <typename Options, typename JsonOf, typename CsvOf>
int Spectrum(const CliArguments& arguments, const Options& options, JsonOf json, CsvOf csv) {
  const IntervalRequest span = IntervalOptions(arguments);
  const bool asCsv = arguments.Flag("csv");
  bool first = true;
  return ForEachFile(arguments.Operands(), [&](const std::string& file, Session& s) {
    if (!asCsv) return PrintJson(json(file, s, span, options));
    std::string table;
    try {
      table = csv(file, s, span, options);
    } catch (const NonFiniteCell&) {
      throw NonFiniteResult();  // said in the command line's words
    }
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
      {"export", {Export, {"from", "to", "units"}}},
      {"report",
       {ReportCommand,
        {"from", "to", "bound", "codes", "invert", "cutoff", "correct-speed", "gap", "fall-level",
         "min-fall", "segment", "band", "fmin", "fmax", "per-octave", "q"}}},
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
  SetDecimalSeparator('.');  // scripts write numbers with a point
  int pagesArgc = 1;         // the report's application sees the program's name alone
  char* pagesArgv[] = {argv[0], nullptr};
  std::unique_ptr<QCoreApplication> app;
  try {
    const CliArguments arguments(argc, argv);
    // The report draws its pages with QtGui on the offscreen platform, so it
    // needs no display; every other command keeps the lighter application.
    if (arguments.Command() == "report" && !arguments.HelpRequested() &&
        !arguments.VersionRequested()) {
      qputenv("QT_QPA_PLATFORM", "offscreen");
      app = std::make_unique<QGuiApplication>(pagesArgc, pagesArgv);
    } else {
      app = std::make_unique<QCoreApplication>(argc, argv);
    }
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
