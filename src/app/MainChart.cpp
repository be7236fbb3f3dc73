// The chart of the main window: its eight series, the redraw that rebuilds
// them from the recording, the chart set-up and the fit commands.
#include <QAction>
#include <QCheckBox>
#include <QVBoxLayout>

#include "app/Main.h"
#include "ui/CommandRunner.h"
#include "ui/FormLayout.h"
#include "ui/UserDialogs.h"
#include "view/ChartHlp.h"
#include "view/ChartLook.h"
#include "view/ChartSurface.h"

namespace {

// The caption every chart set-up starts from; the loaders append the file name.
const QString kCaptionPrefix = QStringLiteral("TORVIK ->   ");

// Series1 … Series8: vibration speed, acceleration X, Y, Z, temperature,
// linear speed, upper and lower threshold.
enum SeriesIndex { Vibro, AccelX, AccelY, AccelZ, Temp, Speed, UpperBound, LowerBound };
constexpr std::array<int, 8> kLineWidths = {1, 1, 1, 1, 1, 3, 3, 3};
const QColor kThresholdColor(255, 128, 192);

}  // namespace

void TMainForm::BuildChart() {
  CHART = new ChartSurface;
  CHART->setObjectName(QStringLiteral("CHART"));
  CHART->Title().SetText(QStringLiteral("FileName"));
  CHART->BottomAxis().SetTitle(QStringLiteral("Время, c"));
  for (std::size_t i = 0; i < Series.size(); ++i) {
    Series[i] = CHART->AddSeries(QStringLiteral("Series%1").arg(i + 1));
    Series[i]->SetLineWidth(kLineWidths[i]);
  }
  for (SeriesIndex threshold : {UpperBound, LowerBound}) {
    Series[threshold]->SetColor(kThresholdColor);
    Series[threshold]->SetDrawAllPoints(false);
  }
  ApplyLook(*CHART, ScreenLook());
  auto* column = static_cast<QVBoxLayout*>(centralWidget()->layout());
  column->insertWidget(1, CHART, 1);
  // The keys move the time axis while the chart has the focus, which it
  // has at start and takes on a click.
  CHART->setFocusPolicy(Qt::StrongFocus);
  CHART->setFocus();
  connect(CHART, &ChartSurface::FitAllAsked, this, [this] { Run(&TMainForm::FitAllClick); });

  ChartHelper = new TChartHelper(this);
  ChartHelper->setObjectName(QStringLiteral("ChartHelper"));
  ChartHelper->SetChart(CHART);
  connect(ChartHelper, &TChartHelper::OnChartMouseMove, this,
          [this](TChartHelper* sender, bool inside) {
            RunCommand(dialogs_, this,
                       [this, sender, inside] { ChartHelperChartMouseMove(sender, inside); });
          });
  // A double-click starts a new interval the usual way.
  connect(CHART, &ChartSurface::DoubleClicked, this, [this] { SetIntervalHeld(false); });
  connect(ChartHelper, &TChartHelper::OnClearDetailInformation, this,
          [this](TChartHelper* sender) { ChartHelperClearDetailInformation(sender); });
}

// Rebuilds every series from the recording; while the vibration speed is
// shown it is brought up to date with the linear speed and the cut-off first.
void TMainForm::UpdateGraph() {
  for (ChartSeries* series : Series) series->Clear();
  const AnalysisSettings& settings = session_->Settings();
  const double sign = settings.Inverted ? -1.0 : 1.0;
  const Recording& r = session_->Data();
  if (r.SampleCount < 2) return;

  const bool codes = settings.CodesMode;
  auto show = [&](SeriesIndex index, const double* values, double factor, double offset,
                  double zero = 0) {
    Series[index]->Append({.values = values,
                           .factor = factor,
                           .offset = offset,
                           .first = 1,
                           .count = r.SampleCount - 1u,
                           .timeStep = Recording::TimeStep,
                           .zero = zero,
                           .owner = session_->SharedData()});
  };
  if (Boundslevel_check->isChecked() && !codes) {
    show(UpperBound, nullptr, 0, settings.BoundLevel);
    show(LowerBound, nullptr, 0, -settings.BoundLevel);
  }
  if (Vibro_X_Line->isChecked() && !codes) {
    session_->RefreshVibroSpeed();
    show(Vibro, r.VibroSpeedX.get(), sign, 0);
  }
  if (Speed_X_Line->isChecked() && !codes) show(Speed, r.LinSpeedX.get(), sign, 0);
  const std::array<std::pair<QAction*, const Recording::Array*>, 3> axes = {
      std::pair{AccelX_line, &r.CodesX}, std::pair{AccelY_line, &r.CodesY},
      std::pair{AccelZ_line, &r.CodesZ}};
  for (int axis = 0; axis < 3; ++axis) {
    if (!axes[axis].first->isChecked()) continue;
    const auto index = static_cast<SeriesIndex>(AccelX + axis);
    const AxisCalibration& c = r.Calibration[axis];
    // (code − Code0g) × Gain × sign, or the raw code in ADC-code mode.
    if (codes) {
      show(index, axes[axis].second->get(), 1, 0);
    } else {
      show(index, axes[axis].second->get(), c.Gain * sign, 0, c.Code0g);
    }
  }
  if (Temperature_line->isChecked()) show(Temp, r.Temperature.get(), 1, 0);
  CHART->Invalidate();
}

void TMainForm::SetupGraf() {
  CHART->LeftAxis().SetTitle(kLeftAxisTitle);
  SetCaption(*this, kCaptionPrefix);
  CHART->UndoZoom();
  CHART->Invalidate();
  UpdateGraph();
}

void TMainForm::FitVerticalClick() {
  CHART->LeftAxis().SetAutomatic(true);
  UpdateGraph();
}

void TMainForm::FitAllClick() {
  CHART->LeftAxis().SetAutomatic(true);
  CHART->BottomAxis().SetAutomatic(true);
  UpdateGraph();
}
