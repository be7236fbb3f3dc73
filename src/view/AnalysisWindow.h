// What every analysis window beside the chart is: a window of its own (not
// modal) that shows one analysis of an interval of the session's recording
// whenever the parameters are computed, and lets go of it when the recording
// changes under it. The main window keeps them in one list.
#pragma once

#include <QString>
#include <QWidget>
#include <optional>

#include "model/Interval.h"

class Session;
class UserDialogs;

class AnalysisWindow : public QWidget {
  Q_OBJECT

 public:
  // `owner` keeps the window alive; the session outlives it.
  AnalysisWindow(const Session& session, UserDialogs& dialogs, QWidget* owner);

  // Computes the analysis of `interval` and shows it; none: the recording is
  // empty.
  virtual void ShowAnalysis(std::optional<SampleInterval> interval) = 0;
  // The recording changed: what the window shows goes, and it says how to
  // get it back.
  virtual void ForgetRecording() = 0;

 protected:
  // The one line every analysis window shows after the recording changed.
  static QString RecordingChangedNotice();

  const Session& session_;
  UserDialogs& dialogs_;
};
