#include "report/PaperText.h"

#include <QFontMetricsF>
#include <algorithm>
#include <cmath>

namespace {

// Below this a block's font is broken into lines instead of shrunk further.
constexpr int kSmallestTextPixels = 6;

int WidestLine(const QFontMetricsF& metrics, const QStringList& lines) {
  double widest = 0;
  for (const QString& line : lines) widest = std::max(widest, metrics.horizontalAdvance(line));
  return static_cast<int>(std::ceil(widest));
}

// Breaks a line that is wider than `width` after its last blank or slash that
// still fits, or anywhere when none does.
QStringList BrokenLine(const QFontMetricsF& metrics, QString line, double width) {
  QStringList result;
  while (metrics.horizontalAdvance(line) > width && line.size() > 1) {
    qsizetype fits = 1;
    while (fits < line.size() && metrics.horizontalAdvance(line.left(fits + 1)) <= width) ++fits;
    qsizetype cut = fits;
    for (qsizetype i = fits; i > 0; --i) {
      const QChar c = line.at(i - 1);
      if (c == QLatin1Char(' ') || c == QLatin1Char('/')) {
        cut = i;
        break;
      }
    }
    result.append(line.left(cut));
    line = line.mid(cut);
  }
  result.append(line);
  return result;
}

}  // namespace

QFont FontAtDpi(const QFont& font, double dpi) {
  QFont result(font);
  if (font.pixelSize() <= 0) {
    result.setPixelSize(std::max(1, static_cast<int>(std::lround(font.pointSizeF() * dpi / 72.0))));
  }
  return result;
}

QStringList FitToWidth(QFont& font, const QStringList& lines, double width) {
  while (WidestLine(QFontMetricsF(font), lines) > width && font.pixelSize() > kSmallestTextPixels) {
    font.setPixelSize(std::max(kSmallestTextPixels, font.pixelSize() * 9 / 10));
  }
  const QFontMetricsF metrics(font);
  QStringList result;
  for (const QString& line : lines) result.append(BrokenLine(metrics, line, width));
  return result;
}
