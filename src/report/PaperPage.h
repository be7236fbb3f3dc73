// A page laid out from top to bottom in paper units (96 per inch, fonts at
// their point size): titles, lines of text and tables fitted to the width
// (shrunk, then broken, never cut), and blocks for charts.
#pragma once

#include <QFont>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <vector>

class QPainter;

// The report's typeface at `points`, sized in paper units and unhinted, so
// its words measure the same at every resolution.
QFont PaperFont(double points, bool bold = false);

struct PaperTable {
  QStringList Header;
  std::vector<QStringList> Rows;  // as many cells as the header
  std::vector<bool> Numeric;      // per column: right-aligned
};

class PaperPage {
 public:
  PaperPage(QPainter& painter, const QRectF& area);

  void Title(const QString& text);
  void Heading(const QString& text);
  void Lines(const QStringList& lines);
  void Table(const PaperTable& table);
  // The next `height` units of the page, for a chart.
  QRectF Block(double height);
  void Space(double height) { y_ += height; }

 private:
  void Text(const QFont& font, const QStringList& lines);

  QPainter& painter_;
  QRectF area_;
  double y_;
};
