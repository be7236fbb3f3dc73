// The spectra window on the demo recording: opened from the menu "Анализ",
// its charts drawn in the axis colours, its lines readable, refreshed by F5
// and saved as CSV.
#include <QFile>
#include <QImage>
#include <QMenuBar>
#include <QPushButton>

#include "support/StartedProgram.h"
#include "view/ChartSurface.h"
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
  for (QLabel* line : {window->PsdSummary, window->SrsSummary})
    EXPECT_TRUE(Fits(*line)) << line->text().toStdString();

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

  TempFile csv("spectra_window.csv");
  program.dialogs.saveAnswers.push_back(SaveChoice{csv.path(), 0});
  window->SaveCsvButton->click();
  QFile file(csv.path());
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QList<QByteArray> lines = file.readAll().split('\n');
  EXPECT_EQ(lines[0], "frequency_hz,psd_x_ms2sq_per_hz,psd_y_ms2sq_per_hz,psd_z_ms2sq_per_hz\r");
  EXPECT_EQ(lines[152], "\r");
  EXPECT_EQ(lines[153], "frequency_hz,srs_x_ms2,srs_y_ms2,srs_z_ms2\r");
}

// The steps that once read freed spectra under the sanitizers: both analysis
// windows open and computed, then a crop and an import change the recording
// under them, and everything closes.
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
  EXPECT_GT(events.Table->rowCount(), 0);

  form.CropButton->click();  // the crop keeps 1 … 3 s
  EXPECT_EQ(shown(), 0u);
  EXPECT_TRUE(spectra.SrsSummary->text().startsWith(QStringLiteral("Запись изменилась")));
  EXPECT_TRUE(events.Summary->text().startsWith(QStringLiteral("Запись изменилась")));
  calculate(0.000, 1.500);
  EXPECT_GT(shown(), 0u);

  form.ImportFileRoutine(second.path());
  EXPECT_EQ(shown(), 0u);
  EXPECT_EQ(events.Table->rowCount(), 0);
  calculate(0.000, 1.999);
  EXPECT_GT(shown(), 0u);
  spectra.close();
  events.close();
  form.close();
}

}  // namespace
