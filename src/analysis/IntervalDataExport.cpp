#include "analysis/IntervalDataExport.h"

#include <span>
#include <stdexcept>

#include "files/CsvTable.h"
#include "files/XlsxWorkbook.h"
#include "text/ShortestText.h"

namespace {

const char* const kAxisNames[] = {"X", "Y", "Z"};

}  // namespace

std::vector<DetailsRow> IntervalDetailsRows(SampleInterval interval) {
  return {
      {"Интервал: первый отсчёт", static_cast<double>(interval.First)},
      {"Интервал: последний отсчёт", static_cast<double>(interval.Last)},
      {"Интервал: начало, с", SampleSeconds(interval.First)},
      {"Интервал: конец, с", SampleSeconds(interval.Last)},
  };
}

namespace {

std::vector<DetailsRow> DetailsRows(const Recording& recording, SampleInterval interval,
                                    AccelerationUnit unit, const IntervalDataDetails& details) {
  std::vector<DetailsRow> rows = {
      {"Файл", details.FileName},
      {"Отсчётов в записи", static_cast<double>(recording.SampleCount)},
      {"Частота отсчётов, Гц", Recording::SampleRate},
  };
  const std::vector<DetailsRow> shown = IntervalDetailsRows(interval);
  rows.insert(rows.end(), shown.begin(), shown.end());
  rows.push_back({"Отсчётов в интервале", static_cast<double>(interval.Last - interval.First + 1)});
  for (int axis = 0; axis < 3; ++axis) {
    const std::string name = std::string("Калибровка ") + kAxisNames[axis];
    rows.push_back({name + ": код при 0 g", recording.Calibration[axis].Code0g});
    rows.push_back({name + ": м/с² на код", recording.Calibration[axis].Gain});
  }
  rows.push_back({"g, м/с²", recording.GValue});
  rows.push_back(
      {"Ускорения в", std::string(unit == AccelerationUnit::StandardGravity ? "g" : "м/с²")});
  rows.push_back({"Частота среза ФВЧ виброскорости, Гц", static_cast<double>(details.Cutoff)});
  rows.push_back({"Версия программы", details.ProgramVersion});
  rows.push_back({"Дата экспорта", details.ExportDate});
  return rows;
}

}  // namespace

std::vector<std::string> IntervalDataColumns(AccelerationUnit unit) {
  const std::string accel = unit == AccelerationUnit::StandardGravity ? "_g" : "";
  return {"time_s",        "accel_x" + accel, "accel_y" + accel, "accel_z" + accel,
          "temperature_c", "lin_speed_x",     "vibro_speed_x"};
}

DataTable IntervalDataTable(const Recording& recording, SampleInterval interval,
                            AccelerationUnit unit) {
  if (!WithinRecording(interval, recording.SampleCount)) {
    throw std::invalid_argument("the interval lies beyond the recording");
  }
  // x ÷ 1 is x exactly, so m/s² take the same path.
  const double scale = unit == AccelerationUnit::StandardGravity ? recording.GValue : 1.0;
  auto row = [&recording, interval, scale](std::size_t k, std::span<TableCell> cells) {
    const std::uint32_t i = interval.First + static_cast<std::uint32_t>(k);
    const double codes[] = {recording.CodesX[i], recording.CodesY[i], recording.CodesZ[i]};
    cells[0] = SampleSeconds(i);
    for (int axis = 0; axis < 3; ++axis) {
      cells[1 + axis] = Acceleration(codes[axis], recording.Calibration[axis]) / scale;
    }
    cells[4] = recording.Temperature[i];
    cells[5] = recording.LinSpeedX[i];
    cells[6] = recording.VibroSpeedX[i];
  };
  return {IntervalDataColumns(unit), std::size_t{interval.Last} - interval.First + 1, row};
}

void ExportIntervalData(const std::string& path, DataFileFormat format, const Recording& recording,
                        SampleInterval interval, AccelerationUnit unit,
                        const IntervalDataDetails& details) {
  const DataTable table = IntervalDataTable(recording, interval, unit);
  if (format == DataFileFormat::Csv) return SaveCsv(path, table);
  const std::vector<DetailsRow> rows = DetailsRows(recording, interval, unit, details);
  const double cells = XlsxCellCount(table) + XlsxCellCount(rows);
  SaveXlsx(path, cells, [&](XlsxWorkbook& book) {
    WriteDetailsSheet(book, "Сведения", rows);
    WriteTableSheets(book, "Данные", table);
  });
}
