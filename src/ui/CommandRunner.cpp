#include "ui/CommandRunner.h"

#include <QString>
#include <exception>

#include "ui/UserDialogs.h"

void RunCommand(UserDialogs& dialogs, QWidget* parent, const std::function<void()>& command) {
  try {
    command();
  } catch (const std::exception& fault) {
    dialogs.ErrorBox(parent, QString::fromUtf8(fault.what()));
  }
}
