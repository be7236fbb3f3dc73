// The program's four windows, created in their start-up order.
#pragma once

#include <memory>

#include "app/Main.h"
#include "model/Recording.h"

class UserDialogs;

struct ProgramWindows {
  // Declared first, destroyed last: the dialogs refer to its recording.
  std::unique_ptr<TMainForm> MainForm;
  std::unique_ptr<TParamForm> ParamForm;
  std::unique_ptr<TSmoothingPropertiesDlg> SmoothingPropertiesDlg;
  std::unique_ptr<TAboutForm> AboutForm;
  ~ProgramWindows();
};

std::unique_ptr<ProgramWindows> CreateProgramWindows(UserDialogs& dialogs,
                                                     int capacity = Recording::kFullCapacity);
