// The analysis report: three A4 pages of an interval's analysis for the
// file, drawn with QtGui alone (the command-line tool makes it on the
// offscreen platform). Page 1: the recording, the interval, the
// calibration, a chart of X, Y and Z, the parameter rows and the exceedance
// search; page 2: the shock events and the drops; page 3: the vibration
// spectrum and the shock spectrum with their rms and peak tables.
#pragma once

#include <QByteArray>
#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "analysis/Drops.h"
#include "analysis/Interval.h"
#include "analysis/IntervalParams.h"
#include "analysis/ShockEvents.h"
#include "analysis/Spectra.h"
#include "model/Recording.h"

// One row of the parameter list as the window shows it.
struct ReportParamRow {
  std::string Caption;
  RowTexts Texts;  // minimum, maximum, mean, deviation
};

struct ReportExceedancePass {
  bool Exceeded = false;
  std::size_t Runs = 0;  // the runs the list shows
  std::string Header;    // the list's header line, when exceeded
};

struct ReportExceedances {
  bool Searched = false;                       // the X acceleration was shown and nobody tracked
  double Bound = 0.0;                          // m/s²
  std::array<ReportExceedancePass, 2> Passes;  // positive, negative
};

// The rows in the order the window shows them (3, 4, 0, 1, 2) with their captions.
std::vector<ReportParamRow> ReportParamRows(const IntervalParamsResult& params);
// Both passes of a calculation against `bound`.
ReportExceedances ReportExceedanceSummary(const IntervalParamsResult& params, double bound);

// Everything the report shows, computed beforehand; the report formats it.
struct AnalysisReport {
  std::string FileName;
  std::string Date;          // as the caller writes it
  const Recording& Samples;  // the chart's samples, the calibration and the length
  SampleInterval Interval;
  std::vector<ReportParamRow> ParamRows;
  ReportExceedances Exceedances;
  const ShockEventsResult& Events;
  const std::vector<Drop>& Drops;
  const IntervalPsdResult& Psd;
  PsdOptions PsdSettings;
  const IntervalSrsResult& Srs;
  SrsOptions SrsSettings;
};

inline constexpr int kReportPages = 3;
inline constexpr std::size_t kReportEvents = 30;  // the largest by |peak|
inline constexpr std::size_t kReportDrops = 15;   // the first ones

// The report as a PDF drawn at `dpi` dots per inch.
QByteArray AnalysisReportPdf(const AnalysisReport& report, int dpi = 1200);

// The PDF becomes the file at `path` through the file writer, complete or
// not at all. Throws FileWriteError with the user's text.
void WriteAnalysisReportPdf(const std::string& path, const AnalysisReport& report);
