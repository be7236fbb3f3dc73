// A shown chart of fixed size with series over arrays the fixture owns, and
// helpers to look at what is on screen.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QTest>
#include <QWheelEvent>
#include <deque>
#include <vector>

#include "view/ChartSurface.h"

class ChartFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    chart.resize(800, 500);
    chart.SetBackWallColor(Qt::black);
    chart.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&chart));
    Settle();
  }

  // A series over `values`, points 1 … n − 1 as the chart view shows a recording.
  ChartSeries* AddSeries(std::vector<double> values, QColor color = Qt::red) {
    const std::vector<double>& kept = arrays.emplace_back(std::move(values));
    ChartSeries* series = chart.AddSeries(QStringLiteral("Series%1").arg(chart.SeriesCount() + 1));
    series->SetColor(color);
    series->Append({kept.data(), 1.0, 0.0, 1, kept.size() - 1, 0.001});
    return series;
  }

  // Runs every pending repaint, so that what follows starts from a still chart.
  void Settle() {
    chart.Repaint();
    QApplication::processEvents();
  }

  QImage Screen() { return chart.grab().toImage(); }

  static int CountColor(const QImage& image, const QRect& area, QColor color) {
    int count = 0;
    const QRect inside = area & image.rect();
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
      for (int x = inside.left(); x <= inside.right(); ++x) {
        if (image.pixelColor(x, y).rgb() == color.rgb()) ++count;
      }
    }
    return count;
  }

  void Wheel(QPoint at, int notches) {
    QWheelEvent wheel(QPointF(at), QPointF(chart.mapToGlobal(at)), QPoint(),
                      QPoint(0, 120 * notches), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                      false);
    QApplication::sendEvent(&chart, &wheel);
  }

  void Drag(Qt::MouseButton button, QPoint from, QPoint to) {
    QTest::mousePress(&chart, button, {}, from);
    QTest::mouseMove(&chart, (from + to) / 2);
    QTest::mouseMove(&chart, to);
    QTest::mouseRelease(&chart, button, {}, to);
  }

  ChartSurface chart;
  std::deque<std::vector<double>> arrays;  // deque: appending keeps earlier arrays in place
};
