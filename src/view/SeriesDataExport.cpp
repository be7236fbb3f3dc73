#include "view/SeriesDataExport.h"

#include <xlsxwriter.h>

#include <QFile>
#include <QFileInfo>
#include <QPointF>
#include <QStorageInfo>
#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "files/FileWriter.h"
#include "view/ChartSurface.h"

namespace {

const QString kTimeHeader = QStringLiteral("Время, с");
const QString kNoPoints = QStringLiteral("На графике нет точек для записи.");
static_assert(kSheetRowLimit == LXW_ROW_MAX);

struct Column {
  QString header;
  const ChartSeries* series;
  bool time;  // the series' x, else its y
};

bool SameTimes(const std::vector<const ChartSeries*>& series) {
  const ChartSeries& first = *series.front();
  for (const ChartSeries* other : series) {
    if (other->PointCount() != first.PointCount()) return false;
    for (std::size_t k = 0; k < first.PointCount(); ++k) {
      if (other->Point(k).x() != first.Point(k).x()) return false;
    }
  }
  return true;
}

// The series that hold points, as a table with one row per point.
class SeriesTable {
 public:
  explicit SeriesTable(const ChartSurface& chart) {
    for (int i = 0; i < chart.SeriesCount(); ++i) {
      const ChartSeries* series = chart.Series(i);
      if (series->PointCount() == 0) continue;
      series_.push_back(series);
      rows_ = std::max(rows_, series->PointCount());
    }
    if (series_.empty()) return;
    const bool shared = SameTimes(series_);
    if (shared) columns_.push_back({kTimeHeader, series_.front(), true});
    for (const ChartSeries* series : series_) {
      if (!shared) {
        columns_.push_back({QStringLiteral("%1: время, с").arg(series->Name()), series, true});
      }
      columns_.push_back({series->Name(), series, false});
    }
  }

  bool Empty() const { return series_.empty(); }
  const std::vector<const ChartSeries*>& Series() const { return series_; }
  const std::vector<Column>& Columns() const { return columns_; }
  std::size_t RowCount() const { return rows_; }

  // Empty past the last point of a shorter series.
  static std::optional<double> Cell(std::size_t row, const Column& column) {
    if (row >= column.series->PointCount()) return std::nullopt;
    const QPointF point = column.series->Point(row);
    return column.time ? point.x() : point.y();
  }

 private:
  std::vector<const ChartSeries*> series_;
  std::vector<Column> columns_;
  std::size_t rows_ = 0;
};

// Up to 15 significant digits, as the program shows numbers, and always a
// decimal point, whatever the program's separator: these files are read by
// other programs.
class NumberText {
 public:
  std::string_view operator()(double value) {
    const auto result = std::to_chars(buffer_.data(), buffer_.data() + buffer_.size(), value,
                                      std::chars_format::general, 15);
    return {buffer_.data(), static_cast<std::size_t>(result.ptr - buffer_.data())};
  }

 private:
  std::array<char, 32> buffer_{};
};

// Collects text and writes it to the file in large pieces.
class TextSink {
 public:
  explicit TextSink(FileWriter& file) : file_(file) { buffer_.reserve(kChunk); }

  TextSink& operator<<(std::string_view text) {
    buffer_.append(text);
    if (buffer_.size() >= kChunk) Flush();
    return *this;
  }
  TextSink& operator<<(const char* text) { return *this << std::string_view(text); }
  TextSink& operator<<(const QString& text) {
    const QByteArray bytes = text.toUtf8();
    return *this << std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()));
  }
  TextSink& operator<<(double value) { return *this << number_(value); }

  void Flush() {
    file_.Write(buffer_);
    buffer_.clear();
  }

 private:
  static constexpr std::size_t kChunk = 1 << 20;
  FileWriter& file_;
  std::string buffer_;
  NumberText number_;
};

QString CsvField(const QString& text) {
  if (!text.contains(QLatin1Char(';')) && !text.contains(QLatin1Char('"')) &&
      !text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r'))) {
    return text;
  }
  QString quoted = text;
  quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
  return QLatin1Char('"') + quoted + QLatin1Char('"');
}

void WriteCsv(const SeriesTable& table, TextSink& out) {
  out << "\xEF\xBB\xBF";  // the byte order mark tells spreadsheets the text is UTF-8
  const std::vector<Column>& columns = table.Columns();
  for (std::size_t c = 0; c < columns.size(); ++c) {
    out << (c == 0 ? "" : ";") << CsvField(columns[c].header);
  }
  out << "\r\n";
  for (std::size_t row = 0; row < table.RowCount(); ++row) {
    for (std::size_t c = 0; c < columns.size(); ++c) {
      if (c != 0) out << ";";
      if (const auto value = SeriesTable::Cell(row, columns[c])) out << *value;
    }
    out << "\r\n";
  }
}

void WriteXml(const SeriesTable& table, TextSink& out) {
  out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<chart>\n";
  for (const ChartSeries* series : table.Series()) {
    out << " <series name=\"" << series->Name().toHtmlEscaped() << "\" points=\""
        << QString::number(series->PointCount()) << "\">\n";
    for (std::size_t k = 0; k < series->PointCount(); ++k) {
      const QPointF point = series->Point(k);
      out << "  <point x=\"" << point.x() << "\" y=\"" << point.y() << "\"/>\n";
    }
    out << " </series>\n";
  }
  out << "</chart>\n";
}

void WriteHtml(const SeriesTable& table, TextSink& out) {
  out << "<!DOCTYPE html>\n<html lang=\"ru\">\n<head>\n<meta charset=\"utf-8\">\n"
         "<title>Точки графика</title>\n</head>\n<body>\n<table border=\"1\">\n<tr>";
  for (const Column& column : table.Columns())
    out << "<th>" << column.header.toHtmlEscaped() << "</th>";
  out << "</tr>\n";
  for (std::size_t row = 0; row < table.RowCount(); ++row) {
    out << "<tr>";
    for (const Column& column : table.Columns()) {
      out << "<td>";
      if (const auto value = SeriesTable::Cell(row, column)) out << *value;
      out << "</td>";
    }
    out << "</tr>\n";
  }
  out << "</table>\n</body>\n</html>\n";
}

ExportFailure WriteText(const QString& path, const std::function<void(TextSink&)>& write) {
  return SaveFile(path, [&write](FileWriter& file) {
    TextSink sink(file);
    write(sink);
    sink.Flush();
  });
}

// A failed file operation of the library leaves the system's reason in
// errno, which names the cause better than the library's own text.
[[noreturn]] void ThrowXlsxFailure(const QString& path, lxw_error error, int systemError = 0) {
  const bool fileOperation = error == LXW_ERROR_CREATING_XLSX_FILE ||
                             error == LXW_ERROR_CREATING_TMPFILE ||
                             error == LXW_ERROR_ZIP_FILE_OPERATION ||
                             error == LXW_ERROR_ZIP_FILE_ADD || error == LXW_ERROR_ZIP_CLOSE;
  const QString cause = fileOperation && systemError != 0
                            ? QString::fromStdString(SystemErrorText(systemError))
                            : QString::fromUtf8(lxw_strerror(error));
  throw FileWriteError(WriteFailureText(path, cause).toStdString());
}

// Rows [first, last) of the table on a sheet of their own, below the header row.
lxw_error WriteSheet(lxw_worksheet* sheet, const SeriesTable& table, std::size_t first,
                     std::size_t last) {
  const std::vector<Column>& columns = table.Columns();
  for (std::size_t c = 0; c < columns.size(); ++c) {
    const QByteArray header = columns[c].header.toUtf8();
    if (lxw_error e = worksheet_write_string(sheet, 0, static_cast<lxw_col_t>(c),
                                             header.constData(), nullptr)) {
      return e;
    }
  }
  for (std::size_t row = first; row < last; ++row) {
    const auto sheetRow = static_cast<lxw_row_t>(row - first + 1);
    for (std::size_t c = 0; c < columns.size(); ++c) {
      const auto value = SeriesTable::Cell(row, columns[c]);
      if (!value) continue;
      if (lxw_error e =
              worksheet_write_number(sheet, sheetRow, static_cast<lxw_col_t>(c), *value, nullptr)) {
        return e;
      }
    }
  }
  return LXW_NO_ERROR;
}

lxw_error WriteSheets(lxw_workbook* book, const SeriesTable& table) {
  const std::size_t perSheet = kSheetRowLimit - 1;
  const std::size_t sheets = std::max<std::size_t>(1, (table.RowCount() + perSheet - 1) / perSheet);
  for (std::size_t s = 0; s < sheets; ++s) {
    const QString name =
        sheets == 1 ? QStringLiteral("Данные") : QStringLiteral("Данные %1").arg(s + 1);
    lxw_worksheet* sheet = workbook_add_worksheet(book, name.toUtf8().constData());
    if (sheet == nullptr) return LXW_ERROR_MEMORY_MALLOC_FAILED;
    const std::size_t first = s * perSheet;
    if (lxw_error e =
            WriteSheet(sheet, table, first, std::min(table.RowCount(), first + perSheet))) {
      return e;
    }
  }
  return LXW_NO_ERROR;
}

// The spreadsheet library writes its row files without checking the writes,
// so the room they and the packed file need is made sure of beforehand: about
// 64 bytes per cell for the rows and as much again at most for the result.
bool RoomForXlsx(const SeriesTable& table, const QString& folder) {
  const double cells =
      static_cast<double>(table.RowCount() + 1) * static_cast<double>(table.Columns().size());
  const QStorageInfo storage(folder);
  return !storage.isValid() || static_cast<double>(storage.bytesAvailable()) > cells * 128;
}

// The library opens the file by name, here the writer's name for its
// unnamed file.
ExportFailure WriteXlsx(const SeriesTable& table, const QString& path) {
  const QString folder = QFileInfo(path).absolutePath();
  if (!RoomForXlsx(table, folder)) {
    return WriteFailureText(path, QStringLiteral("на диске недостаточно места для таблицы"));
  }
  return SaveFile(path, [&](FileWriter& file) {
    // Rows go to disk as they are written, so a long recording needs little
    // memory; they go beside the result, whose room was checked.
    const QByteArray rowsFolder = QFile::encodeName(folder);
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    options.tmpdir = const_cast<char*>(rowsFolder.constData());
    lxw_workbook* book = workbook_new_opt(file.StagedPath().c_str(), &options);
    if (book == nullptr) ThrowXlsxFailure(path, LXW_ERROR_MEMORY_MALLOC_FAILED);
    const lxw_error written = WriteSheets(book, table);
    errno = 0;
    const lxw_error closed = workbook_close(book);  // frees the workbook whatever happened before
    const int systemError = errno;
    if (written != LXW_NO_ERROR) ThrowXlsxFailure(path, written);
    if (closed != LXW_NO_ERROR) ThrowXlsxFailure(path, closed, systemError);
  });
}

}  // namespace

ExportFailure ExportSeriesData(const ChartSurface& chart, SeriesDataFormat format,
                               const QString& path) {
  const SeriesTable table(chart);
  if (table.Empty()) return kNoPoints;
  switch (format) {
    case SeriesDataFormat::Csv:
      return WriteText(path, [&](TextSink& out) { WriteCsv(table, out); });
    case SeriesDataFormat::Xml:
      return WriteText(path, [&](TextSink& out) { WriteXml(table, out); });
    case SeriesDataFormat::Html:
      return WriteText(path, [&](TextSink& out) { WriteHtml(table, out); });
    case SeriesDataFormat::Xlsx:
      return WriteXlsx(table, path);
  }
  throw std::invalid_argument("ExportSeriesData: unknown format");
}
