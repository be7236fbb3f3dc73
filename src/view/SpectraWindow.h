// The window "Спектры": vibration spectrum and shock response spectrum of the
// current interval, each on a log-log chart with one curve per axis. Its
// settings take any typed value and refuse one the spectra cannot use,
// naming what they accept; they are kept between runs.
#pragma once

#include <memory>
#include <optional>

#include "analysis/Spectra.h"
#include "view/AnalysisWindow.h"

class ChartSurface;
class Crosshair;
class NumberEdit;
class QLabel;
class QPushButton;

class SpectraWindow : public AnalysisWindow {
  Q_OBJECT

 public:
  SpectraWindow(const Session& session, UserDialogs& dialogs, QWidget* owner);

  // Both spectra of the interval; an accepted setting computes them again
  // for the same interval.
  void ShowAnalysis(std::optional<SampleInterval> interval) override;
  void ForgetRecording() override;

  // The settings in force.
  const PsdOptions& Psd() const { return psdOptions_; }
  const SrsOptions& Srs() const { return srsOptions_; }

  ChartSurface* PsdChart;
  ChartSurface* SrsChart;
  QLabel* PsdSummary;  // rms per axis
  QLabel* SrsSummary;  // peak and its frequency per axis
  QLabel* Readout;     // frequency and value under the mouse
  NumberEdit* SegmentEdit;
  NumberEdit* BandLowEdit;
  NumberEdit* BandHighEdit;
  NumberEdit* QEdit;
  NumberEdit* PerOctaveEdit;
  NumberEdit* MinFrequencyEdit;
  NumberEdit* MaxFrequencyEdit;
  QPushButton* DefaultsButton;  // "По умолчанию"
  QPushButton* SaveCsvButton;   // NAME-psd.csv and NAME-srs.csv
  QPushButton* SaveXlsxButton;  // both spectra and their settings in one workbook
  QPushButton* PsdExportButton;
  QPushButton* SrsExportButton;

 private:
  QWidget* BuildSettings();
  void BuildPsdEdits(QWidget* box);
  void BuildSrsEdits(QWidget* box);
  // The settings kept from the last run, or the defaults where they are
  // unusable.
  void LoadSettings();
  void ShowSettings();
  void KeepSettings() const;
  void Defaults();
  void SettingAccepted();
  void ShowPsd();
  void ShowSrs();
  void TrackMouse(ChartSurface& chart, Crosshair& crosshair, QPoint position, const QString& unit);
  void SaveCsv();
  void SaveXlsx();
  void ExportPicture(ChartSurface& chart);

  void Refresh(SampleInterval interval);

  PsdOptions psdOptions_;
  SrsOptions srsOptions_;
  Crosshair* psdCrosshair_;
  Crosshair* srsCrosshair_;
  std::optional<SampleInterval> interval_;
  // Shared with the chart series that view them.
  std::shared_ptr<const IntervalPsdResult> psd_ = std::make_shared<const IntervalPsdResult>();
  std::shared_ptr<const IntervalSrsResult> srs_ = std::make_shared<const IntervalSrsResult>();
};
