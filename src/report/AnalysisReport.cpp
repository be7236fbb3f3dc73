#include "report/AnalysisReport.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <functional>

#include "files/FileWriter.h"
#include "report/PaperPage.h"
#include "report/ReportPages.h"

namespace {

constexpr double kPaperUnitsPerInch = 96;
constexpr double kMargin = 15 / 25.4 * kPaperUnitsPerInch;  // 15 mm

// "Страница 1 из 3" centred at the foot of the page.
void DrawPageNumber(QPainter& painter, const QRectF& page, int number) {
  const QFont font = PaperFont(8);
  const QString text = QStringLiteral("Страница %1 из %2").arg(number).arg(kReportPages);
  const QFontMetricsF metrics(font);
  painter.setFont(font);
  painter.setPen(Qt::black);
  painter.drawText(
      QPointF(page.center().x() - metrics.horizontalAdvance(text) / 2, page.bottom() - kMargin / 2),
      text);
}

}  // namespace

std::vector<ReportParamRow> ReportParamRows(const IntervalParamsResult& params) {
  std::vector<ReportParamRow> rows;
  const auto add = [&](int row) { rows.push_back({ParamRows[row].Caption, params.Texts[row]}); };
  for (const int row : kRowsBeforeSearch) add(row);
  for (const int row : kRowsAfterSearch) add(row);
  return rows;
}

ReportExceedances ReportExceedanceSummary(const IntervalParamsResult& params, double bound) {
  ReportExceedances summary{params.Searched, bound, {}};
  for (std::size_t i = 0; i < summary.Passes.size(); ++i) {
    const ExceedancePass& pass = params.Passes[i];
    summary.Passes[i] = {pass.Found.Exceeded, pass.RunLines.size(), pass.Header};
  }
  return summary;
}

QByteArray AnalysisReportPdf(const AnalysisReport& report, int dpi) {
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  {
    QPdfWriter pdf(&buffer);
    pdf.setResolution(dpi);
    pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
    pdf.setTitle(QStringLiteral("Отчёт об анализе: ") + QString::fromStdString(report.FileName));
    pdf.setCreator(QStringLiteral("TORVIK 3-Axis"));
    QPainter painter(&pdf);
    const double scale = dpi / kPaperUnitsPerInch;
    painter.scale(scale, scale);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF page(0, 0, pdf.width() / scale, pdf.height() / scale);
    const QRectF area = page.adjusted(kMargin, kMargin, -kMargin, -kMargin);
    const std::function<void(QPainter&, const QRectF&, const AnalysisReport&)> pages[] = {
        DrawRecordingPage, DrawEventsPage, DrawSpectraPage};
    for (int number = 1; number <= kReportPages; ++number) {
      if (number > 1) pdf.newPage();
      pages[number - 1](painter, area, report);
      DrawPageNumber(painter, page, number);
    }
  }
  return buffer.data();
}

void WriteAnalysisReportPdf(const std::string& path, const AnalysisReport& report) {
  const QByteArray pdf = AnalysisReportPdf(report);
  FileWriter file(path);
  file.Write(std::string_view(pdf.constData(), static_cast<std::size_t>(pdf.size())));
  file.Commit();
}
