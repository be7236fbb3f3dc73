// The main window: it owns the recording with what derives from it, the
// measurement settings, the chart and every command of the menu. Handlers
// read controls, call the core, write controls and redraw.
#pragma once

#include <QMainWindow>
#include <QString>
#include <array>
#include <memory>

#include "analysis/AnalysisSettings.h"
#include "analysis/IntervalParams.h"
#include "app/Recording.h"

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTabWidget;
class QTableWidget;
class ChartSurface;
class ChartSeries;
class TChartHelper;
class TdspIIRFilter;
class DerivedData;
class TParamForm;
class TSmoothingPropertiesDlg;
class TAboutForm;
class UserDialogs;
class SpectraWindow;
class ShockEventsWindow;
struct ShockEvent;

class TMainForm : public QMainWindow {
  Q_OBJECT

 public:
  explicit TMainForm(UserDialogs& dialogs, int capacity = Recording::kFullCapacity);
  ~TMainForm() override;

  // The three windows created right after the main window.
  void SetDialogs(TParamForm* paramForm, TSmoothingPropertiesDlg* smoothingDlg,
                  TAboutForm* aboutForm);

  Recording& Data() { return *recording_; }
  // What derives from the recording (speeds) and what the user chose
  // (threshold, modes, cut-off).
  DerivedData& Derived() { return *derived_; }
  const AnalysisSettings& Settings() const { return settings_; }
  // The presets dialog's threshold, applied whenever the dialog lets go: the
  // chart follows at once.
  void ApplyBoundLevel(double boundLevel);
  UserDialogs& Dialogs() { return dialogs_; }

  // Top bar
  QLabel* StaticText1;
  QLabel* StartPoint;
  QLabel* StaticText2;
  QLabel* StopPoint;
  QPushButton* ZoomToFit;
  QPushButton* Button1;
  // Chart and what draws on it
  ChartSurface* CHART;
  std::array<ChartSeries*, 8> Series{};  // Series1 … Series8
  TChartHelper* ChartHelper;
  const TdspIIRFilter* dspIIRFilter3 = nullptr;  // the vibration-speed filter; DerivedData keeps it
  // Progress and status
  QProgressBar* ProgressBar;
  std::array<QLabel*, 7> StatusPanels{};
  // Bottom panel
  QTableWidget* ParamViews;
  QTabWidget* TabbedNotebook1;
  QCheckBox* Inversion_chek_box;
  QLabel* SpayDataLabel;
  QPlainTextEdit* Memo1;
  QLineEdit* G_value_edit;
  QLineEdit* X_Code_0g_edit;
  QLineEdit* X_Gain_edit;
  QLineEdit* Y_Code_0g_edit;
  QLineEdit* Y_Gain_Edit;
  QLineEdit* Z_Code_0g_edit;
  QLineEdit* Z_Gain_edit;

  // Menu "&Файл"
  QAction* ImportFile;
  QAction* OpenFileMenu;
  QAction* N3;
  QAction* SaveFileMenu;
  QAction* SaveAs;
  QAction* N2;
  QAction* Print;
  QAction* PrintSetup;
  QAction* N1;
  QAction* MenuExit;
  // Menu "Вид"
  QAction* AccelX_line;
  QAction* AccelY_line;
  QAction* AccelZ_line;
  QAction* N14;
  QAction* Speed_X_Line;
  QAction* N11;
  QAction* Vibro_X_Line;
  QAction* N15;
  QAction* Temperature_line;
  QAction* N8;
  QAction* AutoFit1;
  QAction* N13;
  // Menu "Настройка"
  QAction* Calculate_propert;
  QAction* Boundslevel_check;
  // Menu "Параметры"
  QAction* Calculate;
  QAction* SpyData;
  QAction* N10;
  QAction* N16;
  // Menu "Обработка"
  QAction* LinSpeed;
  QAction* Speed_corr_routine;
  QAction* N6;
  QAction* N4;
  QAction* N12;
  QAction* Smooth;
  QAction* N9;
  // Menu "Анализ"
  QAction* SpectraItem = nullptr;
  QAction* ShockEventsItem = nullptr;
  // Menu "&Help"
  QAction* N17;

  // Files
  void ImportFileClick();
  void ImportFileRoutine(const QString& path);
  void ImportLoggerPath(const std::string& path);  // the name as the system's bytes
  void OpenFileMenuClick();
  void OpenFileRoutine(const QString& path);
  void SaveFileMenuClick();
  void PrintClick();
  void PrintSetupClick();
  void ExitClick();
  // Chart
  void UpdateGraph();
  void SetupGraf();
  void AutoFit1Click();
  void N13Click();
  void CHARTScroll();
  void Inversion_chek_boxClick();
  // Analysis
  void Calculate_propertClick();
  void CalculateClick();
  void CalculateParam();
  void SpyDataClick();
  void N10Click();
  void N4Click();
  void Speed_corr_routineClick();
  void LinSpeedClick();
  void Button1Click();
  // Cursors
  void ChartHelperChartMouseMove(QObject* sender, bool insideChartRect);
  void ChartHelperClearDetailInformation(QObject* sender);
  // Analysis windows
  void SpectraItemClick();
  void RefreshSpectra(std::optional<SampleInterval> interval);  // while the window is shown
  SpectraWindow* Spectra() const { return spectraWindow_; }
  void ShockEventsClick();
  void RefreshShockEvents(std::optional<SampleInterval> interval);
  void ForgetAnalyses();  // the recording changed under the analysis windows
  void ShowShockEvent(const ShockEvent& event);
  ShockEventsWindow* ShockEvents() const { return shockEventsWindow_; }
  // Help
  void N17Click();

  // Runs a handler as a user command: faults end up in the standard error box.
  void Run(void (TMainForm::*handler)());

 protected:
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void BuildControls();
  void BuildMenu();
  void BuildAnalysisMenu();
  void BuildChart();
  void FormCreate();
  void WriteCalibrationEdits();
  void ShowLoadedFile(const QString& path, const QString& extension);
  void ClearParameterValues();
  bool CodesMode() const;
  // The interval of the panels, as every analysis reads it; none when empty.
  std::optional<SampleInterval> SelectedInterval() const;
  void WriteParamRow(int row, const RowTexts& cells);
  void ShowExceedances(const IntervalParamsResult& result, const ParamOptions& options);
  QString ThreeDecimals(double seconds) const;

  UserDialogs& dialogs_;
  std::shared_ptr<Recording> recording_;  // shared with the chart series that view its arrays
  std::unique_ptr<DerivedData> derived_;
  AnalysisSettings settings_;
  TParamForm* paramForm_ = nullptr;
  TSmoothingPropertiesDlg* smoothingDlg_ = nullptr;
  TAboutForm* aboutForm_ = nullptr;
  ShockEventsWindow* shockEventsWindow_ = nullptr;
  QString openDialogInitialDir_;
  SpectraWindow* spectraWindow_ = nullptr;
};
