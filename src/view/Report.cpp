#include "view/Report.h"

#include <QPrinter>

#include "text/NumberText.h"
#include "ui/UserDialogs.h"
#include "view/ChartHlp.h"
#include "view/ChartLook.h"
#include "view/ChartSurface.h"

namespace {

// Puts the chart back as the screen shows it, whatever happened meanwhile.
class ScreenLookGuard {
 public:
  ScreenLookGuard(ChartSurface& chart, TChartHelper& helper)
      : chart_(chart), helper_(helper), section_(helper.Section()) {}
  ~ScreenLookGuard() {
    chart_.Title().SetVisible(false);
    ApplyLook(chart_, ScreenLook());
    helper_.SetSection(section_);
    chart_.Footer().SetVisible(false);
    chart_.LeftAxis().SetTitle(kLeftAxisTitle);
    chart_.Footer().Clear();
    chart_.Invalidate();
  }
  ScreenLookGuard(const ScreenLookGuard&) = delete;
  ScreenLookGuard& operator=(const ScreenLookGuard&) = delete;

 private:
  ChartSurface& chart_;
  TChartHelper& helper_;
  std::optional<ChartPoint> section_;
};

}  // namespace

QStringList ReportFooterLines(const QString& startText, const QString& stopText,
                              long double spanSeconds,
                              const std::function<QString(int row, int column)>& cell) {
  const QString dt = QString::fromStdString(FormatGeneral(spanSeconds));
  return {
      QStringLiteral("Интервал расчета:  t0 = ") + startText + QStringLiteral("с    t1 = ") +
          stopText + QStringLiteral("с    dt = ") + dt + QStringLiteral("с"),
      QStringLiteral("Виброускорение :   Минимум = ") + cell(0, 1) +
          QStringLiteral("   Максимум = ") + cell(0, 2),
      QStringLiteral("Виброскорость:СКЗ = ") + cell(3, 4),
      QStringLiteral("Лин. скорость:   Минимум = ") + cell(4, 1) +
          QStringLiteral("   Максимум = ") + cell(4, 2) + QStringLiteral("   Среднее = ") +
          cell(4, 3),
  };
}

void PrintReport(ChartSurface& chart, TChartHelper& helper, UserDialogs& dialogs, QWidget* owner,
                 const QStringList& footer) {
  ScreenLookGuard restore(chart, helper);
  helper.SetSectionX(-1);
  chart.Footer().SetVisible(true);
  chart.Footer().SetText(footer.join(QLatin1Char('\n')));
  chart.Title().SetVisible(true);
  ApplyLook(chart, PrintLook());
  chart.LeftAxis().SetTitle(kLeftAxisTitle);
  dialogs.ShowPrintPreview(owner, [&chart](QPrinter& printer) {
    chart.Render(printer, QRectF(0, 0, printer.width(), printer.height()));
  });
}
