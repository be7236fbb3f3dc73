#include "report/PaperPage.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <numeric>

#include "report/PaperText.h"

namespace {

constexpr double kCellPadding = 6.0;  // paper units on each side of a cell's text
constexpr int kSmallestTablePixels = 6;

// The widest text of each column in `font`, padding included.
std::vector<double> ColumnWidths(const PaperTable& table, const QFont& font) {
  QFont bold = font;
  bold.setBold(true);
  const QFontMetricsF body(font), head(bold);
  std::vector<double> widths(static_cast<std::size_t>(table.Header.size()), 0.0);
  for (std::size_t c = 0; c < widths.size(); ++c) {
    widths[c] = head.horizontalAdvance(table.Header[static_cast<qsizetype>(c)]);
    for (const QStringList& row : table.Rows) {
      widths[c] = std::max(widths[c], body.horizontalAdvance(row[static_cast<qsizetype>(c)]));
    }
    widths[c] = std::ceil(widths[c]) + 2 * kCellPadding;  // fitting rounds widths up
  }
  return widths;
}

double Sum(const std::vector<double>& values) {
  return std::accumulate(values.begin(), values.end(), 0.0);
}

}  // namespace

QFont PaperFont(double points, bool bold) {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPointSizeF(points);
  font.setBold(bold);
  font.setHintingPreference(QFont::PreferNoHinting);
  return FontAtDpi(font, 96);
}

PaperPage::PaperPage(QPainter& painter, const QRectF& area)
    : painter_(painter), area_(area), y_(area.top()) {}

void PaperPage::Title(const QString& text) {
  Text(PaperFont(14, true), {text});
  y_ += 6;
}

void PaperPage::Heading(const QString& text) {
  y_ += 6;
  Text(PaperFont(11, true), {text});
  y_ += 2;
}

void PaperPage::Lines(const QStringList& lines) {
  Text(PaperFont(9), lines);
}

// Each line fitted on its own, so one long name does not shrink the rest.
void PaperPage::Text(const QFont& font, const QStringList& lines) {
  painter_.setPen(Qt::black);
  for (const QString& line : lines) {
    QFont lineFont = font;
    const QStringList fitted = FitToWidth(lineFont, {line}, area_.width());
    const QFontMetricsF metrics(lineFont);
    painter_.setFont(lineFont);
    for (const QString& part : fitted) {
      painter_.drawText(QPointF(area_.left(), y_ + metrics.ascent()), part);
      y_ += metrics.lineSpacing();
    }
  }
}

QRectF PaperPage::Block(double height) {
  const QRectF block(area_.left(), y_, area_.width(), height);
  y_ += height;
  return block;
}

// Shrunk until its columns fit the width; at the smallest size a cell still
// too wide for its share is broken into lines.
void PaperPage::Table(const PaperTable& table) {
  QFont font = PaperFont(8.5);
  std::vector<double> widths = ColumnWidths(table, font);
  while (Sum(widths) > area_.width() && font.pixelSize() > kSmallestTablePixels) {
    font.setPixelSize(std::max(kSmallestTablePixels, font.pixelSize() * 9 / 10));
    widths = ColumnWidths(table, font);
  }
  const double scale = std::min(1.0, area_.width() / Sum(widths));
  for (double& width : widths) width *= scale;
  QFont bold = font;
  bold.setBold(true);
  const QFontMetricsF metrics(font);
  const auto drawRow = [&](const QStringList& cells, const QFont& rowFont, bool shaded) {
    std::vector<QStringList> lines;
    std::vector<QFont> fonts(widths.size(), rowFont);
    std::size_t height = 1;
    for (std::size_t c = 0; c < widths.size(); ++c) {
      lines.push_back(
          FitToWidth(fonts[c], {cells[static_cast<qsizetype>(c)]}, widths[c] - 2 * kCellPadding));
      height = std::max(height, static_cast<std::size_t>(lines.back().size()));
    }
    const double rowHeight = static_cast<double>(height) * metrics.lineSpacing() + 2;
    if (shaded) {
      painter_.fillRect(QRectF(area_.left(), y_, Sum(widths), rowHeight), QColor(238, 238, 238));
    }
    double x = area_.left();
    for (std::size_t c = 0; c < widths.size(); ++c) {
      const QFontMetricsF cellMetrics(fonts[c]);
      painter_.setFont(fonts[c]);
      double baseline = y_ + 1 + metrics.ascent();
      for (const QString& line : lines[c]) {
        const bool numeric = c < table.Numeric.size() && table.Numeric[c];
        const double right = x + widths[c] - kCellPadding - cellMetrics.horizontalAdvance(line);
        painter_.drawText(QPointF(numeric ? right : x + kCellPadding, baseline), line);
        baseline += cellMetrics.lineSpacing();
      }
      x += widths[c];
    }
    y_ += rowHeight;
  };
  painter_.setPen(Qt::black);
  drawRow(table.Header, bold, true);
  painter_.setPen(QPen(Qt::black, 0.5));
  painter_.drawLine(QPointF(area_.left(), y_), QPointF(area_.left() + Sum(widths), y_));
  for (std::size_t r = 0; r < table.Rows.size(); ++r) drawRow(table.Rows[r], font, r % 2 == 1);
}
