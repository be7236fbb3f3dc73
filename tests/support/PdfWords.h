// The words of a PDF as a reader sees them: text, box and page, read back
// with poppler's pdftotext. Boxes are in points from the page's top left.
#pragma once

#include <gtest/gtest.h>

#include <QProcess>
#include <QRectF>
#include <QRegularExpression>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <vector>

// A word of the page read as a number; a word that is none fails the test.
inline double PdfNumber(const QString& word) {
  bool ok = false;
  const double value = word.toDouble(&ok);
  EXPECT_TRUE(ok) << word.toStdString();
  return value;
}

struct PdfWord {
  QString text;
  QRectF box;
};

struct PdfPage {
  QSizeF size;
  std::vector<PdfWord> words;
};

inline QString UnescapedXml(QString text) {
  text.replace(QStringLiteral("&lt;"), QStringLiteral("<"));
  text.replace(QStringLiteral("&gt;"), QStringLiteral(">"));
  text.replace(QStringLiteral("&quot;"), QStringLiteral("\""));
  text.replace(QStringLiteral("&apos;"), QStringLiteral("'"));
  text.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
  return text;
}

// Every page of the file, read at `dpi` (page and words in pixels of that
// resolution; at 72, in points); empty when the file cannot be read.
inline std::vector<PdfPage> ReadPdfWords(const QString& path, int dpi = 72) {
  QProcess reader;
  reader.start(QStringLiteral("pdftotext"), {QStringLiteral("-r"), QString::number(dpi),
                                             QStringLiteral("-bbox"), path, QStringLiteral("-")});
  if (!reader.waitForFinished(60000) || reader.exitCode() != 0) return {};
  const QString html = QString::fromUtf8(reader.readAllStandardOutput());
  static const QRegularExpression tag(
      QStringLiteral("<page width=\"([0-9.]+)\" height=\"([0-9.]+)\">|"
                     "<word xMin=\"([0-9.-]+)\" yMin=\"([0-9.-]+)\" xMax=\"([0-9.-]+)\" "
                     "yMax=\"([0-9.-]+)\">([^<]*)</word>"));
  std::vector<PdfPage> pages;
  for (auto it = tag.globalMatch(html); it.hasNext();) {
    const QRegularExpressionMatch m = it.next();
    if (!m.captured(1).isEmpty()) {
      const QSizeF points(m.captured(1).toDouble(), m.captured(2).toDouble());
      pages.push_back({points * (dpi / 72.0), {}});
    } else if (!pages.empty()) {
      const QPointF low(m.captured(3).toDouble(), m.captured(4).toDouble());
      const QPointF high(m.captured(5).toDouble(), m.captured(6).toDouble());
      pages.back().words.push_back({UnescapedXml(m.captured(7)), QRectF(low, high)});
    }
  }
  return pages;
}

// The words grouped into text lines (same baseline within a point), top to
// bottom, each line's words joined by one blank from left to right.
struct PdfLine {
  QString text;
  QRectF box;
};

inline std::vector<PdfLine> PdfLines(const PdfPage& page) {
  std::vector<PdfWord> words = page.words;
  std::sort(words.begin(), words.end(), [](const PdfWord& a, const PdfWord& b) {
    if (std::fabs(a.box.bottom() - b.box.bottom()) > 1.0) return a.box.bottom() < b.box.bottom();
    return a.box.left() < b.box.left();
  });
  std::vector<PdfLine> lines;
  for (const PdfWord& word : words) {
    if (!lines.empty() && std::fabs(lines.back().box.bottom() - word.box.bottom()) <= 1.0) {
      lines.back().text += QLatin1Char(' ') + word.text;
      lines.back().box = lines.back().box.united(word.box);
    } else {
      lines.push_back({word.text, word.box});
    }
  }
  return lines;
}

inline bool PdfHasLine(const PdfPage& page, const QString& text) {
  for (const PdfLine& line : PdfLines(page)) {
    if (line.text == text) return true;
  }
  return false;
}

// The table rows of a page that start with `start`: their words, the second a number.
inline std::vector<QStringList> PdfRowsStartingWith(const PdfPage& page, const QString& start) {
  std::vector<QStringList> found;
  for (const PdfLine& line : PdfLines(page)) {
    const QStringList words = line.text.split(QLatin1Char(' '));
    bool number = false;
    if (words.size() > 1) words[1].toDouble(&number);
    if (line.text.startsWith(start) && number) found.push_back(words);
  }
  return found;
}

// Every word of every page lies inside its page (half a point of slack).
inline bool PdfWordsInsidePages(const std::vector<PdfPage>& pages, QString* outside = nullptr) {
  for (const PdfPage& page : pages) {
    const QRectF sheet = QRectF(QPointF(0, 0), page.size).adjusted(-0.5, -0.5, 0.5, 0.5);
    for (const PdfWord& word : page.words) {
      if (sheet.contains(word.box)) continue;
      if (outside != nullptr) *outside = word.text;
      return false;
    }
  }
  return true;
}
