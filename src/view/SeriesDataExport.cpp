#include "view/SeriesDataExport.h"

#include <QPointF>
#include <algorithm>
#include <array>
#include <charconv>
#include <functional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "files/FileWriter.h"
#include "files/XlsxWorkbook.h"
#include "view/ChartSurface.h"

namespace {

const QString kTimeHeader = QStringLiteral("Время, с");
const QString kNoPoints = QStringLiteral("На графике нет точек для записи.");

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

// The table as the spreadsheet shows it: the same headers, a number per point.
DataTable SheetTable(const SeriesTable& table) {
  std::vector<std::string> headers;
  for (const Column& column : table.Columns()) headers.push_back(column.header.toStdString());
  return {headers, table.RowCount(), [&table](std::size_t row, std::span<TableCell> cells) {
            const std::vector<Column>& columns = table.Columns();
            for (std::size_t c = 0; c < columns.size(); ++c) {
              if (const auto value = SeriesTable::Cell(row, columns[c])) cells[c] = *value;
            }
          }};
}

ExportFailure WriteXlsx(const SeriesTable& table, const QString& path) {
  const DataTable sheet = SheetTable(table);
  return Saved([&] {
    SaveXlsx(SystemPath(path), XlsxCellCount(sheet),
             [&](XlsxWorkbook& book) { WriteTableSheets(book, "Данные", sheet); });
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
