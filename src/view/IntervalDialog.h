// The dialog "Интервал": the start and stop of the interval typed in seconds.
#pragma once

#include <QDialog>
#include <cstdint>
#include <optional>

#include "analysis/Interval.h"

class QDialogButtonBox;
class QLineEdit;
class UserDialogs;

class IntervalDialog : public QDialog {
  Q_OBJECT

 public:
  // The edits start with the texts given; the times must lie on a recording
  // of `sampleCount` samples.
  IntervalDialog(UserDialogs& dialogs, std::uint32_t sampleCount, const QString& start,
                 const QString& stop, QWidget* parent = nullptr);

  QLineEdit* StartEdit;
  QLineEdit* StopEdit;
  QDialogButtonBox* Buttons;

  // The times accepted, as the tool row shows them; nothing unless the user
  // accepted a valid pair.
  std::optional<IntervalTimes> AcceptedTimes() const { return accepted_; }

  // A pair that is not on the recording keeps the dialog open with a
  // message naming the allowed range.
  void accept() override;

 private:
  UserDialogs& dialogs_;
  std::uint32_t sampleCount_;
  std::optional<IntervalTimes> accepted_;
};
