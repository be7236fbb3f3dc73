#include "analysis/SpectraTables.h"

#include <span>
#include <vector>

#include "analysis/IntervalDataExport.h"
#include "files/CsvTable.h"
#include "files/XlsxWorkbook.h"

namespace {

// frequency_hz, then one column per axis from `values`.
template <typename Values>
DataTable FrequencyTable(const std::string& prefix, const std::string& unit,
                         const std::vector<double>& frequencies, Values values) {
  std::vector<std::string> columns = {"frequency_hz"};
  for (const char* axis : {"x", "y", "z"}) columns.push_back(prefix + axis + unit);
  return {columns, frequencies.size(),
          [&frequencies, values](std::size_t row, std::span<TableCell> cells) {
            cells[0] = frequencies[row];
            for (int axis = 0; axis < 3; ++axis) cells[1 + axis] = values(axis)[row];
          }};
}

std::vector<DetailsRow> DetailsRows(const IntervalPsdResult& psd, const SpectraDetails& d) {
  std::vector<DetailsRow> rows = {{"Файл", d.FileName}};
  const std::vector<DetailsRow> interval = IntervalDetailsRows(d.Interval);
  rows.insert(rows.end(), interval.begin(), interval.end());
  rows.insert(rows.end(), {
                              {"Спектр: сегмент, отсчётов", static_cast<double>(d.Psd.Segment)},
                              {"Спектр: сегмент использован, отсчётов",
                               static_cast<double>(psd.Axes[0].Segment)},
                              {"Спектр: полоса СКЗ от, Гц", d.Psd.BandLow},
                              {"Спектр: полоса СКЗ до, Гц", d.Psd.BandHigh},
                              {"Ударный спектр: добротность Q", d.Srs.Q},
                              {"Ударный спектр: частот на октаву", d.Srs.PerOctave},
                              {"Ударный спектр: от, Гц", d.Srs.MinFrequency},
                              {"Ударный спектр: до, Гц", d.Srs.MaxFrequency},
                          });
  return rows;
}

}  // namespace

DataTable PsdTable(const IntervalPsdResult& psd) {
  return FrequencyTable(
      "psd_", "_ms2sq_per_hz", psd.Axes[AxisX].Frequencies,
      [&psd](int axis) -> const std::vector<double>& { return psd.Axes[axis].Density; });
}

DataTable SrsTable(const IntervalSrsResult& srs) {
  return FrequencyTable(
      "srs_", "_ms2", srs.Axes[AxisX].Frequencies,
      [&srs](int axis) -> const std::vector<double>& { return srs.Axes[axis].Peak; });
}

std::pair<std::string, std::string> SpectraCsvPaths(const std::string& chosen) {
  const bool csv = DataFileFormatOf(chosen) == DataFileFormat::Csv;
  const std::string name = csv ? chosen.substr(0, chosen.size() - 4) : chosen;
  return {name + "-psd.csv", name + "-srs.csv"};
}

void SaveSpectraCsv(const std::string& chosen, const IntervalPsdResult& psd,
                    const IntervalSrsResult& srs) {
  const auto [psdPath, srsPath] = SpectraCsvPaths(chosen);
  SaveCsv(psdPath, PsdTable(psd));
  SaveCsv(srsPath, SrsTable(srs));
}

void SaveSpectraXlsx(const std::string& path, const IntervalPsdResult& psd,
                     const IntervalSrsResult& srs, const SpectraDetails& details) {
  const DataTable psdTable = PsdTable(psd);
  const DataTable srsTable = SrsTable(srs);
  const std::vector<DetailsRow> rows = DetailsRows(psd, details);
  const double cells = XlsxCellCount(psdTable) + XlsxCellCount(srsTable) + XlsxCellCount(rows);
  SaveXlsx(path, cells, [&](XlsxWorkbook& book) {
    WriteDetailsSheet(book, "Сведения", rows);
    WriteTableSheets(book, "Спектр", psdTable);
    WriteTableSheets(book, "Ударный спектр", srsTable);
  });
}
