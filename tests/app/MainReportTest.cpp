// The printed report: footer lines, print colours while the preview is open,
// and the screen look given back afterwards on every path.
#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPrinter>
#include <QSvgGenerator>

#include "support/PdfWords.h"
#include "support/StartedProgram.h"
#include "text/NumberText.h"
#include "view/ChartHlp.h"
#include "view/ChartSurface.h"

namespace {

struct Look {
  QColor backWall, panel, series2;
  bool footerVisible, titleVisible;
  QStringList footer;
  int sectionX;
};

Look LookOf(TMainForm& form) {
  return {form.CHART->BackWallColor(),   form.CHART->PanelColor(),
          form.Series[1]->Color(),       form.CHART->Footer().Visible(),
          form.CHART->Title().Visible(), form.CHART->Footer().Lines(),
          form.ChartHelper->SectionX()};
}

struct ReportProgram : StartedProgram {
  ReportProgram() {
    data().SampleCount = 3000;
    form().AccelX_line->setChecked(true);
    form().UpdateGraph();
    form().CHART->Repaint();
    form().ChartHelper->SetSection(ChartPoint{1.0, 0.0});
    dialogs.previewAction = [this](QWidget*, const std::function<void(QPrinter&)>&) {
      during.push_back(LookOf(form()));
    };
  }
  std::vector<Look> during;
};

}  // namespace

TEST(Report, FooterLinesBeforeAnyCalculation) {
  DecimalSeparatorScope point('.');
  ReportProgram program;
  program.form().SelectInterval(2.000, 0.500);
  program.form().Print->trigger();
  ASSERT_EQ(program.during.size(), 1u);
  EXPECT_EQ(program.during[0].footer,
            QStringList({"Интервал расчета:  t0 = 2.000с    t1 = 0.500с    dt = 1.5с",
                         "Виброускорение :   Минимум =    Максимум = ", "Виброскорость:СКЗ = ",
                         "Лин. скорость:   Минимум =    Максимум =    Среднее = "}));
}

TEST(Report, PrintLookWhileShownScreenLookAfter) {
  DecimalSeparatorScope point('.');
  ReportProgram program;
  TMainForm& form = program.form();
  form.Calculate->trigger();
  const Look before = LookOf(form);
  form.Print->trigger();
  form.Print->trigger();
  ASSERT_EQ(program.during.size(), 2u);
  for (const Look& look : program.during) {
    EXPECT_EQ(look.backWall, QColor(Qt::white));
    EXPECT_EQ(look.panel, QColor(Qt::white));
    EXPECT_EQ(look.series2, QColor(128, 128, 128));
    EXPECT_TRUE(look.footerVisible);
    EXPECT_TRUE(look.titleVisible);
    EXPECT_EQ(look.sectionX, -1);      // no section lines on paper
    EXPECT_EQ(look.footer.size(), 4);  // never accumulating
    EXPECT_TRUE(look.footer[1].endsWith(program.cell(0, 2)));
  }
  const Look after = LookOf(form);
  EXPECT_EQ(after.backWall, before.backWall);
  EXPECT_EQ(after.panel, QColor(0, 0, 128));
  EXPECT_EQ(after.series2, QColor(255, 0, 0));
  EXPECT_FALSE(after.footerVisible);
  EXPECT_FALSE(after.titleVisible);
  EXPECT_TRUE(after.footer.isEmpty());
  EXPECT_EQ(after.sectionX, before.sectionX);
  EXPECT_NE(after.sectionX, -1);
}

TEST(Report, AFailingPreviewStillGivesTheScreenBack) {
  ReportProgram program;
  program.dialogs.previewAction = [](QWidget*, const std::function<void(QPrinter&)>&) {
    throw std::runtime_error("no printer");
  };
  program.form().Print->trigger();
  ASSERT_EQ(program.dialogs.shown.size(), 1u);
  EXPECT_EQ(program.dialogs.shown[0].text, QStringLiteral("no printer"));
  const Look after = LookOf(program.form());
  EXPECT_EQ(after.panel, QColor(0, 0, 128));
  EXPECT_FALSE(after.footerVisible);
  EXPECT_NE(after.sectionX, -1);
}

TEST(Report, RenderedWithItsFooter) {
  DecimalSeparatorScope point('.');
  ReportProgram program;
  const TempFile pdf("report_test.pdf");
  const TempFile svg("report_test.svg");
  program.dialogs.previewAction = [&](QWidget*, const std::function<void(QPrinter&)>& paint) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf.path());
    paint(printer);
    QSvgGenerator picture;  // the same chart as text we can search
    picture.setFileName(svg.path());
    picture.setSize(QSize(1000, 700));
    program.form().CHART->Render(picture, QRectF(0, 0, 1000, 700));
  };
  program.form().Print->trigger();
  QFile pdfFile(pdf.path());
  ASSERT_TRUE(pdfFile.open(QIODevice::ReadOnly));
  EXPECT_TRUE(pdfFile.readAll().startsWith("%PDF"));
  QFile svgFile(svg.path());
  ASSERT_TRUE(svgFile.open(QIODevice::ReadOnly));
  const QString text = QString::fromUtf8(svgFile.readAll());
  EXPECT_TRUE(text.contains(QStringLiteral("Интервал расчета:")));
  EXPECT_TRUE(text.contains(QStringLiteral("Лин. скорость:")));
}

namespace {

// The report of an imported recording, printed to a PDF file at `dpi`.
struct PrintedReport {
  PdfPage page;
  QRectF frame;  // the printable area less the chart's print margins, in points
  QStringList footer;
  QString fileName;
};

PrintedReport PrintAt(int dpi) {
  StartedProgram program;
  TempFile recording("report_page_probe.dat", LoggerBytes(150, 3, 2));
  TempFile pdf("report_page_probe.pdf");
  program.dialogs.openAnswers.push_back(recording.path());
  program.form().ImportFile->trigger();
  program.form().SelectInterval(0.500, 2.250);
  program.form().Speed_X_Line->setChecked(true);
  program.form().Vibro_X_Line->setChecked(true);
  program.form().UpdateGraph();
  program.form().Calculate->trigger();
  PrintedReport report;
  program.dialogs.previewAction = [&](QWidget*, const std::function<void(QPrinter&)>& paint) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setResolution(dpi);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf.path());
    const QRectF paint_ = printer.pageLayout().paintRectPoints();
    const double dx = paint_.width() * ChartSurface::kPrintMargin;
    const double dy = paint_.height() * ChartSurface::kPrintMargin;
    report.frame = paint_.adjusted(dx, dy, -dx, -dy);
    report.footer = program.form().CHART->Footer().Lines();
    paint(printer);
  };
  program.form().Print->trigger();
  report.fileName = QFileInfo(recording.path()).fileName();
  const std::vector<PdfPage> pages = ReadPdfWords(pdf.path());
  EXPECT_EQ(pages.size(), 1u);
  if (!pages.empty()) report.page = pages[0];
  return report;
}

bool IsNumber(const QString& word) {
  bool ok = false;
  word.toDouble(&ok);
  return ok;
}

}  // namespace

// What a reader of the printed page sees, whatever the printer's resolution:
// every word inside the margins at a print size, the title with the whole
// file name, and the four footer lines whole, below the chart.
TEST(Report, ThePrintedPageReadsTheSameAtEveryResolution) {
  DecimalSeparatorScope point('.');
  for (int dpi : {300, 600, 1200}) {
    SCOPED_TRACE(dpi);
    const PrintedReport report = PrintAt(dpi);
    ASSERT_EQ(report.footer.size(), 4);
    ASSERT_FALSE(report.page.words.empty());
    const QRectF frame = report.frame.adjusted(-1, -1, 1, 1);
    int numbers = 0;  // axis numbers
    for (const PdfWord& word : report.page.words) {
      EXPECT_TRUE(frame.contains(word.box)) << word.text.toStdString();
      // A 7 to 12 point font gives boxes of this height; the value axis
      // title runs upwards, so its width shows its size.
      const bool upwards = word.box.height() > 2 * word.box.width() && word.text.size() > 2;
      const double size = upwards ? word.box.width() : word.box.height();
      EXPECT_GT(size, 6.0) << word.text.toStdString();
      EXPECT_LT(size, 16.0) << word.text.toStdString();
      if (IsNumber(word.text)) ++numbers;
    }
    EXPECT_GE(numbers, 6);
    const std::vector<PdfLine> lines = PdfLines(report.page);
    ASSERT_GE(lines.size(), 5u);
    EXPECT_EQ(lines.front().text, QStringLiteral("TORVIK -> ") + report.fileName);
    // The footer: the last four lines of the page, as built, under the chart.
    const std::vector<PdfLine> footer(lines.end() - 4, lines.end());
    for (int i = 0; i < 4; ++i) EXPECT_EQ(footer[i].text, report.footer[i].simplified());
    EXPECT_GT(footer[0].box.top(), lines[lines.size() - 5].box.bottom());
    EXPECT_TRUE(report.footer[2].contains(QStringLiteral("м/с"))) << "the values were computed";
  }
}

namespace {

// Runs of rows holding ink (anything not white), top to bottom.
std::vector<std::pair<int, int>> InkBands(const QImage& page, QRect& ink) {
  std::vector<std::pair<int, int>> bands;
  ink = QRect();
  for (int y = 0; y < page.height(); ++y) {
    const QRgb* row = reinterpret_cast<const QRgb*>(page.constScanLine(y));
    bool inked = false;
    for (int x = 0; x < page.width(); ++x) {
      if ((row[x] & 0xffffff) != 0xffffff) {
        inked = true;
        ink |= QRect(x, y, 1, 1);
      }
    }
    if (!inked) continue;
    if (!bands.empty() && bands.back().second == y - 1) {
      bands.back().second = y;
    } else {
      bands.emplace_back(y, y);
    }
  }
  return bands;
}

}  // namespace

// The report drawn into an image of an A4 page at 150 dpi, looked at as a
// reader would: ink only inside the margins, and under the chart four
// footer lines of print size, evenly spaced.
TEST(Report, TheReportAsAnImageShowsFourFooterLinesOfPrintSize) {
  DecimalSeparatorScope point('.');
  ReportProgram program;
  program.form().Calculate->trigger();
  constexpr double kDpi = 150;
  QImage page(1240, 1754, QImage::Format_RGB32);
  page.setDotsPerMeterX(qRound(kDpi / 0.0254));
  page.setDotsPerMeterY(qRound(kDpi / 0.0254));
  page.fill(Qt::white);
  program.dialogs.previewAction = [&](QWidget*, const std::function<void(QPrinter&)>&) {
    program.form().CHART->Render(page, QRectF(page.rect()));
  };
  program.form().Print->trigger();

  QRect ink;
  const std::vector<std::pair<int, int>> bands = InkBands(page, ink);
  const double dx = page.width() * ChartSurface::kPrintMargin;
  const double dy = page.height() * ChartSurface::kPrintMargin;
  EXPECT_TRUE(QRectF(page.rect()).adjusted(dx - 1, dy - 1, 1 - dx, 1 - dy).contains(ink));
  ASSERT_GE(bands.size(), 6u);
  const double pixelsPerPoint = kDpi / 72;
  std::vector<int> footerTops;
  for (auto band = bands.end() - 4; band != bands.end(); ++band) {
    const double points = (band->second - band->first + 1) / pixelsPerPoint;
    EXPECT_GT(points, 5.0);
    EXPECT_LT(points, 14.0);
    footerTops.push_back(band->first);
  }
  const int spacing = footerTops[1] - footerTops[0];
  EXPECT_GT(spacing / pixelsPerPoint, 8.0);
  EXPECT_LT(spacing / pixelsPerPoint, 18.0);
  EXPECT_NEAR(footerTops[2] - footerTops[1], spacing, 2);
  EXPECT_NEAR(footerTops[3] - footerTops[2], spacing, 2);
}
