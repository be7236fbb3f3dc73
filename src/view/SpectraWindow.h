// The window "Спектры": vibration spectrum and shock response spectrum of the
// current interval, each on a log-log chart with one curve per axis.
#pragma once

#include <QWidget>
#include <memory>
#include <optional>

#include "analysis/Spectra.h"

class ChartSurface;
class QDoubleSpinBox;
class QLabel;
class QPushButton;
class QSpinBox;
class UserDialogs;

class SpectraWindow : public QWidget {
  Q_OBJECT

 public:
  SpectraWindow(const Recording& recording, UserDialogs& dialogs, QWidget* parent = nullptr);

  // Computes both spectra of the interval and shows them.
  void Refresh(SampleInterval interval);
  // The recording changed under the spectra: they go until the next refresh.
  void Forget();

  ChartSurface* PsdChart;
  ChartSurface* SrsChart;
  QLabel* PsdSummary;  // rms per axis
  QLabel* SrsSummary;  // peak and its frequency per axis
  QLabel* Readout;     // frequency and value under the mouse
  QSpinBox* SegmentEdit;
  QDoubleSpinBox* BandLowEdit;
  QDoubleSpinBox* BandHighEdit;
  QDoubleSpinBox* QEdit;
  QDoubleSpinBox* MinFrequencyEdit;
  QDoubleSpinBox* MaxFrequencyEdit;
  QPushButton* SaveCsvButton;
  QPushButton* PsdExportButton;
  QPushButton* SrsExportButton;

 private:
  QWidget* BuildSettings();
  void ShowPsd();
  void ShowSrs();
  void TrackMouse(ChartSurface& chart, QPoint position, const QString& unit);
  void SaveCsv();
  void ExportPicture(ChartSurface& chart);

  const Recording& recording_;
  UserDialogs& dialogs_;
  std::optional<SampleInterval> interval_;
  // Shared with the chart series that view them.
  std::shared_ptr<const IntervalPsdResult> psd_ = std::make_shared<const IntervalPsdResult>();
  std::shared_ptr<const IntervalSrsResult> srs_ = std::make_shared<const IntervalSrsResult>();
};
