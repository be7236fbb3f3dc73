// The window "Спектры": vibration spectrum and shock response spectrum of the
// current interval, each on a log-log chart with one curve per axis.
#pragma once

#include <memory>
#include <optional>

#include "analysis/Spectra.h"
#include "view/AnalysisWindow.h"

class ChartSurface;
class QDoubleSpinBox;
class QLabel;
class QPushButton;
class QSpinBox;

class SpectraWindow : public AnalysisWindow {
  Q_OBJECT

 public:
  SpectraWindow(const Session& session, UserDialogs& dialogs, QWidget* owner);

  // Both spectra of the interval; the settings' edits compute them again
  // for the same interval.
  void ShowAnalysis(std::optional<SampleInterval> interval) override;
  void ForgetRecording() override;

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

  void Refresh(SampleInterval interval);

  std::optional<SampleInterval> interval_;
  // Shared with the chart series that view them.
  std::shared_ptr<const IntervalPsdResult> psd_ = std::make_shared<const IntervalPsdResult>();
  std::shared_ptr<const IntervalSrsResult> srs_ = std::make_shared<const IntervalSrsResult>();
};
