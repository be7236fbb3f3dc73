#include "view/SpectraWindow.h"

#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>
#include <memory>
#include <utility>

#include "analysis/SpectraTables.h"
#include "files/CsvTable.h"
#include "session/Session.h"
#include "ui/CommandRunner.h"
#include "ui/UserDialogs.h"
#include "view/ChartExportDialog.h"
#include "view/ChartSurface.h"
#include "view/FileSave.h"

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

QString Number(double value) {
  return QString::number(value, 'g', 4);
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

QDoubleSpinBox* FrequencyEdit(double low, double high, double value, QWidget* parent) {
  auto* edit = new QDoubleSpinBox(parent);
  edit->setRange(low, high);
  edit->setDecimals(2);
  edit->setValue(value);
  return edit;
}

}  // namespace

SpectraWindow::SpectraWindow(const Session& session, UserDialogs& dialogs, QWidget* owner)
    : AnalysisWindow(session, dialogs, owner) {
  setWindowTitle(QStringLiteral("Спектры"));
  PsdChart = LogLogChart(QStringLiteral("СПМ, ") + kPsdUnit, this);
  SrsChart = LogLogChart(QStringLiteral("Ударный спектр, ") + kSrsUnit, this);
  PsdSummary = new QLabel(this);
  SrsSummary = new QLabel(this);
  Readout = new QLabel(this);
  PsdExportButton = new QPushButton(QStringLiteral("Экспорт рисунка"), this);
  SrsExportButton = new QPushButton(QStringLiteral("Экспорт рисунка"), this);
  SaveCsvButton = new QPushButton(QStringLiteral("Сохранить CSV"), this);

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
  layout->addLayout(bottom);
  resize(760, 720);

  connect(PsdChart, &ChartSurface::MouseMoved, this,
          [this](Qt::KeyboardModifiers, QPoint p) { TrackMouse(*PsdChart, p, kPsdUnit); });
  connect(SrsChart, &ChartSurface::MouseMoved, this,
          [this](Qt::KeyboardModifiers, QPoint p) { TrackMouse(*SrsChart, p, kSrsUnit); });
  connect(SaveCsvButton, &QPushButton::clicked, this,
          [this] { RunCommand(dialogs_, this, [this] { SaveCsv(); }); });
  connect(PsdExportButton, &QPushButton::clicked, this,
          [this] { RunCommand(dialogs_, this, [this] { ExportPicture(*PsdChart); }); });
  connect(SrsExportButton, &QPushButton::clicked, this,
          [this] { RunCommand(dialogs_, this, [this] { ExportPicture(*SrsChart); }); });
}

QWidget* SpectraWindow::BuildSettings() {
  auto* box = new QWidget(this);
  auto* form = new QHBoxLayout(box);
  form->setContentsMargins(0, 0, 0, 0);
  SegmentEdit = new QSpinBox(box);
  SegmentEdit->setRange(8, Recording::kFullCapacity);
  const PsdOptions psd;
  const SrsOptions srs;
  SegmentEdit->setValue(static_cast<int>(psd.Segment));
  BandLowEdit = FrequencyEdit(0, Recording::SampleRate / 2, psd.BandLow, box);
  BandHighEdit = FrequencyEdit(0, Recording::SampleRate / 2, psd.BandHigh, box);
  QEdit = FrequencyEdit(0.51, 1000, srs.Q, box);
  MinFrequencyEdit = FrequencyEdit(0.01, Recording::SampleRate / 2 - 0.01, srs.MinFrequency, box);
  MaxFrequencyEdit = FrequencyEdit(0.01, Recording::SampleRate / 2 - 0.01, srs.MaxFrequency, box);
  const std::pair<const char*, QWidget*> fields[] = {{"Сегмент", SegmentEdit},
                                                     {"Полоса, Гц", BandLowEdit},
                                                     {"…", BandHighEdit},
                                                     {"Q", QEdit},
                                                     {"Частоты, Гц", MinFrequencyEdit},
                                                     {"…", MaxFrequencyEdit}};
  for (const auto& [caption, edit] : fields) {
    form->addWidget(new QLabel(QString::fromUtf8(caption), box));
    form->addWidget(edit);
  }
  form->addStretch(1);
  auto refresh = [this] {
    RunCommand(dialogs_, this, [this] {
      if (interval_) Refresh(*interval_);
    });
  };
  connect(SegmentEdit, &QSpinBox::editingFinished, this, refresh);
  for (QDoubleSpinBox* edit :
       {BandLowEdit, BandHighEdit, QEdit, MinFrequencyEdit, MaxFrequencyEdit}) {
    connect(edit, &QDoubleSpinBox::editingFinished, this, refresh);
  }
  return box;
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
}

void SpectraWindow::Refresh(SampleInterval interval) {
  interval_ = interval;
  const PsdOptions psd{static_cast<std::size_t>(SegmentEdit->value()), BandLowEdit->value(),
                       BandHighEdit->value()};
  const SrsOptions srs{MinFrequencyEdit->value(), MaxFrequencyEdit->value(), SrsOptions{}.PerOctave,
                       QEdit->value()};
  for (ChartSurface* chart : {PsdChart, SrsChart}) {
    for (int axis = 0; axis < 3; ++axis) chart->Series(axis)->Clear();
  }
  if (PsdOptionsError(psd)) {  // the edits' ranges leave only a reversed band
    PsdSummary->setText(QStringLiteral("Полоса задана неверно: нижняя граница выше верхней."));
    psd_ = Shared(IntervalPsdResult{});
  } else {
    psd_ = Shared(session_.Psd(interval, psd));
    ShowPsd();
  }
  if (SrsOptionsError(srs)) {  // the edits' ranges leave only a reversed range
    SrsSummary->setText(
        QStringLiteral("Диапазон частот задан неверно: нижняя частота выше верхней."));
    srs_ = Shared(IntervalSrsResult{});
  } else {
    srs_ = Shared(session_.Srs(interval, srs));
    ShowSrs();
  }
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
    parts << QStringLiteral("%1 %2 %3").arg(kAxisNames[axis], Number(psd_->Rms[axis]), kSrsUnit);
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
                 .arg(kAxisNames[axis], Number(s.Peak[top]), kSrsUnit, Number(s.Frequencies[top]));
  }
  SrsSummary->setText(QStringLiteral("Пик: ") + parts.join(QStringLiteral(", ")));
}

void SpectraWindow::TrackMouse(ChartSurface& chart, QPoint position, const QString& unit) {
  const QRect plot = chart.PlotRect();
  if (!plot.contains(position)) return;
  const double f = chart.BottomAxis().PixelToValue(position.x());
  const double value = chart.LeftAxis().PixelToValue(position.y());
  Readout->setText(QStringLiteral("%1 Гц, %2 %3").arg(Number(f), Number(value), unit));
  auto canvas = chart.OverlayCanvas();
  canvas->SetPenColor(Qt::gray);
  canvas->MoveTo(position.x(), plot.top());
  canvas->LineTo(position.x(), plot.bottom());
  canvas->MoveTo(plot.left(), position.y());
  canvas->LineTo(plot.right(), position.y());
}

namespace {

// Until the save writes NAME-psd.csv and NAME-srs.csv (SaveSpectraCsv), both
// tables of the one CSV convention go into the one file the user chose, the
// vibration spectrum first, an empty line between them.
std::string StackedSpectraCsvUntilTwoFiles(const IntervalPsdResult& psd,
                                           const IntervalSrsResult& srs) {
  return CsvText(PsdTable(psd)) + "\r\n" + CsvText(SrsTable(srs));
}

}  // namespace

// Written whole or not at all.
void SpectraWindow::SaveCsv() {
  const auto choice = dialogs_.SaveFileName(
      this, {QStringLiteral("CSV (*.csv)"), QStringLiteral("csv"), QString()});
  if (!choice) return;
  const std::string text = StackedSpectraCsvUntilTwoFiles(*psd_, *srs_);
  if (const ExportFailure failure = SaveFile(choice->path, text)) dialogs_.Error(this, *failure);
}

void SpectraWindow::ExportPicture(ChartSurface& chart) {
  TChartExportForm form(chart, dialogs_, this);
  dialogs_.ShowModal(form);
}
