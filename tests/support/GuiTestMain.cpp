// GUI tests run the real windows under Qt's offscreen platform unless the
// caller chose another one.
#include <gtest/gtest.h>

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <algorithm>
#include <string_view>

#include "ui/ProgramSettings.h"

namespace {

// Each test starts from an empty store as well, whichever ran before it in
// the same program.
class EmptyStoreForEachTest : public ::testing::EmptyTestEventListener {
  void OnTestStart(const ::testing::TestInfo&) override { ProgramSettings()->clear(); }
};

}  // namespace

int main(int argc, char** argv) {
  // Listing the cases, as ctest does before it runs them, never needs a
  // display, whatever platform the caller's environment names.
  const bool listing = std::any_of(argv + 1, argv + argc, [](const char* argument) {
    return std::string_view(argument) == "--gtest_list_tests";
  });
  if (listing || qgetenv("QT_QPA_PLATFORM").isEmpty()) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  // What the program keeps between runs goes to a folder of this run alone,
  // so every test program starts from an empty store.
  const QTemporaryDir settings;
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());
  ::testing::InitGoogleTest(&argc, argv);
  ::testing::UnitTest::GetInstance()->listeners().Append(new EmptyStoreForEachTest);
  return RUN_ALL_TESTS();
}
