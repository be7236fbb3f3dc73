// Spreadsheets through the file writer: a workbook that the spreadsheet
// library writes to the writer's staged file, its rows going to disk as they
// come, so a table of 1.5 million rows needs little memory. Numbers are
// written with a point whatever the system's locale.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "files/DataTable.h"

class FileWriter;
struct lxw_workbook;
struct lxw_worksheet;

// Rows of one sheet, its header row included. A longer table goes on to
// further sheets, each starting with the same header row.
inline constexpr std::size_t kSheetRowLimit = 1'048'576;

class XlsxWorkbook;

class XlsxSheet {
 public:
  // Throws FileWriteError when the library refuses the cell.
  void Text(std::uint32_t row, std::uint16_t column, std::string_view text);
  void Number(std::uint32_t row, std::uint16_t column, double value);
  void Cell(std::uint32_t row, std::uint16_t column, const TableCell& cell);
  void ColumnWidth(std::uint16_t column, double characters);

 private:
  friend class XlsxWorkbook;
  XlsxSheet(XlsxWorkbook& book, lxw_worksheet* sheet) : book_(book), sheet_(sheet) {}
  XlsxWorkbook& book_;
  lxw_worksheet* sheet_;
};

class XlsxWorkbook {
 public:
  // Opens the workbook on `file`'s staged file; its target is named in every
  // failure, and the rows wait beside it. `cells` is what the workbook will
  // hold about: the folder must have room for it beforehand, since the
  // library does not check the writes of its rows.
  XlsxWorkbook(FileWriter& file, double cells);
  ~XlsxWorkbook();  // a workbook never closed leaves the staged file unfinished
  XlsxWorkbook(const XlsxWorkbook&) = delete;
  XlsxWorkbook& operator=(const XlsxWorkbook&) = delete;

  // Sheets are written one after the other: rows go to the newest sheet only.
  XlsxSheet AddSheet(const std::string& name);
  // Packs the workbook into the staged file; FileWriteError names the cause.
  void Close();

  // FileWriteError naming the target and the cause: the library's error (or
  // the system's, for a file operation of the library), or a cause in words.
  [[noreturn]] void Fail(int libraryError, int systemError = 0) const;
  [[noreturn]] void Fail(const std::string& cause) const;

 private:
  // The library prints its numbers with printf, which follows the locale: a
  // decimal comma there would corrupt the file. This thread uses "C" numbers
  // while the workbook lives.
  class CNumbers {
   public:
    CNumbers();
    ~CNumbers();
    CNumbers(const CNumbers&) = delete;
    CNumbers& operator=(const CNumbers&) = delete;

   private:
    void* numbers_;
    void* caller_;
  };

  std::string path_;
  std::string rowsFolder_;
  CNumbers numbers_;
  lxw_workbook* book_ = nullptr;
};

// The table on sheets named `name`, then "`name` 2", "`name` 3" … once it
// passes one sheet's rows; a sheet starts with the header row.
void WriteTableSheets(XlsxWorkbook& book, const std::string& name, const DataTable& table);

// A "key, value" sheet of the file's particulars: a text, or a number where
// the value is one.
struct DetailsRow {
  std::string Key;
  std::variant<std::string, double> Value;
};
void WriteDetailsSheet(XlsxWorkbook& book, const std::string& name,
                       const std::vector<DetailsRow>& rows);

// The cells a table's sheets hold, header included, and those of a details
// sheet: what the workbook asks room for.
double XlsxCellCount(const DataTable& table);
double XlsxCellCount(const std::vector<DetailsRow>& rows);

// `fill` writes the workbook, which then becomes the file at `path` through
// the file writer: complete or not at all. Every failure throws
// FileWriteError with the user's text.
void SaveXlsx(const std::string& path, double cells,
              const std::function<void(XlsxWorkbook&)>& fill);
