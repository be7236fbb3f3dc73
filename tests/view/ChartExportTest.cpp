// The chart export: every format written and read back, failures that leave
// no file, and the dialog driven as a user would.

#include <QAbstractButton>
#include <QButtonGroup>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtEndian>
#include <cmath>
#include <map>
#include <optional>

#include "files/XlsxWorkbook.h"
#include "support/FakeUserDialogs.h"
#include "support/FileSizeLimit.h"
#include "support/QtPrinters.h"
#include "support/Sanitizers.h"
#include "view/ChartExportDialog.h"
#include "view/ChartFixture.h"

namespace {

QByteArray ReadAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The names in a zip file's central directory; empty when there is none.
QStringList ZipEntries(const QByteArray& zip) {
  const qsizetype end = zip.lastIndexOf(QByteArray("PK\x05\x06", 4));
  if (end < 0 || end + 22 > zip.size()) return {};
  const auto u16 = [&](qsizetype at) { return qFromLittleEndian<quint16>(zip.constData() + at); };
  const auto u32 = [&](qsizetype at) { return qFromLittleEndian<quint32>(zip.constData() + at); };
  QStringList names;
  qsizetype at = u32(end + 16);
  for (int i = 0; i < u16(end + 10); ++i) {
    if (at + 46 > zip.size() || zip.mid(at, 4) != QByteArray("PK\x01\x02", 4)) return {};
    names << QString::fromUtf8(zip.mid(at + 46, u16(at + 28)));
    at += 46 + u16(at + 28) + u16(at + 30) + u16(at + 32);
  }
  return names;
}

// A table read back: header and rows of cells, an empty cell nullopt.
struct Table {
  QStringList header;
  std::vector<std::vector<std::optional<double>>> rows;
};

void AddRow(Table& table, const QStringList& cells) {
  if (table.header.isEmpty()) {
    table.header = cells;
    return;
  }
  auto& row = table.rows.emplace_back();
  for (const QString& cell : cells) {
    bool ok = false;
    const double value = cell.toDouble(&ok);  // "." only
    row.push_back(cell.isEmpty() ? std::nullopt : std::optional(ok ? value : NAN));
  }
}

Table ReadCsv(const QString& path) {
  const QByteArray bytes = ReadAll(path);
  EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));  // the UTF-8 byte order mark
  QStringList lines = QString::fromUtf8(bytes.mid(3)).split(QStringLiteral("\r\n"));
  EXPECT_EQ(lines.takeLast(), QString());  // the last line ends with CR LF too
  Table table;
  for (const QString& line : lines) {
    EXPECT_FALSE(line.contains(QLatin1Char('\n')));
    AddRow(table, line.split(QLatin1Char(';')));
  }
  return table;
}

Table ReadHtml(const QString& path) {
  static const QRegularExpression rowPattern(QStringLiteral("<tr>(.*?)</tr>"));
  static const QRegularExpression cellPattern(QStringLiteral("<t[dh]>(.*?)</t[dh]>"));
  Table table;
  for (const auto& row : rowPattern.globalMatch(QString::fromUtf8(ReadAll(path)))) {
    QStringList cells;
    for (const auto& cell : cellPattern.globalMatch(row.captured(1))) cells << cell.captured(1);
    AddRow(table, cells);
  }
  return table;
}

// What the series should give: one time column for all when `sharedTime`,
// else one per series; empty cells below the last point of a shorter series.
Table Expected(const std::vector<const ChartSeries*>& series, bool sharedTime) {
  Table table{sharedTime ? QStringList{"Время, с"} : QStringList{}, {}};
  for (const ChartSeries* s : series) {
    if (!sharedTime) table.header << s->Name() + ": время, с";
    table.header << s->Name();
  }
  for (std::size_t k = 0; k < series.front()->PointCount(); ++k) {
    auto& row = table.rows.emplace_back();
    if (sharedTime) row.push_back(series.front()->Point(k).x());
    for (const ChartSeries* s : series) {
      const bool holds = k < s->PointCount();
      if (!sharedTime) row.push_back(holds ? std::optional(s->Point(k).x()) : std::nullopt);
      row.push_back(holds ? std::optional(s->Point(k).y()) : std::nullopt);
    }
  }
  return table;
}

// Fifteen significant digits are written.
void ExpectWritten(std::optional<double> written, std::optional<double> expected) {
  ASSERT_EQ(written.has_value(), expected.has_value());
  if (expected) {
    EXPECT_NEAR(*written, *expected, 1e-14 * std::max(1.0, std::abs(*expected)));
  }
}

void ExpectWritten(const Table& read, const Table& expected) {
  EXPECT_EQ(read.header, expected.header);
  ASSERT_EQ(read.rows.size(), expected.rows.size());
  for (std::size_t k = 0; k < read.rows.size(); ++k) {
    ASSERT_EQ(read.rows[k].size(), expected.rows[k].size()) << "row " << k;
    for (std::size_t c = 0; c < read.rows[k].size(); ++c) {
      ExpectWritten(read.rows[k][c], expected.rows[k][c]);
    }
  }
}

}  // namespace

class ChartExportTest : public ChartFixture {
 protected:
  void SetUp() override {
    ChartFixture::SetUp();
    ASSERT_TRUE(folder.isValid());
    chart.AddSeries(QStringLiteral("Series1"));  // shown but empty: not exported
    second = AddSeries({0.0, 1.5, -2.25, 3.125e-5, 12345.678901234, -0.1, 7.0});
    third = AddSeries({9.0, 8.0, 7.0, 6.0, 5.0, 4.0, 1.0 / 3.0});
  }

  QString Path(const QString& name) const { return folder.filePath(name); }
  QStringList Files() const {
    return QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
  }

  QTemporaryDir folder;
  ChartSeries* second = nullptr;
  ChartSeries* third = nullptr;
};

TEST_F(ChartExportTest, PicturesHaveTheChosenSizeAndKind) {
  const QSize size(640, 360);
  const std::map<ChartExportFormat, QByteArray> images = {{ChartExportFormat::Png, "png"},
                                                          {ChartExportFormat::Bmp, "bmp"},
                                                          {ChartExportFormat::Jpeg, "jpeg"}};
  for (const auto& [format, kind] : images) {
    const QString path = Path(QStringLiteral("chart.") + QString::fromLatin1(kind));
    ASSERT_EQ(ExportChart(chart, format, size, path), std::nullopt) << kind.constData();
    EXPECT_EQ(QImageReader::imageFormat(path), kind);
    EXPECT_EQ(QImage(path).size(), size) << kind.constData();
  }
  ASSERT_EQ(ExportChart(chart, ChartExportFormat::Svg, size, Path("chart.svg")), std::nullopt);
  EXPECT_TRUE(ReadAll(Path("chart.svg")).contains("<svg"));
  ASSERT_EQ(ExportChart(chart, ChartExportFormat::Pdf, size, Path("chart.pdf")), std::nullopt);
  EXPECT_TRUE(ReadAll(Path("chart.pdf")).startsWith("%PDF"));
  EXPECT_GT(ReadAll(Path("chart.pdf")).size(), 1000);  // a page with the chart drawn on it
  EXPECT_EQ(Files().size(), 5) << Files().join(' ').toStdString();  // no temporary left over
}

TEST_F(ChartExportTest, DelimitedTextAndHtmlHoldOneTimeColumnAndEachSeriesThatHoldsPoints) {
  QFile old(Path("points.csv"));  // an earlier file is replaced whole
  ASSERT_TRUE(old.open(QIODevice::WriteOnly));
  old.write(QByteArray(100000, 'x'));
  old.close();
  ASSERT_EQ(ExportChart(chart, ChartExportFormat::Csv, {}, Path("points.csv")), std::nullopt);
  ExpectWritten(ReadCsv(Path("points.csv")), Expected({second, third}, true));
  ASSERT_EQ(ExportChart(chart, ChartExportFormat::Html, {}, Path("points.html")), std::nullopt);
  ExpectWritten(ReadHtml(Path("points.html")), Expected({second, third}, true));
}

TEST_F(ChartExportTest, SeriesWithTimesOfTheirOwnBringTheirOwnTimeColumns) {
  // As many points as Series2, but later.
  static const std::vector<double> later = {0, 0, 0, 10.0, 20.0, 30.0, 40.0, 50.0, 60.0};
  third->Clear();
  third->Append({later.data(), 2.0, 0.5, 3, 6, 0.001});
  ASSERT_EQ(ExportSeriesData(chart, SeriesDataFormat::Csv, Path("own.csv")), std::nullopt);
  ExpectWritten(ReadCsv(Path("own.csv")), Expected({second, third}, false));
  // Fewer points.
  const ChartSeries* fourth = AddSeries({1.0, 2.0, 3.0});
  ASSERT_EQ(ExportSeriesData(chart, SeriesDataFormat::Csv, Path("own.csv")), std::nullopt);
  ExpectWritten(ReadCsv(Path("own.csv")), Expected({second, third, fourth}, false));
}

TEST_F(ChartExportTest, XmlHoldsEachSeriesWithItsPoints) {
  ASSERT_EQ(ExportChart(chart, ChartExportFormat::Xml, {}, Path("points.xml")), std::nullopt);
  QXmlStreamReader xml(ReadAll(Path("points.xml")));
  std::map<QString, std::vector<QPointF>> read;
  QString series;
  while (!xml.atEnd()) {
    if (xml.readNext() != QXmlStreamReader::StartElement) continue;
    const auto value = [&](const char* name) {
      return xml.attributes().value(QLatin1String(name));
    };
    if (xml.name() == u"series") series = value("name").toString();
    if (xml.name() == u"point")
      read[series].emplace_back(value("x").toDouble(), value("y").toDouble());
  }
  ASSERT_FALSE(xml.hasError()) << xml.errorString().toStdString();
  ASSERT_EQ(read.size(), 2u);
  for (const ChartSeries* shown : {second, third}) {
    const std::vector<QPointF>& points = read[shown->Name()];
    ASSERT_EQ(points.size(), shown->PointCount());
    for (std::size_t k = 0; k < points.size(); ++k) {
      ExpectWritten(points[k].x(), shown->Point(k).x());
      ExpectWritten(points[k].y(), shown->Point(k).y());
    }
  }
}

TEST_F(ChartExportTest, XlsxIsAWorkbookThatGoesOnToASecondSheetWhenTheFirstIsFull) {
  TORVIK_SKIP_UNDER_SANITIZERS("a million rows are volume, not a new path");
  const auto sheets = [&](const QString& name) {
    EXPECT_EQ(ExportChart(chart, ChartExportFormat::Xlsx, {}, Path(name)), std::nullopt);
    const QByteArray zip = ReadAll(Path(name));
    EXPECT_TRUE(zip.startsWith("PK"));
    return ZipEntries(zip).filter(QRegularExpression("^xl/worksheets/sheet\\d+\\.xml$"));
  };
  EXPECT_EQ(sheets("short.xlsx"), QStringList{"xl/worksheets/sheet1.xml"});
  // A sheet holds a header row and one point less than its rows.
  static const std::vector<double> values(kSheetRowLimit, 0.25);
  third->Clear();
  second->Clear();
  second->Append({values.data(), 1.0, 0.0, 0, kSheetRowLimit - 1, 0.001});
  EXPECT_EQ(sheets("full.xlsx").size(), 1);
  second->Clear();
  second->Append({values.data(), 1.0, 0.0, 0, kSheetRowLimit, 0.001});
  EXPECT_EQ(sheets("spilled.xlsx"),
            QStringList({"xl/worksheets/sheet1.xml", "xl/worksheets/sheet2.xml"}));
}

TEST_F(ChartExportTest, AFailedExportSaysWhyAndLeavesNoFile) {
  for (int f = 0; f <= static_cast<int>(ChartExportFormat::Xlsx); ++f) {
    const auto format = static_cast<ChartExportFormat>(f);
    const QString path =
        QStringLiteral("/nonexistent/x.") + ExportFileSettings(format).defaultSuffix;
    const ExportFailure failure = ExportChart(chart, format, {200, 100}, path);
    ASSERT_TRUE(failure.has_value()) << f;
    EXPECT_TRUE(failure->contains(path)) << failure->toStdString();
    EXPECT_FALSE(QFile::exists(path));
  }
  // A folder in the way: the file is written, but cannot take the folder's place.
  ASSERT_TRUE(QDir(folder.path()).mkdir("taken"));
  EXPECT_TRUE(ExportChart(chart, ChartExportFormat::Csv, {}, Path("taken")).has_value());
  EXPECT_TRUE(ExportChart(chart, ChartExportFormat::Png, {200, 100}, Path("taken")).has_value());
  EXPECT_TRUE(ExportChart(chart, ChartExportFormat::Png, {0, 100}, Path("empty.png")).has_value());
  second->Clear();
  third->Clear();
  const ExportFailure nothing = ExportChart(chart, ChartExportFormat::Xlsx, {}, Path("none.xlsx"));
  ASSERT_TRUE(nothing.has_value());
  EXPECT_EQ(*nothing, "На графике нет точек для записи.");
  EXPECT_EQ(Files(), QStringList({"taken"}));
}

// A disk that fills up half-way, played by a limit on the size of files.
TEST_F(ChartExportTest, AFileCutShortIsAFailureNotAPicture) {
  std::vector<std::pair<ChartExportFormat, ExportFailure>> results;
  {
    const FileSizeLimit full(4096);
    for (const auto format :
         {ChartExportFormat::Png, ChartExportFormat::Svg, ChartExportFormat::Pdf}) {
      const QString path = Path(QStringLiteral("cut.") + ExportFileSettings(format).defaultSuffix);
      results.emplace_back(format, ExportChart(chart, format, {800, 600}, path));
    }
  }
  // The cause is named: the limit that plays the full disk fails a write with EFBIG.
  for (const auto& [format, failure] : results) {
    ASSERT_TRUE(failure.has_value()) << static_cast<int>(format);
    const QString path = Path(QStringLiteral("cut.") + ExportFileSettings(format).defaultSuffix);
    EXPECT_EQ(*failure,
              QStringLiteral("Не удалось записать файл «%1» (файл слишком велик).").arg(path));
  }
  EXPECT_TRUE(Files().isEmpty());
}

TEST_F(ChartExportTest, APercentSignInTheFolderNameIsJustACharacter) {
  ASSERT_TRUE(QDir(folder.path()).mkdir("50%2 dir"));
  EXPECT_EQ(ExportChart(chart, ChartExportFormat::Csv, {}, Path("50%2 dir/points.csv")),
            std::nullopt);
  EXPECT_TRUE(QFile::exists(Path("50%2 dir/points.csv")));
}

TEST_F(ChartExportTest, DialogWritesTheChosenFormatReportsAFailureAndWritesNothingOnCancel) {
  FakeUserDialogs dialogs;
  TChartExportForm form(chart, dialogs);
  EXPECT_EQ(form.PictureSize(), chart.size());
  dialogs.saveAnswers = {std::nullopt, SaveChoice{"/nonexistent/x.csv", 0},
                         SaveChoice{Path("chart.jpg"), 0}};
  dialogs.modalActions.push_back([&](QDialog&) {
    form.Formats->button(static_cast<int>(ChartExportFormat::Csv))->click();
    EXPECT_FALSE(form.WidthEdit->isEnabled());
    QTest::mouseClick(form.SaveButton, Qt::LeftButton);  // cancelled
    EXPECT_TRUE(Files().isEmpty());
    EXPECT_TRUE(dialogs.shown.empty());
    QTest::mouseClick(form.SaveButton, Qt::LeftButton);  // fails
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].kind, FakeUserDialogs::Kind::Error);
    EXPECT_TRUE(dialogs.shown[0].text.contains("/nonexistent/x.csv"));
    EXPECT_TRUE(form.isVisible());
    form.Formats->button(static_cast<int>(ChartExportFormat::Jpeg))->click();
    form.WidthEdit->setValue(300);
    form.HeightEdit->setValue(200);
    QTest::mouseClick(form.SaveButton, Qt::LeftButton);
    EXPECT_FALSE(form.isVisible());  // written: the dialog closes
  });
  dialogs.ShowModal(form);
  ASSERT_EQ(dialogs.saveRequests.size(), 3u);
  EXPECT_EQ(dialogs.saveRequests[1].defaultSuffix, "csv");
  EXPECT_TRUE(dialogs.saveRequests[1].filter.contains("*.csv"));
  EXPECT_EQ(dialogs.saveRequests[2].defaultSuffix, "jpg");
  EXPECT_EQ(QImage(Path("chart.jpg")).size(), QSize(300, 200));
  EXPECT_EQ(Files(), QStringList{"chart.jpg"});
  EXPECT_EQ(dialogs.shown.size(), 1u);
}
