#include "analysis/SpectraTables.h"

#include <cstdio>
#include <vector>

namespace {

void AppendNumber(std::string& line, double value) {
  char text[32];
  std::snprintf(text, sizeof text, ",%.17g", value);
  line += text;
}

std::string Table(const std::string& header, const std::vector<double>& frequencies,
                  const std::vector<const std::vector<double>*>& columns) {
  std::string text = header + '\n';
  for (std::size_t i = 0; i < frequencies.size(); ++i) {
    std::string line;
    AppendNumber(line, frequencies[i]);
    for (const auto* column : columns) AppendNumber(line, (*column)[i]);
    text += line.substr(1) + '\n';
  }
  return text;
}

}  // namespace

std::string PsdTable(const IntervalPsdResult& psd) {
  return Table("frequency,X_psd,Y_psd,Z_psd", psd.Axes[AxisX].Frequencies,
               {&psd.Axes[AxisX].Density, &psd.Axes[AxisY].Density, &psd.Axes[AxisZ].Density});
}

std::string SrsTable(const IntervalSrsResult& srs) {
  std::vector<const std::vector<double>*> columns;
  for (const SrsResult& s : srs.Axes)
    columns.insert(columns.end(), {&s.Peak, &s.Positive, &s.Negative});
  return Table("frequency,X_srs,X_pos,X_neg,Y_srs,Y_pos,Y_neg,Z_srs,Z_pos,Z_neg",
               srs.Axes[AxisX].Frequencies, columns);
}
