// The points of the chart's series as data files: delimited text, XML, an
// HTML table or a spreadsheet. A writer leaves either the complete file at
// the chosen path or no new file at all, and then says why.
#pragma once

#include <QString>

#include "view/FileSave.h"

class ChartSurface;

enum class SeriesDataFormat { Csv, Xml, Html, Xlsx };

// Writes the points of every series that holds points. Series that share
// their times get one time column; otherwise each series brings its own.
// The delimited text is UTF-8 with ";" between fields, "." as decimal point
// and CR LF line ends.
[[nodiscard]] ExportFailure ExportSeriesData(const ChartSurface& chart, SeriesDataFormat format,
                                             const QString& path);
