// What every analysis window beside the chart is: a window of its own (not
// modal) that shows one analysis of an interval of the session's recording
// whenever the parameters are computed, and lets go of it when the recording
// changes under it. The main window keeps them in one list.
//
// Each keeps its own settings, its size and its place between runs in the
// program's settings store, under its object name.
#pragma once

#include <QSize>
#include <QString>
#include <QVariant>
#include <QWidget>
#include <optional>

#include "model/Interval.h"

class Session;
class UserDialogs;

class AnalysisWindow : public QWidget {
  Q_OBJECT

 public:
  // `owner` keeps the window alive; the session outlives it. `name` is the
  // object name, which the store files its settings under.
  AnalysisWindow(const Session& session, UserDialogs& dialogs, QWidget* owner, const QString& name);
  ~AnalysisWindow() override;

  // Computes the analysis of `interval` and shows it; none: the recording is
  // empty.
  virtual void ShowAnalysis(std::optional<SampleInterval> interval) = 0;
  // The recording changed: what the window shows goes, and it says how to
  // get it back.
  virtual void ForgetRecording() = 0;

 protected:
  // The one line every analysis window shows after the recording changed.
  static QString RecordingChangedNotice();

  // The size and place of the last run, or `size` where there was none.
  // Called once the window is built.
  void RestorePlace(QSize size);
  // A setting kept between runs; `fallback` when none was kept or it is not
  // a number.
  double KeptNumber(const QString& key, double fallback) const;
  void KeepNumber(const QString& key, double value) const;

  void hideEvent(QHideEvent* event) override;

  const Session& session_;
  UserDialogs& dialogs_;

 private:
  void KeepPlace() const;
};
