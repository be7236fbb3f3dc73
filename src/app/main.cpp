#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTimer>
#include <QTranslator>

#include "app/Startup.h"
#include "files/VersionResource.h"
#include "text/NumberText.h"
#include "ui/CommandRunner.h"
#include "ui/QtUserDialogs.h"

// The version the About window reads back from this program's file.
[[gnu::section(".torvik_version"), gnu::used]] const VersionResource kProgramVersion =
    MakeVersionResource(TORVIK_VERSION_MAJOR, TORVIK_VERSION_MINOR, TORVIK_VERSION_PATCH,
                        TORVIK_VERSION_TWEAK);

int main(int argc, char** argv) {
  QApplication app(argc, argv);
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

  if (argc > 1) {
    const std::string path = argv[1];  // the bytes as given, UTF-8 or not
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
