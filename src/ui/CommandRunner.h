#pragma once

#include <functional>

class QWidget;
class UserDialogs;

// Runs one user command. A fault the command does not handle itself ends the
// command and is shown in the standard error box; the program then goes on.
void RunCommand(UserDialogs& dialogs, QWidget* parent, const std::function<void()>& command);
