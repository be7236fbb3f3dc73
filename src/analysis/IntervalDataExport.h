// The samples of an interval in physical units, for other programs: time,
// the three calibrated accelerations (never inverted), temperature, linear
// and vibration speed, one row per sample, as CSV or as a workbook.
#pragma once

#include <string>
#include <vector>

#include "analysis/Interval.h"
#include "files/DataTable.h"
#include "files/XlsxWorkbook.h"
#include "model/Recording.h"

enum class AccelerationUnit { MetresPerSecondSquared, StandardGravity };  // m/s², g
// time_s, accel_x, accel_y, accel_z, temperature_c, lin_speed_x, vibro_speed_x:
// seconds, m/s², °C and m/s. In g the accelerations are accel_x_g …, so a
// script can never take one unit for the other.
std::vector<std::string> IntervalDataColumns(AccelerationUnit unit);

// Row k is sample Start + k: time k ÷ 1000 s, (code − Code0g) × Gain (÷ GValue
// in g), Temperature, LinSpeedX and VibroSpeedX of that sample. The vibration
// speed is read as it stands: the caller brings it up to date first. The
// table reads the recording when its rows are asked for. Throws
// std::invalid_argument for an interval beyond the recording.
DataTable IntervalDataTable(const Recording& recording, SampleInterval interval,
                            AccelerationUnit unit);

// What the workbook's sheet "Сведения" says beside what the recording holds.
struct IntervalDataDetails {
  std::string FileName;        // of the recording
  long double Cutoff = 0;      // Hz, of the vibration speed's high-pass
  std::string ProgramVersion;  // "1.0.0.1"
  std::string ExportDate;      // as the caller writes it
};

// The rows of a "Сведения" sheet that say which interval a file holds.
std::vector<DetailsRow> IntervalDetailsRows(SampleInterval interval);

// The table becomes the file at `path` through the file writer, complete or
// not at all; the workbook starts with "Сведения" and goes on past one
// sheet's rows to "Данные 2" … Throws FileWriteError with the user's text.
void ExportIntervalData(const std::string& path, DataFileFormat format, const Recording& recording,
                        SampleInterval interval, AccelerationUnit unit,
                        const IntervalDataDetails& details);
