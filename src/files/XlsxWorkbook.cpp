#include "files/XlsxWorkbook.h"

#include <locale.h>
#include <sys/statvfs.h>
#include <xlsxwriter.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <new>

#include "files/FileWriter.h"

static_assert(kSheetRowLimit == LXW_ROW_MAX);

namespace {

// The library keeps about 64 bytes per cell in its row files and at most as
// much again in the packed result.
constexpr double kBytesPerCell = 128;

// True also when the folder cannot be asked: the writer then says what is wrong with it.
bool RoomFor(const std::string& folder, double cells) {
  struct statvfs space {};
  if (::statvfs(folder.c_str(), &space) != 0) return true;
  const double available =
      static_cast<double>(space.f_bavail) * static_cast<double>(space.f_frsize);
  return available > cells * kBytesPerCell;
}

// A failed file operation of the library leaves the system's reason in
// errno, which names the cause better than the library's own text.
bool FileOperation(lxw_error error) {
  return error == LXW_ERROR_CREATING_XLSX_FILE || error == LXW_ERROR_CREATING_TMPFILE ||
         error == LXW_ERROR_ZIP_FILE_OPERATION || error == LXW_ERROR_ZIP_FILE_ADD ||
         error == LXW_ERROR_ZIP_CLOSE;
}

}  // namespace

XlsxWorkbook::CNumbers::CNumbers()
    : numbers_(::newlocale(LC_NUMERIC_MASK, "C", static_cast<locale_t>(0))) {
  if (numbers_ == nullptr) throw std::bad_alloc();
  caller_ = ::uselocale(static_cast<locale_t>(numbers_));
}

XlsxWorkbook::CNumbers::~CNumbers() {
  ::uselocale(static_cast<locale_t>(caller_));
  ::freelocale(static_cast<locale_t>(numbers_));
}

XlsxWorkbook::XlsxWorkbook(FileWriter& file, double cells)
    : path_(file.Path()), rowsFolder_(file.Folder()) {
  if (!RoomFor(rowsFolder_, cells)) {
    throw FileWriteError(WriteFailureMessage(path_, "на диске недостаточно места для таблицы"));
  }
  lxw_workbook_options options{};
  options.constant_memory = LXW_TRUE;   // rows go to disk as they are written
  options.tmpdir = rowsFolder_.data();  // beside the result, whose room was checked
  book_ = workbook_new_opt(file.StagedPath().c_str(), &options);
  if (book_ == nullptr) Fail(LXW_ERROR_MEMORY_MALLOC_FAILED);
}

XlsxWorkbook::~XlsxWorkbook() {
  if (book_ != nullptr) lxw_workbook_free(book_);
}

XlsxSheet XlsxWorkbook::AddSheet(const std::string& name) {
  lxw_worksheet* sheet = workbook_add_worksheet(book_, name.c_str());
  if (sheet == nullptr) Fail(LXW_ERROR_MEMORY_MALLOC_FAILED);
  return XlsxSheet(*this, sheet);
}

void XlsxWorkbook::Close() {
  errno = 0;
  const lxw_error closed = workbook_close(book_);  // frees the workbook whatever happens
  const int systemError = errno;
  book_ = nullptr;
  if (closed != LXW_NO_ERROR) Fail(closed, systemError);
}

void XlsxWorkbook::Fail(int libraryError, int systemError) const {
  const auto error = static_cast<lxw_error>(libraryError);
  Fail(FileOperation(error) && systemError != 0 ? SystemErrorText(systemError)
                                                : lxw_strerror(error));
}

void XlsxWorkbook::Fail(const std::string& cause) const {
  throw FileWriteError(WriteFailureMessage(path_, cause));
}

void XlsxSheet::Text(std::uint32_t row, std::uint16_t column, std::string_view text) {
  const std::string terminated(text);
  if (lxw_error e = worksheet_write_string(sheet_, row, column, terminated.c_str(), nullptr)) {
    book_.Fail(e);
  }
}

void XlsxSheet::Number(std::uint32_t row, std::uint16_t column, double value) {
  if (!std::isfinite(value)) book_.Fail(NonFiniteCell().what());
  if (lxw_error e = worksheet_write_number(sheet_, row, column, value, nullptr)) book_.Fail(e);
}

void XlsxSheet::Cell(std::uint32_t row, std::uint16_t column, const TableCell& cell) {
  switch (cell.Type()) {
    case TableCell::Kind::Number:
      return Number(row, column, cell.Number());
    case TableCell::Kind::Text:
      return Text(row, column, cell.Text());
    case TableCell::Kind::Empty:
      return;
  }
}

void XlsxSheet::ColumnWidth(std::uint16_t column, double characters) {
  if (lxw_error e = worksheet_set_column(sheet_, column, column, characters, nullptr)) {
    book_.Fail(e);
  }
}

void WriteTableSheets(XlsxWorkbook& book, const std::string& name, const DataTable& table) {
  constexpr std::size_t perSheet = kSheetRowLimit - 1;
  const std::size_t sheets = std::max<std::size_t>(1, (table.RowCount + perSheet - 1) / perSheet);
  std::vector<TableCell> cells(table.Columns.size());
  for (std::size_t s = 0; s < sheets; ++s) {
    XlsxSheet sheet = book.AddSheet(s == 0 ? name : name + ' ' + std::to_string(s + 1));
    for (std::size_t c = 0; c < table.Columns.size(); ++c) {
      sheet.Text(0, static_cast<std::uint16_t>(c), table.Columns[c]);
    }
    const std::size_t first = s * perSheet;
    const std::size_t last = std::min(table.RowCount, first + perSheet);
    for (std::size_t row = first; row < last; ++row) {
      std::fill(cells.begin(), cells.end(), TableCell());
      table.Row(row, cells);
      const auto sheetRow = static_cast<std::uint32_t>(row - first + 1);
      for (std::size_t c = 0; c < cells.size(); ++c) {
        sheet.Cell(sheetRow, static_cast<std::uint16_t>(c), cells[c]);
      }
    }
  }
}

void WriteDetailsSheet(XlsxWorkbook& book, const std::string& name,
                       const std::vector<DetailsRow>& rows) {
  XlsxSheet sheet = book.AddSheet(name);
  sheet.ColumnWidth(0, 40);
  sheet.ColumnWidth(1, 30);
  for (std::size_t r = 0; r < rows.size(); ++r) {
    const auto row = static_cast<std::uint32_t>(r);
    sheet.Text(row, 0, rows[r].Key);
    if (const auto* number = std::get_if<double>(&rows[r].Value)) {
      sheet.Number(row, 1, *number);
    } else {
      sheet.Text(row, 1, std::get<std::string>(rows[r].Value));
    }
  }
}

double XlsxCellCount(const DataTable& table) {
  return static_cast<double>(table.RowCount + 1) * static_cast<double>(table.Columns.size());
}

double XlsxCellCount(const std::vector<DetailsRow>& rows) {
  return 2.0 * static_cast<double>(rows.size());
}

void SaveXlsx(const std::string& path, double cells,
              const std::function<void(XlsxWorkbook&)>& fill) {
  FileWriter file(path);
  {
    XlsxWorkbook book(file, cells);
    fill(book);
    book.Close();
  }
  file.Commit();
}
