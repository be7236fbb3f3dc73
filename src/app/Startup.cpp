#include "app/Startup.h"

#include "ui/CommandRunner.h"
#include "view/About.h"
#include "view/CutoffDialog.h"
#include "view/PresetsDialog.h"

ProgramWindows::~ProgramWindows() = default;

std::unique_ptr<ProgramWindows> CreateProgramWindows(UserDialogs& dialogs, int capacity) {
  auto windows = std::make_unique<ProgramWindows>();
  windows->MainForm = std::make_unique<TMainForm>(dialogs, capacity);
  TMainForm* main = windows->MainForm.get();
  windows->ParamForm = std::make_unique<TParamForm>(
      main->RecordingSession().Settings().BoundLevel, [main](double boundLevel) {
        RunCommand(main->Dialogs(), main,
                   [main, boundLevel] { main->ApplyBoundLevel(boundLevel); });
      });
  windows->SmoothingPropertiesDlg = std::make_unique<TSmoothingPropertiesDlg>(dialogs);
  windows->AboutForm = std::make_unique<TAboutForm>();
  main->SetDialogs(windows->ParamForm.get(), windows->SmoothingPropertiesDlg.get(),
                   windows->AboutForm.get());
  return windows;
}
