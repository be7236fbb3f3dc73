// The analysis report read as a reader reads it: its words and their boxes
// from the PDF at three resolutions, the charts' colours from its pages.
#include <gtest/gtest.h>

#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "analysis/ShockEventSelection.h"
#include "files/FileWriter.h"
#include "report/AnalysisReport.h"
#include "support/FileSizeLimit.h"
#include "support/GeneratedRecording.h"
#include "support/PdfWords.h"
#include "support/SavedFiles.h"
#include "support/TempDir.h"
#include "text/NumberText.h"
#include "text/ShortestText.h"

namespace {

// A long name without a blank: the line that shows it must shrink, then break.
const std::string kFileName = "испытание_на_вибростенде_" + std::string(120, 'x') + ".dat";

struct Analysis {
  std::unique_ptr<Recording> recording = GeneratedRecording(4000, 40);
  SampleInterval interval{4000, 75999};
  IntervalParamsResult params;
  ShockEventsResult events;
  std::vector<Drop> drops;
  IntervalPsdResult psd;
  IntervalSrsResult srs;

  Analysis() {
    ParamOptions options;
    options.Shown.fill(true);
    params = CalculateIntervalParams(*recording, interval, options);
    events = FindShockEvents(*recording, interval, {5.0, 10});
    drops = FindDrops(*recording, interval, {});
    psd = IntervalPsd(*recording, interval, {});
    srs = IntervalSrs(*recording, interval, {}, 2);
  }

  AnalysisReport Report() const {
    return {kFileName,
            "17.05.2024 10:42",
            *recording,
            interval,
            ReportParamRows(params),
            ReportExceedanceSummary(params, 25.0),
            events,
            drops,
            psd,
            PsdOptions{},
            srs,
            SrsOptions{}};
  }
};

const Analysis& Analysed() {
  static const Analysis analysis;
  return analysis;
}

std::vector<PdfPage> Pages(const QByteArray& pdf, const QString& path) {
  QFile file(path);
  EXPECT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(pdf);
  file.close();
  return ReadPdfWords(path);
}

QString Collapsed(const std::string& text) {
  return QString::fromStdString(text).simplified();
}

// Pixels of a page rendered at 100 dpi within a small distance of `colour`.
int PixelsNear(const QImage& page, const QColor& colour) {
  int count = 0;
  for (int y = 0; y < page.height(); ++y) {
    for (int x = 0; x < page.width(); ++x) {
      const QColor p = page.pixelColor(x, y);
      if (std::abs(p.red() - colour.red()) + std::abs(p.green() - colour.green()) +
              std::abs(p.blue() - colour.blue()) <
          60) {
        ++count;
      }
    }
  }
  return count;
}

}  // namespace

TEST(AnalysisReport, EveryPageHoldsItsTablesWithTheCoresNumbersInsideThePageAtAnyResolution) {
  const DecimalSeparatorScope point('.');
  const Analysis& a = Analysed();
  ASSERT_GT(a.events.Events.size(), kReportEvents);  // so that the largest are chosen
  ASSERT_FALSE(a.drops.empty());
  QTemporaryDir folder;
  std::vector<std::vector<PdfPage>> atResolution;
  for (const int dpi : {300, 600, 1200}) {
    SCOPED_TRACE(dpi);
    const std::vector<PdfPage> pages =
        Pages(AnalysisReportPdf(a.Report(), dpi), folder.filePath(QStringLiteral("r.pdf")));
    ASSERT_EQ(pages.size(), 3u);
    for (const PdfPage& page : pages) {
      EXPECT_NEAR(page.size.width(), 595.3, 0.5);
      EXPECT_NEAR(page.size.height(), 841.9, 0.5);
    }
    QString outside;
    EXPECT_TRUE(PdfWordsInsidePages(pages, &outside)) << outside.toStdString();
    atResolution.push_back(pages);

    // Page 1: the recording, the parameter rows as the window shows them, the search.
    for (const char* heading : {"Отчёт об анализе записи", "Параметры интервала",
                                "Превышения порогового уровня", "Страница 1 из 3"}) {
      EXPECT_TRUE(PdfHasLine(pages[0], QString::fromUtf8(heading))) << heading;
    }
    EXPECT_TRUE(
        PdfHasLine(pages[0], "Интервал: 4 … 75.999 с (отсчёты 4000 … 75999, всего: 72000)"));
    for (const ReportParamRow& row : ReportParamRows(a.params)) {
      QString expected = Collapsed(row.Caption);
      for (const std::string& text : row.Texts) expected += ' ' + Collapsed(text);
      EXPECT_TRUE(PdfHasLine(pages[0], expected)) << expected.toStdString();
    }

    // Page 2: the 30 largest events, each with the core's numbers, and every drop.
    EXPECT_TRUE(PdfHasLine(pages[1], QStringLiteral("События: %1").arg(a.events.Events.size())));
    const std::vector<std::size_t> largest = LargestShockEvents(a.events.Events, kReportEvents);
    for (const std::size_t i : largest) {
      const ShockEvent& e = a.events.Events[i];
      const QString start = QString::fromLatin1(ShockChannelName(e.Channel)) + ' ' +
                            QString::fromStdString(ShortestText(e.StartSeconds())) + ' ';
      const std::vector<QStringList> rows = PdfRowsStartingWith(pages[1], start);
      ASSERT_EQ(rows.size(), 1u) << start.toStdString();
      EXPECT_EQ(PdfNumber(rows[0][2]), e.DurationSeconds());
      EXPECT_NEAR(PdfNumber(rows[0][3]), e.Peak, 0.005);
      EXPECT_NEAR(PdfNumber(rows[0][4]), e.Peak / a.recording->GValue, 0.0005);
      if (e.DeltaV) {
        EXPECT_NEAR(PdfNumber(rows[0][5]), *e.DeltaV, 0.00005);
      }
    }
    for (const Drop& d : a.drops) {
      const auto rows =
          PdfRowsStartingWith(pages[1], QString::fromStdString(ShortestText(d.StartSeconds)) + ' ');
      ASSERT_EQ(rows.size(), 1u);
      EXPECT_EQ(PdfNumber(rows[0][1]), d.FallSeconds);
      EXPECT_NEAR(PdfNumber(rows[0][2]), d.HeightMeters, 0.0005);
    }

    // Page 3: the rms and the peak of each axis.
    for (int axis = 0; axis < 3; ++axis) {
      const QString name = QString::fromLatin1("XYZ" + axis, 1) + ' ';
      const std::vector<QStringList> rows = PdfRowsStartingWith(pages[2], name);
      ASSERT_EQ(rows.size(), 2u) << axis;  // rms, then the peak and its frequency
      EXPECT_NEAR(PdfNumber(rows[0][1]), a.psd.Rms[axis], 5e-4 * a.psd.Rms[axis]);
      const std::vector<double>& peak = a.srs.Axes[axis].Peak;
      const auto top = std::max_element(peak.begin(), peak.end()) - peak.begin();
      EXPECT_NEAR(PdfNumber(rows[1][1]), peak[top], 5e-4 * peak[top]);
      EXPECT_NEAR(PdfNumber(rows[1][2]), a.srs.Axes[axis].Frequencies[top], 5e-4 * 250);
    }
  }
  // The layout does not depend on the resolution: each word at the same place.
  for (std::size_t p = 0; p < 3; ++p) {
    const std::vector<PdfWord>& coarse = atResolution[0][p].words;
    const std::vector<PdfWord>& fine = atResolution[2][p].words;
    ASSERT_EQ(coarse.size(), fine.size()) << p;
    for (std::size_t w = 0; w < coarse.size(); ++w) {
      EXPECT_EQ(coarse[w].text, fine[w].text);
      EXPECT_NEAR(coarse[w].box.left(), fine[w].box.left(), 1.0) << coarse[w].text.toStdString();
      EXPECT_NEAR(coarse[w].box.top(), fine[w].box.top(), 1.0) << coarse[w].text.toStdString();
    }
  }
}

// The chart of page 1 draws X, Y, Z in the screen's colours (Y darkened for
// paper); the spectra of page 3 in the spectra window's.
TEST(AnalysisReport, ChartsDrawEachAxisInItsColour) {
  QTemporaryDir folder;
  const QString pdf = folder.filePath(QStringLiteral("r.pdf"));
  Pages(AnalysisReportPdf(Analysed().Report(), 300), pdf);
  QProcess render;
  render.start(QStringLiteral("pdftoppm"),
               {QStringLiteral("-r"), QStringLiteral("100"), QStringLiteral("-png"), pdf,
                folder.filePath(QStringLiteral("page"))});
  ASSERT_TRUE(render.waitForFinished(60000));
  const QImage first(folder.filePath(QStringLiteral("page-1.png")));
  const QImage third(folder.filePath(QStringLiteral("page-3.png")));
  ASSERT_FALSE(first.isNull());
  ASSERT_FALSE(third.isNull());
  for (const QColor colour : {QColor(255, 0, 0), QColor(204, 170, 0), QColor(0, 255, 0)}) {
    EXPECT_GT(PixelsNear(first, colour), 200) << colour.name().toStdString();
  }
  for (const QColor colour : {QColor(255, 0, 0), QColor(0, 255, 0), QColor(0, 0, 255)}) {
    EXPECT_GT(PixelsNear(third, colour), 200) << colour.name().toStdString();
  }
}

// A full disk: the write fails naming the file and the old report stays.
TEST(AnalysisReport, AFailedWriteLeavesTheOldReport) {
  const TempDir folder;
  const std::string path = folder.File("report.pdf");
  saved::Put(path, "old report");
  {
    const FileSizeLimit full(4096);
    EXPECT_THROW(WriteAnalysisReportPdf(path, Analysed().Report()), FileWriteError);
  }
  EXPECT_EQ(saved::Contents(path), "old report");
  EXPECT_EQ(saved::Names(folder.Path()), std::vector<std::string>({"report.pdf"}));
  WriteAnalysisReportPdf(path, Analysed().Report());
  EXPECT_TRUE(saved::Contents(path).starts_with("%PDF"));
}
