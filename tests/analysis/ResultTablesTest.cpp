// Results leave the program as files a colleague's tools read: every CSV
// read back by a strict reader, every value equal to the core's double;
// workbooks read back part by part.
#include <gtest/gtest.h>

#include <variant>

#include "analysis/EventTables.h"
#include "analysis/IntervalDataExport.h"
#include "analysis/SpectraTables.h"
#include "files/CsvTable.h"
#include "support/GeneratedRecording.h"
#include "support/SavedFiles.h"
#include "support/StrictCsv.h"
#include "support/TempDir.h"
#include "support/XlsxFile.h"
#include "text/NumberText.h"
#include "text/ShortestText.h"

namespace {

using Expected = std::variant<std::string, double, std::nullopt_t>;

// Every field of every row as `expected(row, column)` says: a text, the
// number exactly, or empty.
void ExpectCsv(const std::string& text, const std::vector<std::string>& header, std::size_t rows,
               const std::function<Expected(std::size_t, std::size_t)>& expected) {
  const StrictCsv csv = ReadStrictCsv(text);
  ASSERT_EQ(csv.error, "");
  ASSERT_EQ(csv.header, header);
  ASSERT_EQ(csv.rows.size(), rows);
  for (std::size_t r = 0; r < rows; ++r) {
    for (std::size_t c = 0; c < header.size(); ++c) {
      const Expected want = expected(r, c);
      const std::string& field = csv.rows[r][c];
      if (const auto* number = std::get_if<double>(&want)) {
        ASSERT_EQ(CsvNumber(field), *number) << header[c] << " row " << r << ": " << field;
      } else if (const auto* text = std::get_if<std::string>(&want)) {
        ASSERT_EQ(field, *text) << header[c] << " row " << r;
      } else {
        ASSERT_EQ(field, "") << header[c] << " row " << r;
      }
    }
  }
}

class ResultTables : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { recording = GeneratedRecording().release(); }
  static void TearDownTestSuite() { delete recording; }
  static Recording* recording;
  const DecimalSeparatorScope comma{','};  // files are written with a point all the same
  TempDir folder;
};
Recording* ResultTables::recording = nullptr;

}  // namespace

TEST_F(ResultTables, IntervalDataHoldsEverySampleInPhysicalUnits) {
  const Recording& r = *recording;
  const SampleInterval interval{11493, 29876};
  const IntervalDataDetails details{"probe 7.dat", 12.5L, "1.0.0.1", "2024-05-17 10:42"};
  for (const AccelerationUnit unit :
       {AccelerationUnit::MetresPerSecondSquared, AccelerationUnit::StandardGravity}) {
    const bool g = unit == AccelerationUnit::StandardGravity;
    const std::string path = folder.File(g ? "data-g.csv" : "data.csv");
    ExportIntervalData(path, DataFileFormat::Csv, r, interval, unit, details);
    const std::string accel = g ? "_g" : "";
    const std::string text = saved::Contents(path);
    ExpectCsv(
        text,
        {"time_s", "accel_x" + accel, "accel_y" + accel, "accel_z" + accel, "temperature_c",
         "lin_speed_x", "vibro_speed_x"},
        interval.Last - interval.First + 1, [&](std::size_t row, std::size_t column) -> Expected {
          const std::size_t i = interval.First + row;
          if (column == 0) return static_cast<double>(i) / 1000;
          if (column <= 3) {
            const double* codes[] = {r.CodesX.get(), r.CodesY.get(), r.CodesZ.get()};
            const AxisCalibration& c = r.Calibration[column - 1];
            const double a = (codes[column - 1][i] - c.Code0g) * c.Gain;
            return g ? a / r.GValue : a;
          }
          const double* rest[] = {r.Temperature.get(), r.LinSpeedX.get(), r.VibroSpeedX.get()};
          return rest[column - 4][i];
        });
    EXPECT_NE(text.find("\r\n11.493,"), std::string::npos);  // no binary noise in a time
  }

  // The workbook: the particulars first, then the data with the same header.
  const std::string book = folder.File("data.xlsx");
  ExportIntervalData(book, DataFileFormat::Xlsx, r, interval, AccelerationUnit::StandardGravity,
                     details);
  EXPECT_EQ(xlsx::SheetNames(book), std::vector<std::string>({"Сведения", "Данные"}));
  const std::string about = xlsx::Part(book, "xl/worksheets/sheet1.xml");
  for (const auto& [key, value] : std::vector<std::pair<std::string, std::string>>{
           {"Файл", "probe 7.dat"},
           {"Отсчётов в записи", std::to_string(r.SampleCount)},
           {"Интервал: начало, с", "11.493"},
           {"Интервал: конец, с", "29.876"},
           {"Калибровка Z: код при 0 g", ShortestText(r.Calibration[AxisZ].Code0g)},
           {"Ускорения в", "g"},
           {"Частота среза ФВЧ виброскорости, Гц", "12.5"},
           {"Версия программы", "1.0.0.1"},
           {"Дата экспорта", "2024-05-17 10:42"}}) {
    const std::size_t at = about.find(">" + key + "<");
    ASSERT_NE(at, std::string::npos) << key;
    const std::size_t row = about.rfind("<row r=\"", at);
    const std::string number = about.substr(row + 8, about.find('"', row + 8) - row - 8);
    EXPECT_EQ(xlsx::Cell(about, "B" + number), value) << key;
  }
  const std::string data = xlsx::Part(book, "xl/worksheets/sheet2.xml");
  EXPECT_EQ(xlsx::Cell(data, "A1"), "time_s");
  EXPECT_EQ(xlsx::Cell(data, "G1"), "vibro_speed_x");
  EXPECT_EQ(xlsx::Cell(data, "A2"), "11.493");
  const double z = (r.CodesZ[interval.Last] - r.Calibration[AxisZ].Code0g) *
                   r.Calibration[AxisZ].Gain / r.GValue;
  const std::string last = "D" + std::to_string(interval.Last - interval.First + 2);
  EXPECT_NEAR(std::stod(xlsx::Cell(data, last).value_or("nan")), z, 1e-15 * std::fabs(z));
}

TEST_F(ResultTables, SpectraAreTwoTablesAndOneWorkbook) {
  const Recording& r = *recording;
  const SampleInterval interval{2000, 9999};
  const PsdOptions psdOptions{256, 2.0, 200.0};
  const SrsOptions srsOptions{2.0, 200.0, 6.0, 5.0};
  const IntervalPsdResult psd = IntervalPsd(r, interval, psdOptions);
  const IntervalSrsResult srs = IntervalSrs(r, interval, srsOptions, 1);
  SaveSpectraCsv(folder.File("spectra.CSV"), psd, srs);
  EXPECT_EQ(saved::Names(folder.Path()),
            std::vector<std::string>({"spectra-psd.csv", "spectra-srs.csv"}));
  const std::vector<double>& f = psd.Axes[AxisX].Frequencies;
  ExpectCsv(saved::Contents(folder.File("spectra-psd.csv")),
            {"frequency_hz", "psd_x_ms2sq_per_hz", "psd_y_ms2sq_per_hz", "psd_z_ms2sq_per_hz"},
            f.size(), [&](std::size_t row, std::size_t column) -> Expected {
              return column == 0 ? f[row] : psd.Axes[column - 1].Density[row];
            });
  const std::vector<double>& fs = srs.Axes[AxisX].Frequencies;
  ExpectCsv(saved::Contents(folder.File("spectra-srs.csv")),
            {"frequency_hz", "srs_x_ms2", "srs_y_ms2", "srs_z_ms2"}, fs.size(),
            [&](std::size_t row, std::size_t column) -> Expected {
              return column == 0 ? fs[row] : srs.Axes[column - 1].Peak[row];
            });

  const std::string book = folder.File("spectra.xlsx");
  SaveSpectraXlsx(book, psd, srs, {"probe.dat", interval, psdOptions, srsOptions});
  EXPECT_EQ(xlsx::SheetNames(book),
            std::vector<std::string>({"Сведения", "Спектр", "Ударный спектр"}));
  const std::string about = xlsx::Part(book, "xl/worksheets/sheet1.xml");
  for (const char* word : {">Ударный спектр: добротность Q<", ">Спектр: сегмент, отсчётов<"}) {
    EXPECT_NE(about.find(word), std::string::npos) << word;
  }
  const std::string shock = xlsx::Part(book, "xl/worksheets/sheet3.xml");
  EXPECT_EQ(xlsx::Cell(shock, "D1"), "srs_z_ms2");
  EXPECT_EQ(xlsx::Cell(shock, "A2"), "2");
}

TEST_F(ResultTables, EventsAndDropsAreTablesWithTheirUnits) {
  const std::vector<ShockEvent> events = {{ShockChannel::Y, 114963, 114970, -45.25, 114966, 0.0125},
                                          {ShockChannel::R, 200001, 200001, 61.5, 200001, {}}};
  const double g = 9.815;
  ExpectCsv(CsvText(ShockEventsTable(events, g)),
            {"channel", "start_s", "duration_s", "peak_ms2", "peak_g", "delta_v_ms"}, 2,
            [&](std::size_t row, std::size_t column) -> Expected {
              const ShockEvent& e = events[row];
              switch (column) {
                case 0:
                  return std::string(row == 0 ? "Y" : "R");
                case 1:
                  return row == 0 ? 114.963 : 200.001;
                case 2:
                  return row == 0 ? 0.008 : 0.001;
                case 3:
                  return e.Peak;
                case 4:
                  return e.Peak / g;
                default:
                  return e.DeltaV ? Expected(*e.DeltaV) : Expected(std::nullopt);
              }
            });
  Drop landed{3000, 3349, 3.0, 0.35, 0.6, 3.4, DropImpact{3360, 412.5, 42.0, 3.36}};
  Drop falling{9800, 9999, 9.8, 0.2, 0.2, 1.9, std::nullopt};
  const std::vector<Drop> drops = {landed, falling};
  ExpectCsv(
      CsvText(DropsTable(drops)),
      {"first", "start_s", "fall_s", "height_m", "impact_speed_ms", "impact_peak_ms2",
       "impact_peak_g", "impact_s"},
      2, [&](std::size_t row, std::size_t column) -> Expected {
        const Drop& d = drops[row];
        const double fields[] = {static_cast<double>(d.First), d.StartSeconds, d.FallSeconds,
                                 d.HeightMeters, d.ImpactSpeed};
        if (column < 5) return fields[column];
        if (!d.Impact) return std::nullopt;
        return column == 5 ? d.Impact->Peak : column == 6 ? d.Impact->PeakG : d.Impact->Seconds;
      });
}
