// A table the program writes for other programs: named columns and rows of
// cells produced one row at a time, so a table of millions of rows is never
// held whole. The CSV and the spreadsheet writers both read it.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// One cell: a number, a text or nothing.
class TableCell {
 public:
  enum class Kind { Empty, Number, Text };

  TableCell() = default;
  TableCell(double number) : kind_(Kind::Number), number_(number) {}  // NOLINT: a cell is its value
  // The text must outlive the row's use of the cell (a literal, or a string of the caller's).
  TableCell(std::string_view text) : kind_(Kind::Text), text_(text) {}  // NOLINT
  TableCell(const char* text) : TableCell(std::string_view(text)) {}    // NOLINT

  Kind Type() const { return kind_; }
  double Number() const { return number_; }
  std::string_view Text() const { return text_; }

 private:
  Kind kind_ = Kind::Empty;
  double number_ = 0.0;
  std::string_view text_;
};

struct DataTable {
  // One header per column. In CSV files they are ASCII names that carry
  // their unit ("time_s", "peak_ms2"); spreadsheets may use the user's words.
  std::vector<std::string> Columns;
  std::size_t RowCount = 0;
  // Fills the cells of row `row` (as many as there are columns); rows are
  // asked for in order, each once.
  std::function<void(std::size_t row, std::span<TableCell> cells)> Row;
};

enum class DataFileFormat { Csv, Xlsx };

// The format a file name asks for by its extension (".csv", ".xlsx", in any
// case), or nothing for another name.
std::optional<DataFileFormat> DataFileFormatOf(const std::string& path);

// A number that is not finite (NaN, an infinity) has no place in a result
// file: writing one fails the file instead of printing "nan" as a result.
class NonFiniteCell : public std::runtime_error {
 public:
  NonFiniteCell();
};
