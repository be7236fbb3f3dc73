#include "view/SpectraWindow.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "analysis/SpectraTables.h"
#include "report/ReportNumbers.h"
#include "session/Session.h"
#include "text/NumberText.h"
#include "ui/CommandRunner.h"
#include "ui/UserDialogs.h"
#include "view/ChartExportDialog.h"
#include "view/ChartSurface.h"
#include "view/Crosshair.h"
#include "view/FileSave.h"
#include "view/NumberEdit.h"
#include "view/ResultTable.h"

namespace {

const char* const kAxisNames[] = {"X", "Y", "Z"};
const QColor kAxisColors[] = {Qt::red, QColor(0, 255, 0), Qt::blue};
const QString kPsdUnit = QStringLiteral("(м/с²)²/Гц");
const QString kSrsUnit = QStringLiteral("м/с²");

// A result the charts may view for as long as they show it.
template <typename Result>
std::shared_ptr<const Result> Shared(Result result) {
  return std::make_shared<const Result>(std::move(result));
}

ChartSurface* LogLogChart(const QString& valueTitle, QWidget* parent) {
  auto* chart = new ChartSurface(parent);
  chart->BottomAxis().SetLogarithmic(true);
  chart->LeftAxis().SetLogarithmic(true);
  chart->BottomAxis().SetTitle(QStringLiteral("Частота, Гц"));
  chart->LeftAxis().SetTitle(valueTitle);
  for (int axis = 0; axis < 3; ++axis) {
    chart->AddSeries(QString::fromLatin1(kAxisNames[axis]))->SetColor(kAxisColors[axis]);
  }
  chart->setMinimumSize(420, 220);
  return chart;
}

// A typed segment that is not a whole number of samples within the limits
// becomes 0, which the core's check refuses.
void SetSegment(PsdOptions& o, double samples) {
  o.Segment = WholeWithin(samples, kPsdLongestSegment).value_or(0);
}

// Keys of the settings store.
const QString kSegmentKey = QStringLiteral("segment");
const QString kBandLowKey = QStringLiteral("bandLow");
const QString kBandHighKey = QStringLiteral("bandHigh");
const QString kQKey = QStringLiteral("q");
const QString kPerOctaveKey = QStringLiteral("perOctave");
const QString kMinFrequencyKey = QStringLiteral("minFrequency");
const QString kMaxFrequencyKey = QStringLiteral("maxFrequency");

}  // namespace

SpectraWindow::SpectraWindow(const Session& session, UserDialogs& dialogs, QWidget* owner)
    : AnalysisWindow(session, dialogs, owner, QStringLiteral("SpectraWindow")) {
  setWindowTitle(QStringLiteral("Спектры"));
  LoadSettings();
  PsdChart = LogLogChart(QStringLiteral("СПМ, ") + kPsdUnit, this);
  SrsChart = LogLogChart(QStringLiteral("Ударный спектр, ") + kSrsUnit, this);
  PsdSummary = new QLabel(this);
  SrsSummary = new QLabel(this);
  Readout = new QLabel(this);
  PsdExportButton = new QPushButton(QStringLiteral("Экспорт рисунка"), this);
  SrsExportButton = new QPushButton(QStringLiteral("Экспорт рисунка"), this);
  SaveCsvButton = new QPushButton(QStringLiteral("Сохранить CSV"), this);
  SaveXlsxButton = new QPushButton(QStringLiteral("Сохранить XLSX"), this);
  for (QPushButton* save : {SaveCsvButton, SaveXlsxButton}) save->setEnabled(false);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(BuildSettings());
  layout->addWidget(PsdChart, 1);
  auto* psdLine = new QHBoxLayout;
  psdLine->addWidget(PsdSummary, 1);
  psdLine->addWidget(PsdExportButton);
  layout->addLayout(psdLine);
  layout->addWidget(SrsChart, 1);
  auto* srsLine = new QHBoxLayout;
  srsLine->addWidget(SrsSummary, 1);
  srsLine->addWidget(SrsExportButton);
  layout->addLayout(srsLine);
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(Readout, 1);
  bottom->addWidget(SaveCsvButton);
  bottom->addWidget(SaveXlsxButton);
  layout->addLayout(bottom);
  RestorePlace({760, 760});

  psdCrosshair_ = new Crosshair(*PsdChart, Qt::gray);
  srsCrosshair_ = new Crosshair(*SrsChart, Qt::gray);
  connect(PsdChart, &ChartSurface::MouseMoved, this, [this](Qt::KeyboardModifiers, QPoint p) {
    TrackMouse(*PsdChart, *psdCrosshair_, p, kPsdUnit);
  });
  connect(SrsChart, &ChartSurface::MouseMoved, this, [this](Qt::KeyboardModifiers, QPoint p) {
    TrackMouse(*SrsChart, *srsCrosshair_, p, kSrsUnit);
  });
  connect(SaveCsvButton, &QPushButton::clicked, this,
          [this] { RunCommand(dialogs_, this, [this] { SaveCsv(); }); });
  connect(SaveXlsxButton, &QPushButton::clicked, this,
          [this] { RunCommand(dialogs_, this, [this] { SaveXlsx(); }); });
  connect(PsdExportButton, &QPushButton::clicked, this,
          [this] { RunCommand(dialogs_, this, [this] { ExportPicture(*PsdChart); }); });
  connect(SrsExportButton, &QPushButton::clicked, this,
          [this] { RunCommand(dialogs_, this, [this] { ExportPicture(*SrsChart); }); });
}

void SpectraWindow::BuildPsdEdits(QWidget* box) {
  PsdOptions& p = psdOptions_;
  SegmentEdit = OptionEdit<PsdOptions>(
      p, PsdOptionsError, [](const PsdOptions& o) { return static_cast<double>(o.Segment); },
      SetSegment, QStringLiteral("Сегмент спектра"),
      [] {
        return QStringLiteral("целое число отсчётов от %1 до %2")
            .arg(kPsdShortestSegment)
            .arg(kPsdLongestSegment);
      },
      dialogs_, box);
  BandLowEdit = OptionEdit<PsdOptions>(
      p, PsdOptionsError, [](const PsdOptions& o) { return o.BandLow; },
      [](PsdOptions& o, double v) { o.BandLow = v; }, QStringLiteral("Нижняя граница полосы"),
      [this] {
        return QStringLiteral("не выше верхней границы полосы, %1 Гц")
            .arg(General(psdOptions_.BandHigh));
      },
      dialogs_, box);
  BandHighEdit = OptionEdit<PsdOptions>(
      p, PsdOptionsError, [](const PsdOptions& o) { return o.BandHigh; },
      [](PsdOptions& o, double v) { o.BandHigh = v; }, QStringLiteral("Верхняя граница полосы"),
      [this] {
        return QStringLiteral("не ниже нижней границы полосы, %1 Гц")
            .arg(General(psdOptions_.BandLow));
      },
      dialogs_, box);
}

void SpectraWindow::BuildSrsEdits(QWidget* box) {
  SrsOptions& r = srsOptions_;
  QEdit = OptionEdit<SrsOptions>(
      r, SrsOptionsError, [](const SrsOptions& o) { return o.Q; },
      [](SrsOptions& o, double v) { o.Q = v; }, QStringLiteral("Добротность Q"),
      [] { return QStringLiteral("больше %1").arg(General(kSrsQBound)); }, dialogs_, box);
  PerOctaveEdit = OptionEdit<SrsOptions>(
      r, SrsOptionsError, [](const SrsOptions& o) { return o.PerOctave; },
      [](SrsOptions& o, double v) { o.PerOctave = v; }, QStringLiteral("Частот на октаву"),
      [] { return QStringLiteral("от 1 до %1").arg(General(kSrsMostPerOctave)); }, dialogs_, box);
  MinFrequencyEdit = OptionEdit<SrsOptions>(
      r, SrsOptionsError, [](const SrsOptions& o) { return o.MinFrequency; },
      [](SrsOptions& o, double v) { o.MinFrequency = v; },
      QStringLiteral("Нижняя частота ударного спектра"),
      [this] {
        return QStringLiteral("от %1 Гц до верхней частоты, %2 Гц")
            .arg(General(kSrsLowestFrequency), General(srsOptions_.MaxFrequency));
      },
      dialogs_, box);
  MaxFrequencyEdit = OptionEdit<SrsOptions>(
      r, SrsOptionsError, [](const SrsOptions& o) { return o.MaxFrequency; },
      [](SrsOptions& o, double v) { o.MaxFrequency = v; },
      QStringLiteral("Верхняя частота ударного спектра"),
      [this] {
        return QStringLiteral("от нижней частоты, %1 Гц, и меньше %2 Гц")
            .arg(General(srsOptions_.MinFrequency), General(kSrsFrequencyBound));
      },
      dialogs_, box);
}

QWidget* SpectraWindow::BuildSettings() {
  auto* box = new QWidget(this);
  BuildPsdEdits(box);
  BuildSrsEdits(box);
  DefaultsButton = new QPushButton(QStringLiteral("По умолчанию"), box);
  DefaultsButton->setObjectName(QStringLiteral("DefaultsButton"));
  const LabelledEdit psdRow[] = {
      {"Спектр: сегмент", SegmentEdit}, {"полоса, Гц", BandLowEdit}, {"…", BandHighEdit}};
  const LabelledEdit srsRow[] = {{"Ударный спектр: Q", QEdit},
                                 {"частоты, Гц", MinFrequencyEdit},
                                 {"…", MaxFrequencyEdit},
                                 {"на октаву", PerOctaveEdit}};
  QHBoxLayout* psdLine = LabelledEdits(psdRow, box);
  psdLine->addStretch(1);
  psdLine->addWidget(DefaultsButton);
  QHBoxLayout* srsLine = LabelledEdits(srsRow, box);
  srsLine->addStretch(1);
  auto* rows = new QVBoxLayout(box);
  rows->setContentsMargins(0, 0, 0, 0);
  rows->addLayout(psdLine);
  rows->addLayout(srsLine);

  for (NumberEdit* edit : {SegmentEdit, BandLowEdit, BandHighEdit, QEdit, PerOctaveEdit,
                           MinFrequencyEdit, MaxFrequencyEdit}) {
    connect(edit, &NumberEdit::ValueAccepted, this,
            [this] { RunCommand(dialogs_, this, [this] { SettingAccepted(); }); });
  }
  connect(DefaultsButton, &QPushButton::clicked, this,
          [this] { RunCommand(dialogs_, this, [this] { Defaults(); }); });
  return box;
}

void SpectraWindow::LoadSettings() {
  SetSegment(psdOptions_, KeptNumber(kSegmentKey, static_cast<double>(PsdOptions{}.Segment)));
  psdOptions_.BandLow = KeptNumber(kBandLowKey, psdOptions_.BandLow);
  psdOptions_.BandHigh = KeptNumber(kBandHighKey, psdOptions_.BandHigh);
  if (PsdOptionsError(psdOptions_)) psdOptions_ = {};
  srsOptions_.Q = KeptNumber(kQKey, srsOptions_.Q);
  srsOptions_.PerOctave = KeptNumber(kPerOctaveKey, srsOptions_.PerOctave);
  srsOptions_.MinFrequency = KeptNumber(kMinFrequencyKey, srsOptions_.MinFrequency);
  srsOptions_.MaxFrequency = KeptNumber(kMaxFrequencyKey, srsOptions_.MaxFrequency);
  if (SrsOptionsError(srsOptions_)) srsOptions_ = {};
}

void SpectraWindow::ShowSettings() {
  SegmentEdit->SetValue(static_cast<double>(psdOptions_.Segment));
  BandLowEdit->SetValue(psdOptions_.BandLow);
  BandHighEdit->SetValue(psdOptions_.BandHigh);
  QEdit->SetValue(srsOptions_.Q);
  PerOctaveEdit->SetValue(srsOptions_.PerOctave);
  MinFrequencyEdit->SetValue(srsOptions_.MinFrequency);
  MaxFrequencyEdit->SetValue(srsOptions_.MaxFrequency);
}

void SpectraWindow::KeepSettings() const {
  KeepNumber(kSegmentKey, static_cast<double>(psdOptions_.Segment));
  KeepNumber(kBandLowKey, psdOptions_.BandLow);
  KeepNumber(kBandHighKey, psdOptions_.BandHigh);
  KeepNumber(kQKey, srsOptions_.Q);
  KeepNumber(kPerOctaveKey, srsOptions_.PerOctave);
  KeepNumber(kMinFrequencyKey, srsOptions_.MinFrequency);
  KeepNumber(kMaxFrequencyKey, srsOptions_.MaxFrequency);
}

void SpectraWindow::Defaults() {
  psdOptions_ = {};
  srsOptions_ = {};
  ShowSettings();
  SettingAccepted();
}

void SpectraWindow::SettingAccepted() {
  KeepSettings();
  if (interval_) Refresh(*interval_);
}

void SpectraWindow::ShowAnalysis(std::optional<SampleInterval> interval) {
  if (interval) Refresh(*interval);
}

void SpectraWindow::ForgetRecording() {
  interval_.reset();
  psd_ = Shared(IntervalPsdResult{});
  srs_ = Shared(IntervalSrsResult{});
  for (ChartSurface* chart : {PsdChart, SrsChart}) {
    for (int axis = 0; axis < 3; ++axis) chart->Series(axis)->Clear();
    chart->Invalidate();
  }
  PsdSummary->setText(RecordingChangedNotice());
  SrsSummary->setText(RecordingChangedNotice());
  for (QPushButton* save : {SaveCsvButton, SaveXlsxButton}) save->setEnabled(false);
}

void SpectraWindow::Refresh(SampleInterval interval) {
  interval_ = interval;
  for (ChartSurface* chart : {PsdChart, SrsChart}) {
    for (int axis = 0; axis < 3; ++axis) chart->Series(axis)->Clear();
  }
  psd_ = Shared(session_.Psd(interval, psdOptions_));
  ShowPsd();
  srs_ = Shared(session_.Srs(interval, srsOptions_));
  ShowSrs();
  for (QPushButton* save : {SaveCsvButton, SaveXlsxButton}) save->setEnabled(true);
}

// The DC bin has no place on a log axis: the curves start at the first bin.
void SpectraWindow::ShowPsd() {
  QStringList parts;
  for (int axis = 0; axis < 3; ++axis) {
    const PsdResult& p = psd_->Axes[axis];
    if (p.Frequencies.size() > 1) {
      PsdChart->Series(axis)->Append({.values = p.Density.data(),
                                      .first = 1,
                                      .count = p.Frequencies.size() - 1,
                                      .timeStep = p.Frequencies[1],
                                      .owner = psd_});
    }
    parts << QStringLiteral("%1 %2 %3")
                 .arg(kAxisNames[axis], SignificantNumber(psd_->Rms[axis]), kSrsUnit);
  }
  PsdSummary->setText(QStringLiteral("СКЗ: ") + parts.join(QStringLiteral(", ")));
}

void SpectraWindow::ShowSrs() {
  QStringList parts;
  for (int axis = 0; axis < 3; ++axis) {
    const SrsResult& s = srs_->Axes[axis];
    if (s.Frequencies.empty()) continue;
    SrsChart->Series(axis)->Append({.values = s.Peak.data(),
                                    .count = s.Frequencies.size(),
                                    .keys = s.Frequencies.data(),
                                    .owner = srs_});
    const auto top = std::max_element(s.Peak.begin(), s.Peak.end()) - s.Peak.begin();
    parts << QStringLiteral("%1 %2 %3 на %4 Гц")
                 .arg(kAxisNames[axis], SignificantNumber(s.Peak[top]), kSrsUnit,
                      SignificantNumber(s.Frequencies[top]));
  }
  SrsSummary->setText(QStringLiteral("Пик: ") + parts.join(QStringLiteral(", ")));
}

void SpectraWindow::TrackMouse(ChartSurface& chart, Crosshair& crosshair, QPoint position,
                               const QString& unit) {
  crosshair.MoveTo(position);
  if (!chart.PlotRect().contains(position)) return;
  const double f = chart.BottomAxis().PixelToValue(position.x());
  const double value = chart.LeftAxis().PixelToValue(position.y());
  Readout->setText(
      QStringLiteral("%1 Гц, %2 %3").arg(SignificantNumber(f), SignificantNumber(value), unit));
}

// NAME-psd.csv and NAME-srs.csv, each written whole or not at all.
void SpectraWindow::SaveCsv() {
  const auto path =
      AskSaveName(dialogs_, this, QStringLiteral("CSV (*.csv)"), QStringLiteral("csv"));
  if (!path) return;
  const ExportFailure failure = Saved([&] { SaveSpectraCsv(SystemPath(*path), *psd_, *srs_); });
  if (failure) dialogs_.Error(this, *failure);
}

// Both tables and how they were made in one workbook.
void SpectraWindow::SaveXlsx() {
  if (!interval_) return;
  const auto path =
      AskSaveName(dialogs_, this, QStringLiteral("Excel (*.xlsx)"), QStringLiteral("xlsx"));
  if (!path) return;
  const SpectraDetails details{session_.FileName(), *interval_, psdOptions_, srsOptions_};
  const ExportFailure failure =
      Saved([&] { SaveSpectraXlsx(SystemPath(*path), *psd_, *srs_, details); });
  if (failure) dialogs_.Error(this, *failure);
}

void SpectraWindow::ExportPicture(ChartSurface& chart) {
  TChartExportForm form(chart, dialogs_, this);
  dialogs_.ShowModal(form);
}
