// torvik-cli: the program's analysis for many recordings at once, as JSON.
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QJsonDocument>
#include <QTextStream>
#include <cmath>
#include <cstdio>
#include <iostream>
#include <map>
#include <string>

#include "analysis/NumberText.h"
#include "cli/CliCommands.h"
#include "cli/CliInput.h"
#include "cli/CliSpectra.h"
#include "files/CodesTextFile.h"

namespace {

const char* const kUsage =
    "usage: torvik-cli info FILE...\n"
    "       torvik-cli params [--from S] [--to S] [--bound L] [--codes] [--invert]\n"
    "                         [--cutoff HZ] [--correct-speed] FILE...\n"
    "       torvik-cli convert FILE.dat OUT.csv\n"
    "       torvik-cli filter --kind butterworth|chebyshev|bessel\n"
    "                         --response lowpass|highpass|bandpass|bandstop --order N\n"
    "                         --f1 HZ [--f2 HZ] --rate HZ [--ripple DB] [--manual-reset] "
    "[--design]\n"
    "       torvik-cli psd [--from S] [--to S] [--segment N] [--band LO:HI] [--csv] FILE...\n"
    "       torvik-cli srs [--from S] [--to S] [--fmin F] [--fmax F] [--per-octave B] [--q Q]\n"
    "                      [--csv] FILE...\n";

struct UsageError {
  std::string why;
};

void PrintJson(const QJsonObject& object) {
  std::cout << QJsonDocument(object).toJson(QJsonDocument::Compact).toStdString() << '\n';
}

long double Number(const QCommandLineParser& parser, const char* option, long double fallback) {
  if (!parser.isSet(option)) return fallback;
  const auto value = TryStrToFloat(parser.value(option).toStdString());
  if (!value) throw UsageError{std::string("--") + option + " takes a number"};
  return *value;
}

template <typename Enum>
Enum Choice(const QCommandLineParser& parser, const char* option,
            const std::map<QString, Enum>& choices, bool required) {
  const auto found = choices.find(parser.value(option));
  if (found != choices.end()) return found->second;
  if (!required && !parser.isSet(option)) return choices.begin()->second;
  throw UsageError{std::string("--") + option + " is missing or unknown"};
}

// Runs `command` on every file in turn; a file that cannot be used is
// reported and the others are still processed.
template <typename Command>
int ForEachFile(const QStringList& files, Command command) {
  if (files.isEmpty()) throw UsageError{"no file given"};
  int status = 0;
  for (const QString& file : files) {
    QString message;
    auto loaded = LoadRecording(file, message);
    if (!loaded) {
      std::cerr << "torvik-cli: " << file.toStdString() << ": " << message.toStdString() << '\n';
      status = 1;
      continue;
    }
    if (!loaded->warning.isEmpty()) {
      std::cerr << "torvik-cli: " << file.toStdString() << ": " << loaded->warning.toStdString()
                << '\n';
    }
    command(file, *loaded->recording);
  }
  return status;
}

int Filter(const QCommandLineParser& parser) {
  TdspIIRFilterResource request;
  request.Kind = Choice<TdspIIRFilterKind>(
      parser, "kind",
      {{"butterworth", fkButterworth}, {"chebyshev", fkChebyshev}, {"bessel", fkBessel}}, true);
  request.Response = Choice<TdspIIRFilterResponse>(parser, "response",
                                                   {{"lowpass", ftLowpass},
                                                    {"highpass", ftHighpass},
                                                    {"bandpass", ftBandpass},
                                                    {"bandstop", ftBandstop}},
                                                   true);
  if (!parser.isSet("order") || !parser.isSet("f1") || !parser.isSet("rate")) {
    throw UsageError{"filter needs --order, --f1 and --rate"};
  }
  request.Order = static_cast<int>(Number(parser, "order", 1));
  request.Frequency1 = Number(parser, "f1", 0);
  request.Frequency2 = Number(parser, "f2", request.Frequency1);
  request.SampleRate = Number(parser, "rate", 0);
  request.Ripple = Number(parser, "ripple", 0.1L);
  request.ManualReset = parser.isSet("manual-reset");
  auto filter = MakeFilter(request);
  if (parser.isSet("design")) {
    PrintJson(FilterDesignJson(*filter));
    return 0;
  }
  std::string line;
  while (std::getline(std::cin, line)) {
    const auto x = TryStrToFloat(line);
    if (!x) {
      std::cerr << "torvik-cli: '" << line << "' is not a valid floating point value\n";
      return 1;
    }
    std::printf("%.17g\n", static_cast<double>(filter->Filter(*x)));
  }
  return 0;
}

// Settings that cannot give a spectrum are the caller's mistake.
void CheckOptions(const std::optional<std::string>& error) {
  if (error) throw UsageError{*error};
}

PsdOptions PsdSettings(const QCommandLineParser& parser) {
  PsdOptions options;
  const long double segment = Number(parser, "segment", 1024);
  if (segment != std::floor(segment) || segment < 0 || segment > 1e9) {
    throw UsageError{"--segment takes a whole number of samples"};
  }
  options.Segment = static_cast<std::size_t>(segment);
  if (parser.isSet("band")) {
    const QStringList ends = parser.value("band").split(QLatin1Char(':'));
    const auto low = ends.size() == 2 ? TryStrToFloat(ends[0].toStdString()) : std::nullopt;
    const auto high = ends.size() == 2 ? TryStrToFloat(ends[1].toStdString()) : std::nullopt;
    if (!low || !high) throw UsageError{"--band takes LO:HI in Hz"};
    options.BandLow = static_cast<double>(*low);
    options.BandHigh = static_cast<double>(*high);
  }
  CheckOptions(PsdOptionsError(options));
  return options;
}

SrsOptions SrsSettings(const QCommandLineParser& parser) {
  SrsOptions options;
  options.MinFrequency = static_cast<double>(Number(parser, "fmin", options.MinFrequency));
  options.MaxFrequency = static_cast<double>(Number(parser, "fmax", options.MaxFrequency));
  options.PerOctave = static_cast<double>(Number(parser, "per-octave", options.PerOctave));
  options.Q = static_cast<double>(Number(parser, "q", options.Q));
  CheckOptions(SrsOptionsError(options));
  return options;
}

// JSON lines, or with --csv one table per file, separated by an empty line.
template <typename Options, typename JsonOf, typename CsvOf>
int Spectrum(const QCommandLineParser& parser, const QStringList& files, const Options& options,
             JsonOf json, CsvOf csv) {
  const SpectrumInterval span{parser.value("from"), parser.value("to")};
  const bool asCsv = parser.isSet("csv");
  bool first = true;
  return ForEachFile(files, [&](const QString& file, Recording& r) {
    if (!asCsv) return PrintJson(json(file, r, span, options));
    std::cout << (first ? "" : "\n") << csv(r, span, options);
    first = false;
  });
}

int Run(const QCommandLineParser& parser) {
  const QStringList arguments = parser.positionalArguments();
  if (arguments.isEmpty()) throw UsageError{"no command given"};
  const QString command = arguments.first();
  const QStringList files = arguments.mid(1);
  if (command == "info") {
    return ForEachFile(files,
                       [](const QString& file, Recording& r) { PrintJson(InfoJson(file, r)); });
  }
  if (command == "params") {
    ParamsRequest request;
    request.from = parser.value("from");
    request.to = parser.value("to");
    request.bound = static_cast<double>(Number(parser, "bound", 25.0));
    request.codes = parser.isSet("codes");
    request.invert = parser.isSet("invert");
    request.cutoff = static_cast<double>(Number(parser, "cutoff", 10.0));
    request.correctSpeed = parser.isSet("correct-speed");
    return ForEachFile(files, [&request](const QString& file, Recording& r) {
      PrintJson(ParamsJson(file, r, request));
    });
  }
  if (command == "convert") {
    if (files.size() != 2) throw UsageError{"convert takes FILE.dat and OUT.csv"};
    return ForEachFile(files.mid(0, 1), [&files](const QString&, Recording& r) {
      WriteCodesTextFile(files[1].toStdString(), r);
    });
  }
  if (command == "filter") return Filter(parser);
  if (command == "psd") return Spectrum(parser, files, PsdSettings(parser), PsdJson, PsdCsv);
  if (command == "srs") return Spectrum(parser, files, SrsSettings(parser), SrsJson, SrsCsv);
  throw UsageError{"unknown command " + command.toStdString()};
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  SetDecimalSeparator('.');  // scripts write numbers with a point
  QCommandLineParser parser;
  for (const char* name :
       {"from", "to", "bound", "cutoff", "kind", "response", "order", "f1", "f2", "rate", "ripple",
        "segment", "band", "fmin", "fmax", "per-octave", "q"}) {
    parser.addOption(QCommandLineOption(name, name, "value"));
  }
  for (const char* name : {"codes", "invert", "correct-speed", "manual-reset", "design", "csv"}) {
    parser.addOption(QCommandLineOption(name, name));
  }
  parser.addPositionalArgument("command", "info, params, convert, filter, psd or srs");
  try {
    if (!parser.parse(app.arguments())) throw UsageError{parser.errorText().toStdString()};
    return Run(parser);
  } catch (const UsageError& error) {
    std::cerr << "torvik-cli: " << error.why << '\n' << kUsage;
    return 2;
  } catch (const std::exception& error) {
    std::cerr << "torvik-cli: " << error.what() << '\n';
    return 1;
  }
}
