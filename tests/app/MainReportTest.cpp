// The printed report: footer lines, print colours while the preview is open,
// and the screen look given back afterwards on every path.
#include <gtest/gtest.h>

#include <QFile>
#include <QPrinter>
#include <QSvgGenerator>

#include "MainTestSupport.h"
#include "analysis/NumberText.h"
#include "view/ChartHlp.h"
#include "view/ChartSurface.h"

namespace {

struct Look {
  QColor backWall, panel, series2;
  bool footerVisible, titleVisible;
  QStringList footer;
  int sectionX;
};

Look LookOf(TMainForm& form) {
  return {form.CHART->BackWallColor(),   form.CHART->PanelColor(),
          form.Series[1]->Color(),       form.CHART->Footer().Visible(),
          form.CHART->Title().Visible(), form.CHART->Footer().Lines(),
          form.ChartHelper->SectionX()};
}

struct ReportProgram : StartedProgram {
  ReportProgram() {
    data().SampleCount = 3000;
    form().AccelX_line->setChecked(true);
    form().UpdateGraph();
    form().CHART->Repaint();
    form().ChartHelper->SetSection(ChartPoint{1.0, 0.0});
    dialogs.previewAction = [this](QWidget*, const std::function<void(QPrinter&)>&) {
      during.push_back(LookOf(form()));
    };
  }
  std::vector<Look> during;
};

}  // namespace

TEST(Report, FooterLinesBeforeAnyCalculation) {
  DecimalSeparatorScope point('.');
  ReportProgram program;
  program.form().StartPoint->setText("2.000");
  program.form().StopPoint->setText("0.500");
  program.form().Print->trigger();
  ASSERT_EQ(program.during.size(), 1u);
  EXPECT_EQ(program.during[0].footer,
            QStringList({"Интервал расчета:  t0 = 2.000с    t1 = 0.500с    dt = 1.5с",
                         "Виброускорение :   Минимум =    Максимум = ", "Виброскорость:СКЗ = ",
                         "Лин. скорость:   Минимум =    Максимум =    Среднее = "}));
}

TEST(Report, PrintLookWhileShownScreenLookAfter) {
  DecimalSeparatorScope point('.');
  ReportProgram program;
  TMainForm& form = program.form();
  form.Calculate->trigger();
  const Look before = LookOf(form);
  form.Print->trigger();
  form.Print->trigger();
  ASSERT_EQ(program.during.size(), 2u);
  for (const Look& look : program.during) {
    EXPECT_EQ(look.backWall, QColor(Qt::white));
    EXPECT_EQ(look.panel, QColor(Qt::white));
    EXPECT_EQ(look.series2, QColor(128, 128, 128));
    EXPECT_TRUE(look.footerVisible);
    EXPECT_TRUE(look.titleVisible);
    EXPECT_EQ(look.sectionX, -1);      // no section lines on paper
    EXPECT_EQ(look.footer.size(), 4);  // never accumulating
    EXPECT_TRUE(look.footer[1].endsWith(program.cell(0, 2)));
  }
  const Look after = LookOf(form);
  EXPECT_EQ(after.backWall, before.backWall);
  EXPECT_EQ(after.panel, QColor(0, 0, 128));
  EXPECT_EQ(after.series2, QColor(255, 0, 0));
  EXPECT_FALSE(after.footerVisible);
  EXPECT_FALSE(after.titleVisible);
  EXPECT_TRUE(after.footer.isEmpty());
  EXPECT_EQ(after.sectionX, before.sectionX);
  EXPECT_NE(after.sectionX, -1);
}

TEST(Report, AFailingPreviewStillGivesTheScreenBack) {
  ReportProgram program;
  program.dialogs.previewAction = [](QWidget*, const std::function<void(QPrinter&)>&) {
    throw std::runtime_error("no printer");
  };
  program.form().Print->trigger();
  ASSERT_EQ(program.dialogs.shown.size(), 1u);
  EXPECT_EQ(program.dialogs.shown[0].text, QStringLiteral("no printer"));
  const Look after = LookOf(program.form());
  EXPECT_EQ(after.panel, QColor(0, 0, 128));
  EXPECT_FALSE(after.footerVisible);
  EXPECT_NE(after.sectionX, -1);
}

TEST(Report, RenderedWithItsFooter) {
  DecimalSeparatorScope point('.');
  ReportProgram program;
  const auto pdf = std::filesystem::temp_directory_path() / "report_test.pdf";
  const auto svg = std::filesystem::temp_directory_path() / "report_test.svg";
  program.dialogs.previewAction = [&](QWidget*, const std::function<void(QPrinter&)>& paint) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(pdf.string()));
    paint(printer);
    QSvgGenerator picture;  // the same chart as text we can search
    picture.setFileName(QString::fromStdString(svg.string()));
    picture.setSize(QSize(1000, 700));
    program.form().CHART->Render(picture, QRectF(0, 0, 1000, 700));
  };
  program.form().Print->trigger();
  QFile pdfFile(QString::fromStdString(pdf.string()));
  ASSERT_TRUE(pdfFile.open(QIODevice::ReadOnly));
  EXPECT_TRUE(pdfFile.readAll().startsWith("%PDF"));
  QFile svgFile(QString::fromStdString(svg.string()));
  ASSERT_TRUE(svgFile.open(QIODevice::ReadOnly));
  const QString text = QString::fromUtf8(svgFile.readAll());
  EXPECT_TRUE(text.contains(QStringLiteral("Интервал расчета:")));
  EXPECT_TRUE(text.contains(QStringLiteral("Лин. скорость:")));
  std::filesystem::remove(pdf);
  std::filesystem::remove(svg);
}
