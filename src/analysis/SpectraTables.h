// The spectra as tables for other programs, one table per file: the
// vibration spectrum and the shock spectrum, each with frequency_hz and one
// column per axis, and a workbook holding both with their settings.
#pragma once

#include <string>
#include <utility>

#include "analysis/Interval.h"
#include "analysis/Spectra.h"
#include "files/DataTable.h"

// frequency_hz, psd_x_ms2sq_per_hz, psd_y_…, psd_z_…: (m/s²)²/Hz, every bin
// from 0 Hz.
DataTable PsdTable(const IntervalPsdResult& psd);
// frequency_hz, srs_x_ms2, srs_y_ms2, srs_z_ms2: the maximax peak, m/s².
DataTable SrsTable(const IntervalSrsResult& srs);

// The two files a save of the spectra under `chosen` writes: NAME-psd.csv
// and NAME-srs.csv, NAME being `chosen` less a ".csv" extension.
std::pair<std::string, std::string> SpectraCsvPaths(const std::string& chosen);

// Both tables, each through the file writer (complete or not at all), the
// vibration spectrum first. Throws FileWriteError with the user's text.
void SaveSpectraCsv(const std::string& chosen, const IntervalPsdResult& psd,
                    const IntervalSrsResult& srs);

// What the workbook's sheet "Сведения" says about how the spectra were made.
struct SpectraDetails {
  std::string FileName;  // of the recording
  SampleInterval Interval;
  PsdOptions Psd;
  SrsOptions Srs;
};

// One workbook: "Сведения" (file, interval, segment, band, Q, frequencies
// per octave and range), "Спектр" and "Ударный спектр". Throws
// FileWriteError with the user's text.
void SaveSpectraXlsx(const std::string& path, const IntervalPsdResult& psd,
                     const IntervalSrsResult& srs, const SpectraDetails& details);
