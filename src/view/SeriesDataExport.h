// The points of the chart's series as data files: delimited text, XML, an
// HTML table or a spreadsheet. A writer leaves either the complete file at
// the chosen path or no new file at all, and then says why.
#pragma once

#include <QFile>
#include <QString>
#include <cstddef>
#include <optional>
#include <utility>

class ChartSurface;

enum class SeriesDataFormat { Csv, Xml, Html, Xlsx };

// Why an export did not happen, for the user; empty when the file is complete.
using ExportFailure = std::optional<QString>;

// Rows of one spreadsheet sheet, its header row included. A longer table
// goes on to further sheets, each starting with the same header row.
inline constexpr std::size_t kSheetRowLimit = 1'048'576;

// Writes the points of every series that holds points. Series that share
// their times get one time column; otherwise each series brings its own.
// The delimited text is UTF-8 with ";" between fields, "." as decimal point
// and CR LF line ends.
[[nodiscard]] ExportFailure ExportSeriesData(const ChartSurface& chart, SeriesDataFormat format,
                                             const QString& path);

// A file written under a temporary name beside its destination and moved
// over the destination only when it is complete; until then the destination
// stays as it was, and the temporary file goes away with this object.
class StagedFile {
 public:
  explicit StagedFile(QString destination) : destination_(std::move(destination)) {}
  ~StagedFile();
  StagedFile(const StagedFile&) = delete;
  StagedFile& operator=(const StagedFile&) = delete;

  // Creates the temporary file, open for writing.
  [[nodiscard]] ExportFailure Open();
  QFile& File() { return file_; }
  QString TemporaryPath() const { return file_.fileName(); }
  // Closes the temporary file if still open and moves it into place.
  [[nodiscard]] ExportFailure Commit();

 private:
  QString destination_;
  QFile file_;
  bool created_ = false;  // by this object, so it may remove it
  bool committed_ = false;
};

// The user's text for a file that could not be written, with the reason.
// Why a write to `file` fell short, for the user.
QString WriteErrorReason(const QFile& file);

QString WriteFailureText(const QString& path, const QString& reason = {});
