// The chart on paper and in pictures as a reader sees them: the words of
// the title, the footer and the axes, read back from the PDF.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QFontMetricsF>
#include <QLocale>
#include <QTemporaryDir>
#include <QTransform>
#include <QXmlStreamReader>
#include <cmath>
#include <map>

#include "support/PdfWords.h"
#include "text/NumberText.h"
#include "view/ChartFixture.h"

namespace {

class ChartPaperTest : public ChartFixture {
 protected:
  void SetUp() override {
    ChartFixture::SetUp();
    std::vector<double> wave(6001);
    for (std::size_t i = 0; i < wave.size(); ++i) {
      wave[i] = 1.25 * std::sin(static_cast<double>(i) / 400.0);
    }
    AddSeries(std::move(wave));
    chart.BottomAxis().SetTitle(QStringLiteral("Время, c"));
    chart.LeftAxis().SetTitle(QStringLiteral("А,м/с2 + V,м/с"));
    chart.Title().SetText(
        QStringLiteral("TORVIK ->   a_rather_long_recording_name_of_a_probe.dat"));
    chart.Title().SetVisible(true);
    chart.Footer().SetText(kFooter.join(QLatin1Char('\n')));
    chart.Footer().SetVisible(true);
    Settle();
  }

  PdfPage PdfOf(QSize size) {
    const std::optional<QByteArray> bytes = chart.Picture(ChartSurface::ExportFormat::Pdf, size);
    EXPECT_TRUE(bytes.has_value());
    QFile file(dir.filePath(QStringLiteral("chart.pdf")));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes.value_or(QByteArray()));
    file.close();
    const std::vector<PdfPage> pages = ReadPdfWords(file.fileName());
    EXPECT_EQ(pages.size(), 1u);
    return pages.empty() ? PdfPage{} : pages[0];
  }

  // The texts of the words that are numbers of the axes.
  QStringList AxisNumbers(const PdfPage& page) {
    static const QRegularExpression number(QStringLiteral("^-?[0-9]+[.,][0-9]{3}$"));
    QStringList numbers;
    for (const PdfWord& word : page.words) {
      if (number.match(word.text).hasMatch()) numbers.append(word.text);
    }
    return numbers;
  }

  const QStringList kFooter = {
      QStringLiteral("Интервал расчета:  t0 = 0.500с    t1 = 2.250с    dt = 1.75с"),
      QStringLiteral("Виброускорение :   Минимум = -12.35 м/с2   Максимум = 13.01 м/с2"),
      QStringLiteral("Виброскорость:СКЗ = 1.234 мм/с"),
      QStringLiteral("Лин. скорость:   Минимум = -1.234 м/с   Максимум = 2.345 м/с   Среднее = "
                     "0.567 м/с")};
  QTemporaryDir dir;
};

// At any size the export dialog offers, every word of the picture lies on
// it, the title keeps the whole file name and the footer its four lines.
TEST_F(ChartPaperTest, PdfPicturesKeepEveryWordOnThePageAtAnySize) {
  for (const QSize size : {QSize(240, 160), QSize(420, 300), QSize(800, 500), QSize(3000, 2000)}) {
    SCOPED_TRACE(size.width());
    const PdfPage page = PdfOf(size);
    ASSERT_FALSE(page.words.empty());
    EXPECT_NEAR(page.size.width(), size.width(), 1.0);
    const QRectF sheet = QRectF(QPointF(0, 0), page.size).adjusted(-0.5, -0.5, 0.5, 0.5);
    for (const PdfWord& word : page.words) {
      EXPECT_TRUE(sheet.contains(word.box)) << word.text.toStdString();
    }
    QString all;
    for (const PdfLine& line : PdfLines(page)) all += line.text + QLatin1Char('\n');
    EXPECT_TRUE(all.contains(QStringLiteral("a_rather_long_recording_name_of_a_probe.dat")) ||
                all.remove(QLatin1Char('\n'))
                    .contains(QStringLiteral("a_rather_long_recording_name_of_a_probe.dat")))
        << all.toStdString();
    for (const QString& line : kFooter) {
      EXPECT_TRUE(all.simplified().contains(line.simplified())) << line.toStdString();
    }
  }
}

// The text runs of an SVG picture with the boxes their glyphs take, in the
// picture's own units.
struct SvgRun {
  QString text;
  QRectF box;
};

QTransform SvgMatrix(const QString& attribute) {
  static const QRegularExpression matrix(QStringLiteral("matrix\\(([^)]*)\\)"));
  const QRegularExpressionMatch m = matrix.match(attribute);
  if (!m.hasMatch()) return {};
  const QStringList v = m.captured(1).split(QLatin1Char(','));
  if (v.size() != 6) return {};
  return QTransform(v[0].toDouble(), v[1].toDouble(), v[2].toDouble(), v[3].toDouble(),
                    v[4].toDouble(), v[5].toDouble());
}

std::vector<SvgRun> SvgRuns(const QByteArray& svg) {
  std::vector<SvgRun> runs;
  std::vector<QTransform> groups = {QTransform()};
  QXmlStreamReader xml(svg);
  while (!xml.atEnd()) {
    xml.readNext();
    if (xml.isStartElement() && xml.name() == QStringLiteral("g")) {
      groups.push_back(SvgMatrix(xml.attributes().value("transform").toString()) * groups.back());
    } else if (xml.isEndElement() && xml.name() == QStringLiteral("g")) {
      groups.pop_back();
    } else if (xml.isStartElement() && xml.name() == QStringLiteral("text")) {
      const QXmlStreamAttributes a = xml.attributes();
      QFont font(a.value("font-family").toString());
      font.setPixelSize(qRound(a.value("font-size").toDouble()));
      font.setBold(a.value("font-weight").toInt() >= 600);
      const QFontMetricsF metrics(font);
      const QPointF baseline(a.value("x").toDouble(), a.value("y").toDouble());
      const QString text = xml.readElementText();
      const QRectF glyphs(baseline.x(), baseline.y() - metrics.ascent(),
                          metrics.horizontalAdvance(text.trimmed()), metrics.height());
      runs.push_back({text, groups.back().mapRect(glyphs)});
    }
  }
  return runs;
}

// Every word of an SVG picture inside it, the title's file name and the
// footer's four lines whole, at any size.
TEST_F(ChartPaperTest, SvgPicturesKeepEveryWordOnThePictureAtAnySize) {
  for (const QSize size : {QSize(260, 180), QSize(800, 500), QSize(2400, 1600)}) {
    SCOPED_TRACE(size.width());
    const std::optional<QByteArray> svg = chart.Picture(ChartSurface::ExportFormat::Svg, size);
    ASSERT_TRUE(svg.has_value());
    const std::vector<SvgRun> runs = SvgRuns(*svg);
    ASSERT_GT(runs.size(), 10u);
    const QRectF picture = QRectF(QPointF(0, 0), QSizeF(size)).adjusted(-1, -1, 1, 1);
    std::map<int, std::map<double, QString>> lines;  // baseline → x → run
    for (const SvgRun& run : runs) {
      EXPECT_TRUE(picture.contains(run.box)) << run.text.toStdString();
      lines[qRound(run.box.bottom())][run.box.left()] += run.text;
    }
    QString all;
    for (const auto& [baseline, line] : lines) {
      for (const auto& [x, text] : line) all += text;
      all += QLatin1Char('\n');
    }
    EXPECT_TRUE(QString(all)
                    .remove(QLatin1Char('\n'))
                    .contains(QStringLiteral("a_rather_long_recording_name_of_a_probe.dat")))
        << all.toStdString();
    for (const QString& line : kFooter) {
      // A line too long for a small picture goes on at the next one.
      EXPECT_TRUE(all.simplified().contains(line.simplified())) << line.toStdString();
    }
  }
}

// Axis numbers are written with the program's decimal separator, whatever
// the system's locale says, and follow it when it changes.
TEST_F(ChartPaperTest, AxisNumbersUseTheProgramsDecimalSeparator) {
  chart.Footer().SetVisible(false);  // its texts are the caller's
  const QLocale system;
  for (const auto& [locale, separator] :
       {std::pair{QLocale(QLocale::German), '.'}, std::pair{QLocale::c(), ','}}) {
    QLocale::setDefault(locale);
    DecimalSeparatorScope scope(separator);
    chart.Repaint();
    const QStringList numbers = AxisNumbers(PdfOf(QSize(800, 500)));
    EXPECT_GE(numbers.size(), 6);
    for (const QString& number : numbers) {
      EXPECT_EQ(number.at(number.size() - 4), QLatin1Char(separator)) << number.toStdString();
    }
  }
  QLocale::setDefault(system);
}

}  // namespace
