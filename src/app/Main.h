// The main window: the session it works on, the chart and every command of
// the menu. Handlers read controls, call the session, write controls and
// redraw.
#pragma once

#include <QMainWindow>
#include <QPointF>
#include <QString>
#include <array>
#include <initializer_list>
#include <memory>
#include <optional>
#include <vector>

#include "session/Session.h"
#include "view/ChartHlp.h"

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
class AnalysisWindow;
class TParamForm;
class TSmoothingPropertiesDlg;
class TAboutForm;
class UserDialogs;

class TMainForm : public QMainWindow {
  Q_OBJECT

 public:
  explicit TMainForm(UserDialogs& dialogs, int capacity = Recording::kFullCapacity);
  ~TMainForm() override;

  // The three windows created right after the main window.
  void SetDialogs(TParamForm* paramForm, TSmoothingPropertiesDlg* smoothingDlg,
                  TAboutForm* aboutForm);

  // The recording, what derives from it, the settings and the interval.
  Session& RecordingSession() { return *session_; }
  // The presets dialog's threshold, applied whenever the dialog lets go: the
  // chart follows at once.
  void ApplyBoundLevel(double boundLevel);
  UserDialogs& Dialogs() { return dialogs_; }

  // Top bar
  QLabel* StartCaption;
  QLabel* StartPoint;  // the interval's start, seconds
  QLabel* StopCaption;
  QLabel* StopPoint;  // the interval's stop, seconds
  QPushButton* SpeedCorrectionButton;
  QPushButton* CropButton;
  // Chart and what draws on it
  ChartSurface* CHART;
  std::array<ChartSeries*, 8> Series{};  // Series1 … Series8
  TChartHelper* ChartHelper;
  // Progress and status
  QProgressBar* ProgressBar;
  std::array<QLabel*, 7> StatusPanels{};
  QLabel* HeldIntervalPanel;  // shown while the interval is held
  // Bottom panel
  QTableWidget* ParamViews;
  QTabWidget* ResultPages;  // "Параметры " and "Превышения"
  QCheckBox* Inversion_chek_box;
  QLabel* TrackingLabel;  // shown while the list follows the cursor
  QPlainTextEdit* ExceedanceMemo;
  // Hidden, as designed: the import shows the calibration of its file there.
  QLineEdit* G_value_edit;
  QLineEdit* X_Code_0g_edit;
  QLineEdit* X_Gain_edit;
  QLineEdit* Y_Code_0g_edit;
  QLineEdit* Y_Gain_Edit;
  QLineEdit* Z_Code_0g_edit;
  QLineEdit* Z_Gain_edit;

  // Menu "&Файл"
  QAction* ImportFile;
  QMenu* RecentFilesMenu;  // "Последние файлы", newest first
  QAction* OpenFileMenu;
  QAction* SaveFileMenu;
  QAction* Print;
  QAction* AnalysisReportItem;  // "Отчёт об анализе (PDF)…"
  QAction* ChartExportItem;
  QAction* MenuExit;
  // Menu "Вид"
  QAction* AccelX_line;
  QAction* AccelY_line;
  QAction* AccelZ_line;
  QAction* Speed_X_Line;
  QAction* Vibro_X_Line;
  QAction* Temperature_line;
  QAction* FitVerticalItem;
  QAction* FitAllItem;
  // Menu "Настройка"
  QAction* PresetsItem;
  QAction* Boundslevel_check;
  // Menu "Параметры"
  QAction* Calculate;
  QAction* SpyData;
  QAction* CutoffItem;
  QAction* CropItem;
  QAction* UndoCropItem;  // enabled while a crop can be undone
  // Menu "Обработка"
  QAction* Speed_corr_routine;
  QAction* VibroSpeedRedrawItem;
  QAction* SpeedCorrectionItem;
  // Menu "Анализ"
  QAction* ShockEventsItem;
  QAction* SpectraItem;
  QAction* IntervalItem;
  QAction* IntervalDataExportItem;  // "Экспорт данных интервала…"
  // Menu "&Help"
  QAction* AboutItem;

  // Files
  void ImportFileClick();
  void ImportFileRoutine(const QString& path);
  void ImportLoggerPath(const std::string& path);  // the name as the system's bytes
  void OpenFileMenuClick();
  void OpenFileRoutine(const QString& path);
  void SaveFileMenuClick();
  void PrintClick();
  // The analysis of the interval as a PDF report, with the analysis
  // windows' settings and the parameter rows of the shown curves.
  void AnalysisReportClick();
  // The interval's samples in physical units as CSV or XLSX; the file type
  // chosen in the save dialog names the format and the acceleration unit.
  void IntervalDataExportClick();
  void ChartExportClick();
  void ExitClick();
  // Chart
  void UpdateGraph();
  void SetupGraf();
  void FitVerticalClick();
  void FitAllClick();
  void Inversion_chek_boxClick();
  // Analysis
  void PresetsClick();
  void CalculateClick();
  void CalculateParam();
  void SpyDataClick();
  void CutoffClick();
  void VibroSpeedRedrawClick();
  void Speed_corr_routineClick();
  void CropClick();
  void UndoCropClick();
  // Cursors
  // The interval between two times, as the cursors set it: the session's
  // interval and both panels.
  void SelectInterval(double startSeconds, double stopSeconds);
  // The interval between two times as a double-click at the start and a move
  // to the stop would set it, then the calculation of F5. The interval is
  // held: mouse moves leave it until the next double-click on the chart.
  void HoldInterval(double startSeconds, double stopSeconds);
  bool IntervalHeld() const { return intervalHeld_; }
  // "Интервал…": the interval typed in seconds, then held as above.
  void IntervalClick();
  void ChartHelperChartMouseMove(QObject* sender, bool insideChartRect);
  void ChartHelperClearDetailInformation(QObject* sender);
  // Analysis windows, one of each kind, made when first opened; each follows
  // every calculation while it is shown.
  enum AnalysisKind { ShockEventsAnalysis, SpectraAnalysis, AnalysisKindCount };
  void OpenAnalysisWindow(AnalysisKind kind);
  void ShowCurves(std::initializer_list<QAction*> items);
  void ShowShockEvent(const ShockEvent& event);
  void ShowDrop(const Drop& drop);
  // Help
  void AboutClick();

  // Runs a handler as a user command: faults end up in the standard error box.
  void Run(void (TMainForm::*handler)());

 protected:
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void BuildControls();
  void BuildMenu();
  void BuildChart();
  void FormCreate();
  void WriteCalibrationEdits();
  void ShowLoadedFile(const QString& path, const QString& extension);
  void ClearParameterValues();
  void WriteParamRow(int row, const RowTexts& cells);
  void ShowExceedances(const IntervalParamsResult& result, bool tracking);
  QString ThreeDecimals(double seconds) const;
  void ShowReadout(QPointF cursor, std::optional<ChartPoint> section);
  void SetIntervalHeld(bool held);
  // The recent files: the menu from the store, and a file that was opened
  // or could not be.
  void BuildRecentFilesMenu();
  void ShowRecentFiles();
  void NoteImport(const std::string& path, LoadStatus status);
  // What a crop changes on screen, to be shown again when it is undone.
  struct ViewBeforeCrop {
    QString caption;
    ChartAxesState axes;
    std::optional<ChartPoint> section;
    bool intervalHeld;
    QString start;
    QString stop;
    std::array<QString, 7> status;
    std::array<std::array<QString, kParamValueColumns>, kParamRowCount> params;
  };
  ViewBeforeCrop CurrentView() const;
  void ShowView(const ViewBeforeCrop& view);
  // One view per crop the session can undo, the latest last.
  void MatchCropViews();
  void BuildAnalysisMenu();
  AnalysisWindow* CreateAnalysisWindow(AnalysisKind kind);
  void ZoomOnto(double fromSeconds, double toSeconds);
  // What the analysis windows show follows the interval, or goes when the
  // recording changes.
  void ShowAnalyses(std::optional<SampleInterval> interval);
  void ForgetAnalyses();
  // The window of a kind, made (not shown) when there is none yet.
  AnalysisWindow& AnalysisWindowOf(AnalysisKind kind);
  // The parameter rows of the shown curves, as a calculation measures them.
  std::array<bool, kParamRowCount> ShownParamRows() const;

  UserDialogs& dialogs_;
  std::unique_ptr<Session> session_;
  TParamForm* paramForm_ = nullptr;
  TSmoothingPropertiesDlg* smoothingDlg_ = nullptr;
  TAboutForm* aboutForm_ = nullptr;
  std::array<AnalysisWindow*, AnalysisKindCount> analysisWindows_{};
  QString openDialogInitialDir_;
  bool intervalHeld_ = false;
  std::vector<ViewBeforeCrop> cropViews_;
};
