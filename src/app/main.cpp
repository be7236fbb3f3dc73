#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTimer>
#include <QTranslator>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/Startup.h"
#include "files/VersionResource.h"
#include "text/NumberText.h"
#include "ui/CommandRunner.h"
#include "ui/QtUserDialogs.h"

// The version the About window reads back from this program's file.
[[gnu::section(".torvik_version"), gnu::used]] const VersionResource kProgramVersion =
    MakeVersionResource(TORVIK_VERSION_MAJOR, TORVIK_VERSION_MINOR, TORVIK_VERSION_PATCH,
                        TORVIK_VERSION_TWEAK);

namespace {

const char* const kUsage =
    "usage: torvik3axis [FILE.dat]...\n"
    "       torvik3axis --help | -h | --version\n";

const char* const kHelp =
    "\n"
    "Shows the recording of a three-axis acceleration logger (*.dat) on one chart:\n"
    "acceleration X, Y and Z, temperature, linear speed and vibration speed. Two\n"
    "cursors pick an interval for its minimum, maximum, mean and RMS, the runs\n"
    "beyond a threshold, the shock events and the spectra; the recording can be\n"
    "cropped, printed and exported. The window is in Russian.\n"
    "\n"
    "FILE.dat is opened when the window is shown. Of several files only the first\n"
    "is opened (the others are named on stderr); a file whose name starts with '-'\n"
    "follows '--'. Qt's own options (-platform, -style, ...) are accepted.\n"
    "The same analysis without a window, as JSON: torvik-cli.\n"
    "\n"
    "Exit status: 0 when the window was closed, 2 a wrong command line.\n";

// Text on stdout; a failed write is a failure.
int Print(const std::string& text) {
  std::cout << text << std::flush;
  if (std::cout) return 0;
  std::cerr << "torvik3axis: the output could not be written\n";
  return 1;
}

// The version as the About window shows it: read back from this program's file.
int PrintVersion() {
  const std::string shown = VersionText(ReadVersionResource("/proc/self/exe"));
  constexpr std::string_view kShownPrefix = " Ver ";
  if (!shown.starts_with(kShownPrefix)) {
    std::cerr << "torvik3axis: this program file carries no version\n";
    return 1;
  }
  return Print("torvik3axis " + shown.substr(kShownPrefix.size()) + "\n");
}

// --help and --version are answered before Qt starts, so they need no display.
std::optional<int> AnswerEarly(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view word = argv[i];
    if (word == "--") break;
    if (word == "--help" || word == "-h") return Print(std::string(kUsage) + kHelp);
    if (word == "--version") return PrintVersion();
  }
  return std::nullopt;
}

// What Qt left of the command line: the files (as the bytes given, UTF-8 or
// not), or nothing after an option that neither Qt nor we know.
std::optional<std::vector<std::string>> FileArguments(int argc, char** argv) {
  std::vector<std::string> files;
  bool optionsEnded = false;
  for (int i = 1; i < argc; ++i) {
    const std::string_view word = argv[i];
    if (!optionsEnded && word == "--") {
      optionsEnded = true;
    } else if (!optionsEnded && word.size() > 1 && word.front() == '-') {
      std::cerr << "torvik3axis: unknown option " << word << '\n'
                << kUsage << "Run torvik3axis --help for more.\n";
      return std::nullopt;
    } else {
      files.emplace_back(word);
    }
  }
  for (std::size_t i = 1; i < files.size(); ++i)
    std::cerr << "torvik3axis: only the first file is opened; not opened: " << files[i] << '\n';
  return files;
}

}  // namespace

int main(int argc, char** argv) {
  if (const auto status = AnswerEarly(argc, argv)) return *status;
  QApplication app(argc, argv);
  const auto files = FileArguments(argc, argv);
  if (!files) return 2;
  QApplication::setApplicationName(kApplicationTitle);

  QTranslator qtTranslations;
  if (qtTranslations.load(QLocale(QLocale::Russian), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    app.installTranslator(&qtTranslations);
  }
  SetDecimalSeparator(QLocale::system().decimalPoint().at(0).toLatin1());

  QtUserDialogs dialogs;
  auto windows = CreateProgramWindows(dialogs);
  TMainForm& mainForm = *windows->MainForm;
  mainForm.show();

  if (!files->empty()) {
    const std::string path = files->front();
    QTimer::singleShot(0, &mainForm, [&mainForm, path] {
      RunCommand(mainForm.Dialogs(), &mainForm,
                 [&mainForm, path] { mainForm.ImportLoggerPath(path); });
    });
  }
  // Lets the benchmark time the start-up of the whole process.
  if (qEnvironmentVariableIsSet("TORVIK_QUIT_WHEN_SHOWN"))
    QTimer::singleShot(0, &app, &QApplication::quit);
  return app.exec();
}
