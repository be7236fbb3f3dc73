#include "files/CsvTable.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "files/FileAccess.h"
#include "files/FileWriter.h"
#include "text/ShortestText.h"

std::optional<DataFileFormat> DataFileFormatOf(const std::string& path) {
  if (EndsWithNoCase(path, ".csv")) return DataFileFormat::Csv;
  if (EndsWithNoCase(path, ".xlsx")) return DataFileFormat::Xlsx;
  return std::nullopt;
}

NonFiniteCell::NonFiniteCell()
    : std::runtime_error("в таблице есть число, которое не является конечным (NaN или ∞)") {}

namespace {

// Collects the text in a fixed piece and hands each full piece on, so a
// table of 1.5 million rows costs one piece of memory and few writes.
template <typename Deliver>
class CsvOut {
 public:
  explicit CsvOut(Deliver deliver) : deliver_(std::move(deliver)), piece_(kPiece) {}

  void Put(std::string_view text) {
    if (text.size() > piece_.size() - used_) Flush();
    if (text.size() > piece_.size()) return deliver_(text);
    std::memcpy(piece_.data() + used_, text.data(), text.size());
    used_ += text.size();
  }

  void Number(double value) {
    if (!std::isfinite(value)) throw NonFiniteCell();
    if (piece_.size() - used_ < kShortestTextRoom) Flush();
    used_ = static_cast<std::size_t>(WriteShortest(piece_.data() + used_, value) - piece_.data());
  }

  void Text(std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) return Put(text);
    Put("\"");
    for (std::size_t quote; (quote = text.find('"')) != std::string_view::npos;) {
      Put(text.substr(0, quote + 1));
      Put("\"");
      text.remove_prefix(quote + 1);
    }
    Put(text);
    Put("\"");
  }

  void Cell(const TableCell& cell) {
    switch (cell.Type()) {
      case TableCell::Kind::Number:
        return Number(cell.Number());
      case TableCell::Kind::Text:
        return Text(cell.Text());
      case TableCell::Kind::Empty:
        return;
    }
  }

  void Flush() {
    if (used_ > 0) deliver_(std::string_view(piece_.data(), used_));
    used_ = 0;
  }

 private:
  static constexpr std::size_t kPiece = 1 << 20;
  Deliver deliver_;
  std::vector<char> piece_;
  std::size_t used_ = 0;
};

template <typename Deliver>
void WriteTable(const DataTable& table, Deliver deliver) {
  CsvOut out(std::move(deliver));
  for (std::size_t c = 0; c < table.Columns.size(); ++c) {
    if (c > 0) out.Put(",");
    out.Text(table.Columns[c]);
  }
  out.Put("\r\n");
  std::vector<TableCell> cells(table.Columns.size());
  for (std::size_t row = 0; row < table.RowCount; ++row) {
    std::fill(cells.begin(), cells.end(), TableCell());
    table.Row(row, cells);
    for (std::size_t c = 0; c < cells.size(); ++c) {
      if (c > 0) out.Put(",");
      out.Cell(cells[c]);
    }
    out.Put("\r\n");
  }
  out.Flush();
}

}  // namespace

void WriteCsv(const DataTable& table, FileWriter& file) {
  WriteTable(table, [&file](std::string_view piece) { file.Write(piece); });
}

std::string CsvText(const DataTable& table) {
  std::string text;
  WriteTable(table, [&text](std::string_view piece) { text.append(piece); });
  return text;
}

void SaveCsv(const std::string& path, const DataTable& table) {
  FileWriter file(path);
  try {
    WriteCsv(table, file);
  } catch (const NonFiniteCell& cell) {
    throw FileWriteError(WriteFailureMessage(path, cell.what()));
  }
  file.Commit();
}
