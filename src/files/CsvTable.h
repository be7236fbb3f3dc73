// The program's one CSV convention, for every table it writes: comma between
// fields, point as decimal mark, one ASCII header row naming each column with
// its unit, CR LF line ends, each number the shortest text that reads back to
// the same double, one table per file. A text field holding a comma, a quote
// or a line end is quoted, its quotes doubled.
#pragma once

#include <string>

#include "files/DataTable.h"

class FileWriter;

// Streams the table into `file` in large pieces. Throws NonFiniteCell for a
// number that is not finite and FileWriteError when the write fails.
void WriteCsv(const DataTable& table, FileWriter& file);

// The whole table as text (for standard output).
std::string CsvText(const DataTable& table);

// The table becomes the file at `path` through the file writer: complete or
// not at all (the old file stays). Every failure, a number that is not
// finite among them, throws FileWriteError with the user's text.
void SaveCsv(const std::string& path, const DataTable& table);
