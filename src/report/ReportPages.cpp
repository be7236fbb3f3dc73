#include "report/ReportPages.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

#include "analysis/ShockEventSelection.h"
#include "report/AnalysisReport.h"
#include "report/PaperPage.h"
#include "report/ReportNumbers.h"
#include "report/ReportPlot.h"
#include "text/ShortestText.h"

namespace {

const char* const kAxisNames[] = {"X", "Y", "Z"};
// The main chart's screen colours; its yellow darkened, since pure yellow
// cannot be read on white paper.
const QColor kChartColors[] = {QColor(255, 0, 0), QColor(204, 170, 0), QColor(0, 255, 0)};
const QColor kSpectraColors[] = {QColor(255, 0, 0), QColor(0, 255, 0), QColor(0, 0, 255)};
constexpr double kChartPoints = 8;  // the charts' words

QString AxisName(int axis) {
  return QString::fromLatin1(kAxisNames[axis]);
}

// The interval's calibrated accelerations, never inverted.
std::vector<PlotCurve> IntervalCurves(const AnalysisReport& report, int columns) {
  const Recording& r = report.Samples;
  const SampleInterval iv = report.Interval;
  const double* codes[] = {r.CodesX.get(), r.CodesY.get(), r.CodesZ.get()};
  std::vector<PlotCurve> curves;
  for (int axis = 0; axis < 3; ++axis) {
    const double* values = codes[axis] + iv.First;
    const AxisCalibration calibration = r.Calibration[axis];
    curves.push_back(
        {AxisName(axis), kChartColors[axis],
         ColumnEnvelope(iv.Last - iv.First + 1, SampleSeconds(iv.First), 0.001, columns,
                        [=](std::size_t k) { return Acceleration(values[k], calibration); })});
  }
  return curves;
}

void DrawIntervalChart(QPainter& painter, const QRectF& frame, const AnalysisReport& report) {
  const auto columns = static_cast<int>(frame.width() * kEnvelopeColumnsPerUnit);
  const std::vector<PlotCurve> curves = IntervalCurves(report, columns);
  double low = INFINITY, high = -INFINITY;
  for (const PlotCurve& curve : curves) {
    for (const QPointF& point : curve.Points) {
      low = std::min(low, point.y());
      high = std::max(high, point.y());
    }
  }
  PlotAxis time{QStringLiteral("Время, с"), SampleSeconds(report.Interval.First),
                SampleSeconds(report.Interval.Last), false};
  if (!(time.High > time.Low)) time.High = time.Low + 0.001;
  DrawPlot(painter, frame, time, LinearAxisAround(QStringLiteral("Ускорение, м/с²"), low, high),
           curves, PaperFont(kChartPoints));
}

QStringList RecordingLines(const AnalysisReport& report) {
  const Recording& r = report.Samples;
  const SampleInterval iv = report.Interval;
  QStringList lines = {
      QStringLiteral("Файл: ") + QString::fromStdString(report.FileName),
      QStringLiteral("Длительность записи: %1 с (отсчётов: %2)")
          .arg(ShortestNumber(SampleSeconds(r.SampleCount > 0 ? r.SampleCount - 1 : 0)))
          .arg(r.SampleCount),
      QStringLiteral("Интервал: %1 … %2 с (отсчёты %3 … %4, всего: %5)")
          .arg(ShortestNumber(SampleSeconds(iv.First)), ShortestNumber(SampleSeconds(iv.Last)))
          .arg(iv.First)
          .arg(iv.Last)
          .arg(iv.Last - iv.First + 1)};
  for (int axis = 0; axis < 3; ++axis) {
    lines << QStringLiteral("Калибровка %1: код при 0 g %2, %3 м/с² на код")
                 .arg(AxisName(axis), ShortestNumber(r.Calibration[axis].Code0g),
                      ShortestNumber(r.Calibration[axis].Gain));
  }
  lines << QStringLiteral("Дата: ") + QString::fromStdString(report.Date);
  return lines;
}

QStringList ExceedanceLines(const ReportExceedances& summary) {
  if (!summary.Searched) return {QStringLiteral("Поиск превышений не выполнялся.")};
  QStringList lines;
  const char* signs[] = {"+", "-"};
  for (std::size_t i = 0; i < summary.Passes.size(); ++i) {
    const ReportExceedancePass& pass = summary.Passes[i];
    if (pass.Exceeded) {
      lines << QString::fromStdString(pass.Header) +
                   QStringLiteral(": было, серий в списке: %1").arg(pass.Runs);
    } else {
      lines << QStringLiteral("Превышения порогового уровня %1%2 м/с² не было")
                   .arg(QLatin1String(signs[i]), ShortestNumber(summary.Bound));
    }
  }
  return lines;
}

PaperTable ParamTable(const std::vector<ReportParamRow>& rows) {
  PaperTable table{{QStringLiteral("Параметр"), QStringLiteral("Минимум"),
                    QStringLiteral("Максимум"), QStringLiteral("Среднее"), QStringLiteral("СКО")},
                   {},
                   {false, true, true, true, true}};
  for (const ReportParamRow& row : rows) {
    QStringList cells = {QString::fromStdString(row.Caption)};
    for (const std::string& text : row.Texts) cells << QString::fromStdString(text);
    table.Rows.push_back(cells);
  }
  return table;
}

PaperTable EventTable(const AnalysisReport& report, const std::vector<std::size_t>& shown) {
  PaperTable table{
      {QStringLiteral("Канал"), QStringLiteral("Начало, с"), QStringLiteral("Длительность, с"),
       QStringLiteral("Пик, м/с²"), QStringLiteral("Пик, g"), QStringLiteral("ΔV, м/с")},
      {},
      {false, true, true, true, true, true}};
  for (const std::size_t i : shown) {
    const ShockEvent& e = report.Events.Events[i];
    table.Rows.push_back({QString::fromLatin1(ShockChannelName(e.Channel)),
                          ShortestNumber(e.StartSeconds()), ShortestNumber(e.DurationSeconds()),
                          FixedNumber(e.Peak, 2), FixedNumber(e.Peak / report.Samples.GValue, 3),
                          e.DeltaV ? FixedNumber(*e.DeltaV, 4) : QStringLiteral("—")});
  }
  return table;
}

PaperTable DropTable(const std::vector<Drop>& drops) {
  PaperTable table{
      {QStringLiteral("Начало, с"), QStringLiteral("Падение, с"), QStringLiteral("Высота, м"),
       QStringLiteral("Скорость удара, м/с"), QStringLiteral("Удар, с"),
       QStringLiteral("Пик удара, м/с²"), QStringLiteral("Пик удара, g")},
      {},
      std::vector<bool>(7, true)};
  for (std::size_t i = 0; i < std::min(drops.size(), kReportDrops); ++i) {
    const Drop& d = drops[i];
    QStringList cells = {ShortestNumber(d.StartSeconds), ShortestNumber(d.FallSeconds),
                         FixedNumber(d.HeightMeters, 3), FixedNumber(d.ImpactSpeed, 3)};
    if (d.Impact) {
      cells << ShortestNumber(d.Impact->Seconds) << FixedNumber(d.Impact->Peak, 2)
            << FixedNumber(d.Impact->PeakG, 3);
    } else {
      cells << QStringLiteral("—") << QStringLiteral("—") << QStringLiteral("—");
    }
    table.Rows.push_back(cells);
  }
  return table;
}

// A log-log chart of one spectrum per axis; bins at 0 Hz or 0 are left out.
void DrawSpectrumChart(QPainter& painter, const QRectF& frame, const QString& valueTitle,
                       const std::array<const std::vector<double>*, 3>& frequencies,
                       const std::array<const std::vector<double>*, 3>& values) {
  std::vector<PlotCurve> curves;
  double fLow = INFINITY, fHigh = 0, vLow = INFINITY, vHigh = 0;
  for (int axis = 0; axis < 3; ++axis) {
    PlotCurve curve{AxisName(axis), kSpectraColors[axis], {}};
    for (std::size_t i = 0; i < std::min(frequencies[axis]->size(), values[axis]->size()); ++i) {
      const double f = (*frequencies[axis])[i], v = (*values[axis])[i];
      curve.Points.emplace_back(f, v);
      if (!(f > 0) || !(v > 0)) continue;
      fLow = std::min(fLow, f);
      fHigh = std::max(fHigh, f);
      vLow = std::min(vLow, v);
      vHigh = std::max(vHigh, v);
    }
    curves.push_back(std::move(curve));
  }
  DrawPlot(painter, frame, LogAxisAround(QStringLiteral("Частота, Гц"), fLow, fHigh),
           LogAxisAround(valueTitle, vLow, vHigh), curves, PaperFont(kChartPoints));
}

}  // namespace

void DrawRecordingPage(QPainter& painter, const QRectF& area, const AnalysisReport& report) {
  PaperPage page(painter, area);
  page.Title(QStringLiteral("Отчёт об анализе записи"));
  page.Lines(RecordingLines(report));
  page.Space(8);
  DrawIntervalChart(painter, page.Block(360), report);
  page.Heading(QStringLiteral("Параметры интервала"));
  page.Table(ParamTable(report.ParamRows));
  page.Heading(QStringLiteral("Превышения порогового уровня"));
  page.Lines(ExceedanceLines(report.Exceedances));
}

void DrawEventsPage(QPainter& painter, const QRectF& area, const AnalysisReport& report) {
  PaperPage page(painter, area);
  page.Title(QStringLiteral("События и падения"));
  const ShockEventsResult& events = report.Events;
  page.Heading(QStringLiteral("События: %1").arg(events.Events.size()));
  const std::array<int, kShockChannelCount>& n = events.Counts;
  QStringList lines = {
      QStringLiteral("По каналам: X %1, Y %2, Z %3, R %4").arg(n[0]).arg(n[1]).arg(n[2]).arg(n[3]),
      QStringLiteral("Уровень покоя, м/с²: X %1, Y %2, Z %3")
          .arg(FixedNumber(events.Baselines[0], 3), FixedNumber(events.Baselines[1], 3),
               FixedNumber(events.Baselines[2], 3))};
  if (events.Events.size() > kReportEvents) {
    lines << QStringLiteral("Показаны %1 наибольших по |пику| из %2")
                 .arg(kReportEvents)
                 .arg(events.Events.size());
  }
  page.Lines(lines);
  page.Space(4);
  if (!events.Events.empty())
    page.Table(EventTable(report, LargestShockEvents(events.Events, kReportEvents)));
  page.Heading(QStringLiteral("Падения: %1").arg(report.Drops.size()));
  if (report.Drops.size() > kReportDrops) {
    page.Lines(
        {QStringLiteral("Показаны первые %1 из %2").arg(kReportDrops).arg(report.Drops.size())});
  }
  if (!report.Drops.empty()) page.Table(DropTable(report.Drops));
}

void DrawSpectraPage(QPainter& painter, const QRectF& area, const AnalysisReport& report) {
  PaperPage page(painter, area);
  page.Title(QStringLiteral("Спектры"));
  const IntervalPsdResult& psd = report.Psd;
  const PsdOptions& p = report.PsdSettings;
  page.Heading(QStringLiteral("Спектр вибрации (спектральная плотность мощности)"));
  page.Lines({QStringLiteral("Сегмент, отсчётов: %1 (использовано: %2); полоса СКЗ: %3 … %4 Гц")
                  .arg(p.Segment)
                  .arg(psd.Axes[AxisX].Segment)
                  .arg(ShortestNumber(p.BandLow), ShortestNumber(p.BandHigh))});
  DrawSpectrumChart(painter, page.Block(260), QStringLiteral("СПМ, (м/с²)²/Гц"),
                    {&psd.Axes[0].Frequencies, &psd.Axes[1].Frequencies, &psd.Axes[2].Frequencies},
                    {&psd.Axes[0].Density, &psd.Axes[1].Density, &psd.Axes[2].Density});
  PaperTable rms{{QStringLiteral("Ось"), QStringLiteral("СКЗ в полосе, м/с²")}, {}, {false, true}};
  for (int axis = 0; axis < 3; ++axis)
    rms.Rows.push_back({AxisName(axis), SignificantNumber(psd.Rms[axis])});
  page.Table(rms);

  const IntervalSrsResult& srs = report.Srs;
  const SrsOptions& s = report.SrsSettings;
  page.Heading(QStringLiteral("Ударный спектр (максимакс)"));
  page.Lines({QStringLiteral("Q = %1; частот на октаву: %2; %3 … %4 Гц")
                  .arg(ShortestNumber(s.Q), ShortestNumber(s.PerOctave),
                       ShortestNumber(s.MinFrequency), ShortestNumber(s.MaxFrequency))});
  DrawSpectrumChart(painter, page.Block(260), QStringLiteral("Ускорение, м/с²"),
                    {&srs.Axes[0].Frequencies, &srs.Axes[1].Frequencies, &srs.Axes[2].Frequencies},
                    {&srs.Axes[0].Peak, &srs.Axes[1].Peak, &srs.Axes[2].Peak});
  PaperTable peaks{
      {QStringLiteral("Ось"), QStringLiteral("Пик, м/с²"), QStringLiteral("Частота, Гц")},
      {},
      {false, true, true}};
  for (int axis = 0; axis < 3; ++axis) {
    const SrsResult& r = srs.Axes[axis];
    if (r.Peak.empty()) continue;
    const auto top =
        static_cast<std::size_t>(std::max_element(r.Peak.begin(), r.Peak.end()) - r.Peak.begin());
    peaks.Rows.push_back(
        {AxisName(axis), SignificantNumber(r.Peak[top]), SignificantNumber(r.Frequencies[top])});
  }
  page.Table(peaks);
}
