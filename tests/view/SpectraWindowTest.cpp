// The spectra window on the demo recording: opened from the menu "Анализ",
// its charts drawn in the axis colours, its lines readable, refreshed by F5
// and saved as CSV.
#include <QFile>
#include <QImage>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <algorithm>

#include "support/AnalysisPrograms.h"
#include "support/CursorProgram.h"
#include "support/TextsCutOff.h"
#include "text/NumberText.h"
#include "view/ChartSurface.h"
#include "view/NumberEdit.h"
#include "view/ShockEventsWindow.h"
#include "view/SpectraWindow.h"

namespace {

int PixelsOf(const QImage& image, QColor color) {
  int count = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) count += image.pixelColor(x, y) == color;
  }
  return count;
}

bool Fits(const QLabel& label) {
  return label.fontMetrics().horizontalAdvance(label.text()) <= label.width();
}

TEST(SpectraWindow, DemoRecordingShowsBothSpectraInTheAxisColoursAndFollowsF5) {
  DecimalSeparatorScope comma(',');  // the summaries write numbers as the boxes do
  LoadedProgram program(loggen::MakeLoggerFile(loggen::DemoOptions()), "spectra_demo.dat");
  QStringList menus;
  for (QAction* a : program.form().menuBar()->actions()) menus << a->text();
  ASSERT_GE(menus.indexOf("&Help"), 1);
  EXPECT_EQ(menus[menus.indexOf("&Help") - 1], QStringLiteral("Анализ"));

  program.form().SpectraItem->trigger();
  SpectraWindow* window = program.form().findChild<SpectraWindow*>();
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Спектры"));
  EXPECT_FALSE(window->isModal());
  EXPECT_TRUE(window->PsdChart->LeftAxis().Logarithmic());
  EXPECT_TRUE(window->SrsChart->BottomAxis().Logarithmic());
  EXPECT_EQ(window->PsdChart->Series(0)->PointCount(), 512u);  // bins 1 … 512
  EXPECT_EQ(window->SrsChart->Series(2)->PointCount(), 96u);
  EXPECT_TRUE(window->PsdSummary->text().startsWith(QStringLiteral("СКЗ: X ")));
  EXPECT_TRUE(window->SrsSummary->text().contains(QStringLiteral(" Гц")));
  for (QLabel* line : {window->PsdSummary, window->SrsSummary}) {
    EXPECT_TRUE(Fits(*line)) << line->text().toStdString();
    EXPECT_TRUE(line->text().contains(QRegularExpression("\\d,\\d")));
    EXPECT_FALSE(line->text().contains(QRegularExpression("\\d\\.\\d")));
  }

  for (ChartSurface* chart : {window->PsdChart, window->SrsChart}) {
    const QImage picture =
        QImage::fromData(*chart->Picture(ChartSurface::ExportFormat::Png, {600, 300}));
    EXPECT_GT(PixelsOf(picture, Qt::red), 50);
    EXPECT_GT(PixelsOf(picture, QColor(0, 255, 0)), 50);
    EXPECT_GT(PixelsOf(picture, Qt::blue), 50);
  }

  // A short interval, then "Вычислить" (F5): one segment of 300 samples.
  program.form().SelectInterval(1.000, 1.299);
  program.form().Calculate->trigger();  // F5
  EXPECT_EQ(window->PsdChart->Series(1)->PointCount(), 150u);

  // One table per file: NAME-psd.csv with the 151 bins, NAME-srs.csv.
  TempFile csv("spectra_window.csv");
  program.dialogs.saveAnswers.push_back(SaveChoice{csv.path(), 0});
  window->SaveCsvButton->click();
  const auto lines = [](const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll().split('\n');
  };
  const QString name = csv.path().chopped(4);
  const QList<QByteArray> psd = lines(name + "-psd.csv");
  ASSERT_EQ(psd.size(), 153);  // the header, 151 bins and the empty end after the last CR LF
  EXPECT_EQ(psd[0], "frequency_hz,psd_x_ms2sq_per_hz,psd_y_ms2sq_per_hz,psd_z_ms2sq_per_hz\r");
  EXPECT_EQ(psd[152], "");
  EXPECT_EQ(lines(name + "-srs.csv")[0], "frequency_hz,srs_x_ms2,srs_y_ms2,srs_z_ms2\r");
  EXPECT_FALSE(QFile::exists(csv.path()));
}

// The steps that once read freed spectra under the sanitizers: both analysis
// windows open and computed, then a crop and an import change the recording
// under them, and everything closes. Until the next calculation the windows
// show nothing of the recording that was, whatever setting is typed.
TEST(SpectraWindow, FollowsACropAndAnImportWithBothAnalysisWindowsOpen) {
  StartedProgram program;
  TempFile first("spectra_first.dat", LoggerBytes(200, 7, 5));
  TempFile second("spectra_second.dat", LoggerBytes(100, 9, 3));
  TMainForm& form = program.form();
  form.ImportFileRoutine(first.path());
  form.SpectraItem->trigger();
  form.ShockEventsItem->trigger();
  SpectraWindow& spectra = *form.findChild<SpectraWindow*>();
  ShockEventsWindow& events = *form.findChild<ShockEventsWindow*>();
  const auto shown = [&] {
    std::size_t points = 0;
    for (ChartSurface* chart : {spectra.PsdChart, spectra.SrsChart}) {
      for (int axis = 0; axis < 3; ++axis) points += chart->Series(axis)->PointCount();
      chart->Repaint();
    }
    return points;
  };
  const auto calculate = [&](double from, double to) {
    form.SelectInterval(from, to);
    form.Calculate->trigger();
  };
  calculate(1.000, 3.000);
  EXPECT_GT(shown(), 0u);
  EXPECT_TRUE(spectra.PsdSummary->text().startsWith(QStringLiteral("СКЗ")));
  EXPECT_GT(events.Table->rowCount(), 0);

  form.CropButton->click();  // the crop keeps 1 … 3 s
  EXPECT_EQ(shown(), 0u);
  for (QLabel* summary : {spectra.PsdSummary, spectra.SrsSummary, events.Summary})
    EXPECT_TRUE(summary->text().startsWith(QStringLiteral("Запись изменилась")));
  program.dialogs.Clear();     // the exceedance notices of the calculation
  Type(*spectra.QEdit, "12");  // a new setting computes nothing stale
  EXPECT_TRUE(program.dialogs.shown.empty());
  EXPECT_EQ(shown(), 0u);
  calculate(0.000, 1.500);
  EXPECT_GT(shown(), 0u);
  EXPECT_TRUE(spectra.PsdSummary->text().startsWith(QStringLiteral("СКЗ")));

  form.ImportFileRoutine(second.path());
  EXPECT_EQ(shown(), 0u);
  EXPECT_EQ(events.Table->rowCount(), 0);
  calculate(0.000, 1.999);
  EXPECT_GT(shown(), 0u);
  spectra.close();
  events.close();
  form.close();
}

// The demo recording with the window "Спектры" open and computed.
struct SpectraProgram : LoadedProgram {
  SpectraProgram() : LoadedProgram(loggen::MakeLoggerFile(loggen::DemoOptions()), "spectra.dat") {
    form().SpectraItem->trigger();
    window().show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&window()));
    window().PsdChart->Repaint();
  }
  SpectraWindow& window() { return *form().findChild<SpectraWindow*>(); }
};

void MoveMouse(ChartSurface& chart, QPoint at) {
  SendMouse(chart, QEvent::MouseMove, at, Qt::NoButton);
  QApplication::processEvents();  // the chart shows the overlay
}

// `count` moves across the plot.
void MoveAcross(ChartSurface& chart, int count, int& step) {
  const QRect plot = chart.PlotRect();
  for (int i = 0; i < count; ++i, ++step) {
    MoveMouse(chart, plot.topLeft() + QPoint(step * 7 % plot.width(), step * 3 % plot.height()));
  }
}

// One pair of lines follows the mouse, never the data repainted.
TEST(SpectraWindow, TheCrosshairIsOnePairOfLinesThatMoves) {
  SpectraProgram program;
  ChartSurface& chart = *program.window().PsdChart;
  const QRect plot = chart.PlotRect();
  const std::uint64_t draws = chart.DataDrawCount();
  int step = 0;
  MoveAcross(chart, 1000, step);
  const QPoint at = plot.center() + QPoint(17, -11);
  MoveMouse(chart, at);
  const std::vector<QLine> lines = chart.OverlayLines();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_TRUE(
      std::count(lines.begin(), lines.end(), QLine(at.x(), plot.top(), at.x(), plot.bottom())));
  EXPECT_TRUE(
      std::count(lines.begin(), lines.end(), QLine(plot.left(), at.y(), plot.right(), at.y())));
  EXPECT_EQ(chart.DataDrawCount(), draws);
  EXPECT_TRUE(program.window().Readout->text().contains(QStringLiteral(" Гц, ")));

  MoveMouse(chart, plot.bottomRight() + QPoint(5, 5));  // beyond the plot: the lines go
  EXPECT_TRUE(chart.OverlayLines().empty());
  MoveMouse(chart, at);
  chart.Repaint();  // a full repaint wipes the overlay; the next move draws one pair
  MoveMouse(chart, at + QPoint(3, 3));
  EXPECT_EQ(chart.OverlayLines().size(), 2u);
}

// Any value can be typed; one the spectra cannot use is refused with the
// range named and the value in force kept, never cut to fit.
TEST(SpectraWindow, NumberBoxesRefuseValuesOutOfRangeNamingTheRange) {
  DecimalSeparatorScope point('.');
  SpectraProgram program;
  SpectraWindow& w = program.window();
  const struct {
    NumberEdit* edit;
    const char* typed;
    const char* range;
  } refused[] = {{w.MaxFrequencyEdit, "600", "от нижней частоты, 1 Гц, и меньше 500 Гц"},
                 {w.MaxFrequencyEdit, "500", "меньше 500 Гц"},
                 {w.MinFrequencyEdit, "0.005", "от 0.01 Гц до верхней частоты, 250 Гц"},
                 {w.MinFrequencyEdit, "300", "до верхней частоты, 250 Гц"},
                 {w.QEdit, "0.5", "больше 0.5"},
                 {w.PerOctaveEdit, "97", "от 1 до 96"},
                 {w.PerOctaveEdit, "0.5", "от 1 до 96"},
                 {w.SegmentEdit, "7", "целое число отсчётов от 8 до 1000000000"},
                 {w.SegmentEdit, "1024.5", "от 8 до 1000000000"},
                 {w.SegmentEdit, "1e10", "от 8 до 1000000000"},
                 {w.BandLowEdit, "600", "не выше верхней границы полосы, 500 Гц"},
                 {w.QEdit, "abc", "больше 0.5"},
                 {w.QEdit, "1e999", "больше 0.5"}};
  const PsdOptions psd = w.Psd();
  const SrsOptions srs = w.Srs();
  for (const auto& c : refused) ExpectRefusedTyping(program.dialogs, *c.edit, c.typed, c.range);
  EXPECT_EQ(w.Psd().Segment, psd.Segment);
  EXPECT_EQ(w.Psd().BandLow, psd.BandLow);
  EXPECT_EQ(w.Srs().MaxFrequency, srs.MaxFrequency);
  EXPECT_EQ(w.Srs().Q, srs.Q);

  // Accepted as typed, and the spectra follow at once.
  program.dialogs.Clear();
  Type(*w.BandHighEdit, "600");
  Type(*w.MaxFrequencyEdit, "499.9");
  Type(*w.PerOctaveEdit, "3");
  Type(*w.SegmentEdit, "256");
  EXPECT_TRUE(program.dialogs.shown.empty());
  EXPECT_EQ(w.BandHighEdit->text(), QStringLiteral("600"));
  EXPECT_EQ(w.Psd().BandHigh, 600.0);
  EXPECT_EQ(w.Srs().MaxFrequency, 499.9);
  const ChartSeries& z = *w.SrsChart->Series(2);
  const double highest = z.Point(z.PointCount() - 1).x();
  EXPECT_LE(highest, 499.9);
  EXPECT_GT(highest, 499.9 / std::cbrt(2.0));            // a third of an octave below at most
  EXPECT_EQ(w.PsdChart->Series(0)->PointCount(), 128u);  // bins 1 … 128 of a 256 segment

  QApplication::processEvents();
  EXPECT_TRUE(textfit::TextsCutOff(w).isEmpty()) << textfit::Lines(textfit::TextsCutOff(w));
}

}  // namespace
