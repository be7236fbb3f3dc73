// The words of a PDF as a reader sees them: text, box and page, read back
// with poppler's pdftotext. Boxes are in points from the page's top left.
#pragma once

#include <QProcess>
#include <QRectF>
#include <QRegularExpression>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <vector>

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

// Every page of the file; empty when the file cannot be read.
inline std::vector<PdfPage> ReadPdfWords(const QString& path) {
  QProcess reader;
  reader.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), path, QStringLiteral("-")});
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
      pages.push_back({QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble()), {}});
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
