// torvik-cli: the program's analysis for many recordings at once, as JSON.
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QJsonDocument>
#include <QTextStream>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <iostream>
#include <map>
#include <string>

#include "analysis/NumberText.h"
#include "cli/CliCommands.h"
#include "cli/CliInput.h"
#include "files/CodesTextFile.h"

namespace {

const char* const kUsage =
    "usage: torvik-cli info FILE...\n"
    "       torvik-cli params [--from S] [--to S] [--bound L] [--codes] [--invert]\n"
    "                         [--cutoff HZ] [--correct-speed] FILE...\n"
    "       torvik-cli events [--from S] [--to S] [--bound L] [--gap N] FILE...\n"
    "       torvik-cli convert FILE.dat OUT.csv\n"
    "       torvik-cli filter --kind butterworth|chebyshev|bessel\n"
    "                         --response lowpass|highpass|bandpass|bandstop --order N\n"
    "                         --f1 HZ [--f2 HZ] --rate HZ [--ripple DB] [--manual-reset] "
    "[--design]\n";

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

// A threshold: a finite number above zero.
double PositiveNumber(const QCommandLineParser& parser, const char* option, double fallback) {
  const long double value = Number(parser, option, fallback);
  if (!(value > 0) || !std::isfinite(static_cast<double>(value))) {
    throw UsageError{std::string("--") + option + " takes a number greater than 0"};
  }
  return static_cast<double>(value);
}

// A count of samples: a whole number from 0 up.
std::uint32_t SampleCountOption(const QCommandLineParser& parser, const char* option,
                                std::uint32_t fallback) {
  const long double value = Number(parser, option, fallback);
  if (!(value >= 0) || value > UINT32_MAX || value != std::floor(value)) {
    throw UsageError{std::string("--") + option + " takes a whole number from 0 up"};
  }
  return static_cast<std::uint32_t>(value);
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
  if (command == "events") {
    EventsRequest request;
    request.from = parser.value("from");
    request.to = parser.value("to");
    request.settings.Threshold = PositiveNumber(parser, "bound", 25.0);
    request.settings.Gap = SampleCountOption(parser, "gap", 10);
    return ForEachFile(files, [&request](const QString& file, Recording& r) {
      PrintJson(EventsJson(file, r, request));
    });
  }
  if (command == "convert") {
    if (files.size() != 2) throw UsageError{"convert takes FILE.dat and OUT.csv"};
    return ForEachFile(files.mid(0, 1), [&files](const QString&, Recording& r) {
      WriteCodesTextFile(files[1].toStdString(), r);
    });
  }
  if (command == "filter") return Filter(parser);
  throw UsageError{"unknown command " + command.toStdString()};
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  SetDecimalSeparator('.');  // scripts write numbers with a point
  QCommandLineParser parser;
  for (const char* name : {"from", "to", "bound", "gap", "cutoff", "kind", "response", "order",
                           "f1", "f2", "rate", "ripple"}) {
    parser.addOption(QCommandLineOption(name, name, "value"));
  }
  for (const char* name : {"codes", "invert", "correct-speed", "manual-reset", "design"}) {
    parser.addOption(QCommandLineOption(name, name));
  }
  parser.addPositionalArgument("command", "info, params, events, convert or filter");
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
