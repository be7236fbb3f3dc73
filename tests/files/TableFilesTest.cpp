// Tables written for other programs, read back as those programs would: the
// CSV by a strict reader, the workbook's parts by unzip.
#include <gtest/gtest.h>

#include <span>

#include "files/CsvTable.h"
#include "files/FileWriter.h"
#include "files/XlsxWorkbook.h"
#include "support/FileSizeLimit.h"
#include "support/SavedFiles.h"
#include "support/StrictCsv.h"
#include "support/TempDir.h"
#include "support/XlsxFile.h"
#include "text/NumberText.h"

namespace {

// `rows` rows of `value(row)` in `columns` columns, column c holding value × (c + 1).
DataTable Numbers(std::size_t rows, std::size_t columns, double (*value)(std::size_t)) {
  std::vector<std::string> names;
  for (std::size_t c = 0; c < columns; ++c) names.push_back("v" + std::to_string(c) + "_ms2");
  return {names, rows, [value](std::size_t row, std::span<TableCell> cells) {
            for (std::size_t c = 0; c < cells.size(); ++c) cells[c] = value(row) * (c + 1.0);
          }};
}

double Tenths(std::size_t row) {
  return static_cast<double>(row) / 10.0 - 3.3;
}

// Numbers a spreadsheet's 16 significant digits hold exactly.
double Quarters(std::size_t row) {
  return static_cast<double>(row) / 4.0 - 3.0;
}

}  // namespace

TEST(TableFiles, CsvFollowsTheOneConventionWhateverTheSeparator) {
  const DecimalSeparatorScope comma(',');
  const std::vector<std::vector<TableCell>> rows = {{"X", 114963 / 1000.0, 25.0, TableCell()},
                                                    {"a,b", -0.0, 1e-5, "say \"hi\""},
                                                    {"two\r\nlines", 0.1 + 0.2, -1.5e300, ""}};
  const DataTable table{{"channel", "start_s", "peak_ms2", "note"},
                        rows.size(),
                        [&rows](std::size_t row, std::span<TableCell> cells) {
                          std::copy(rows[row].begin(), rows[row].end(), cells.begin());
                        }};
  EXPECT_EQ(CsvText(table),
            "channel,start_s,peak_ms2,note\r\n"
            "X,114.963,25,\r\n"
            "\"a,b\",-0,1e-05,\"say \"\"hi\"\"\"\r\n"
            "\"two\r\nlines\",0.30000000000000004,-1.5e+300,\r\n");
  const StrictCsv read = ReadStrictCsv(CsvText(table));
  ASSERT_EQ(read.error, "");
  EXPECT_EQ(read.rows[2][0], "two\r\nlines");
  EXPECT_EQ(read.rows[1][3], "say \"hi\"");

  // A file: the same bytes, and a long table streams through in pieces.
  const TempDir folder;
  const DataTable many = Numbers(200000, 3, Tenths);
  SaveCsv(folder.File("many.csv"), many);
  const StrictCsv back = ReadStrictCsv(saved::Contents(folder.File("many.csv")));
  ASSERT_EQ(back.error, "");
  ASSERT_EQ(back.rows.size(), 200000u);
  for (std::size_t row = 0; row < back.rows.size(); row += 997) {
    for (std::size_t c = 0; c < 3; ++c)
      ASSERT_EQ(CsvNumber(back.rows[row][c]), Tenths(row) * (c + 1.0));
  }
}

// A full disk, a number that is not finite, a folder that is gone: the write
// fails naming the file, and the old file stays with nothing beside it.
TEST(TableFiles, AFailedWriteLeavesTheOldFileAndNothingElse) {
  const TempDir folder;
  const std::string csv = folder.File("old.csv");
  const std::string book = folder.File("old.xlsx");
  saved::Put(csv, "old csv");
  saved::Put(book, "old book");
  const DataTable big = Numbers(100000, 4, Tenths);
  const DataTable nan =
      Numbers(10, 2, [](std::size_t row) { return row == 7 ? std::nan("") : 1.0; });
  const auto workbook = [](const DataTable& table) {
    return [&table](XlsxWorkbook& book) { WriteTableSheets(book, "Данные", table); };
  };
  const struct {
    const char* what;
    std::function<void()> write;
    bool fullDisk;
  } failures[] = {
      {"csv, full disk", [&] { SaveCsv(csv, big); }, true},
      {"xlsx, full disk", [&] { SaveXlsx(book, 4e5, workbook(big)); }, true},
      {"csv, nan", [&] { SaveCsv(csv, nan); }, false},
      {"xlsx, nan", [&] { SaveXlsx(book, 20, workbook(nan)); }, false},
      {"csv, no folder", [&] { SaveCsv(folder.File("gone/x.csv"), nan); }, false},
  };
  for (const auto& failure : failures) {
    SCOPED_TRACE(failure.what);
    std::optional<FileSizeLimit> full;
    if (failure.fullDisk) full.emplace(4096);
    try {
      failure.write();
      ADD_FAILURE() << "written";
    } catch (const FileWriteError& error) {
      const std::string message = error.what();
      EXPECT_NE(message.find(folder.Path().string()), std::string::npos) << message;
      if (failure.fullDisk) {
        EXPECT_NE(message.find("файл слишком велик"), std::string::npos) << message;
      }
    }
    full.reset();
    EXPECT_EQ(saved::Contents(csv), "old csv");
    EXPECT_EQ(saved::Contents(book), "old book");
    EXPECT_EQ(saved::Names(folder.Path()), std::vector<std::string>({"old.csv", "old.xlsx"}));
  }
  EXPECT_THROW(CsvText(nan), NonFiniteCell);
}

// One sheet holds a header row and 1,048,575 rows; the next row opens a
// second sheet with the same header row.
TEST(TableFiles, WorkbookGoesOnToAnotherSheetPastOneSheetsRows) {
  const TempDir folder;
  const std::string path = folder.File("long.xlsx");
  const DataTable table = Numbers(kSheetRowLimit, 1, Quarters);
  SaveXlsx(path, 2e6, [&](XlsxWorkbook& book) {
    WriteDetailsSheet(book, "Сведения",
                      {{"Файл", std::string("probe, 1.dat")}, {"g, м/с²", 9.815}});
    WriteTableSheets(book, "Данные", table);
  });
  EXPECT_EQ(xlsx::SheetNames(path), std::vector<std::string>({"Сведения", "Данные", "Данные 2"}));
  const std::string details = xlsx::Part(path, "xl/worksheets/sheet1.xml");
  EXPECT_EQ(xlsx::Cell(details, "B1"), "probe, 1.dat");
  EXPECT_EQ(xlsx::Cell(details, "B2"), "9.815");
  const std::string first = xlsx::Part(path, "xl/worksheets/sheet2.xml");
  EXPECT_EQ(xlsx::Cell(first, "A1"), "v0_ms2");
  EXPECT_EQ(std::stod(*xlsx::Cell(first, "A3")), Quarters(1));
  EXPECT_EQ(std::stod(*xlsx::Cell(first, "A1048576")), Quarters(kSheetRowLimit - 2));
  const std::string second = xlsx::Part(path, "xl/worksheets/sheet3.xml");
  EXPECT_EQ(xlsx::Cell(second, "A1"), "v0_ms2");
  EXPECT_EQ(std::stod(*xlsx::Cell(second, "A2")), Quarters(kSheetRowLimit - 1));
  EXPECT_EQ(xlsx::Cell(second, "A3"), std::nullopt);
}
