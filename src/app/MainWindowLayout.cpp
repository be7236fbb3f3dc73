// The controls of the main window, top to bottom: the interval bar, the
// chart, the progress bar, the status bar, and the parameter list with the
// notebook.
#include <QCheckBox>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "app/Main.h"
#include "ui/FormLayout.h"

namespace {

template <typename Widget>
Widget* Named(Widget* widget, const char* name) {
  widget->setObjectName(QString::fromLatin1(name));
  return widget;
}

QLabel* IntervalPanel(const char* name, const QString& text) {
  auto* panel = Named(new QLabel(text), name);
  panel->setFrameStyle(QFrame::Box | QFrame::Plain);
  panel->setFont(PixelFont(13));
  panel->setMinimumWidth(80);
  return panel;
}

constexpr int kPageMargin = 6;

// The designed width of a status panel, or more when our font needs it for
// the panel's fixed text or, on a readout panel, for the widest readout: a
// value in ADC codes with a time of the longest recording.
int PanelWidth(const QLabel& panel, int designed, bool readout) {
  const QFontMetrics metrics(panel.font());
  int needed = panel.sizeHint().width();
  if (readout) {
    const int frame = needed - metrics.horizontalAdvance(panel.text());
    needed =
        std::max(needed, frame + metrics.horizontalAdvance(QStringLiteral("dY= -65535.000м/с2")));
  }
  return std::max(designed, needed);
}

QWidget* PageWith(std::initializer_list<QWidget*> widgets) {
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  layout->setContentsMargins(kPageMargin, kPageMargin, kPageMargin, kPageMargin);
  for (QWidget* widget : widgets) layout->addWidget(widget);
  layout->addStretch();
  return page;
}

// The interval bar: the two interval panels and the two command buttons.
QWidget* BuildTopBar(TMainForm& form) {
  auto* topBar = new QWidget;
  topBar->setFixedHeight(26);
  auto* top = new QHBoxLayout(topBar);
  top->setContentsMargins(4, 1, 4, 1);
  form.StartCaption = Named(new QLabel(QStringLiteral("Начало, с")), "StartCaption");
  form.StartPoint = IntervalPanel("StartPoint", QStringLiteral("0"));
  form.StopCaption = Named(new QLabel(QStringLiteral("Окончан., с")), "StopCaption");
  form.StopPoint = IntervalPanel("StopPoint", QStringLiteral("1"));
  form.SpeedCorrectionButton =
      Named(new QPushButton(QStringLiteral("Корр. скорости ")), "SpeedCorrectionButton");
  form.CropButton = Named(new QPushButton(QStringLiteral("Обрезать (F9)")), "CropButton");
  for (QWidget* w :
       {static_cast<QWidget*>(form.StartCaption), static_cast<QWidget*>(form.StartPoint),
        static_cast<QWidget*>(form.StopCaption), static_cast<QWidget*>(form.StopPoint),
        static_cast<QWidget*>(form.SpeedCorrectionButton),
        static_cast<QWidget*>(form.CropButton)}) {
    top->addWidget(w);
  }
  top->addStretch();
  return topBar;
}

QStatusBar* BuildStatusBar(TMainForm& form) {
  auto* status = Named(new QStatusBar, "StatusBar");
  status->setSizeGripEnabled(false);
  // Panels 4 and 6 carry fixed notes until the readout overwrites panel 4.
  const std::array<const char*, 7> fixedTexts = {"", "",   "", "", "Регистратор вибрации и ударов",
                                                 "", "GPL"};
  auto& panels = form.StatusPanels;
  for (int i = 0; i < 7; ++i) {
    panels[i] = new QLabel(QString::fromUtf8(fixedTexts[i]));
    panels[i]->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
    panels[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panels[i]->setFixedWidth(PanelWidth(*panels[i], i < 6 ? 120 : 50, i < 6));
    status->addWidget(panels[i]);
  }
  panels[0]->setAlignment(Qt::AlignCenter);
  form.HeldIntervalPanel =
      Named(new QLabel(QStringLiteral("Интервал закреплён; новый — двойным щелчком")),
            "HeldIntervalPanel");
  form.HeldIntervalPanel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  form.HeldIntervalPanel->hide();
  status->addWidget(form.HeldIntervalPanel);
  return status;
}

QTableWidget* BuildParamViews() {
  constexpr int kColumns = 1 + kParamValueColumns;  // the row's name, then its values
  auto* views = Named(new QTableWidget(kParamRowCount, kColumns), "ParamViews");
  views->setHorizontalHeaderLabels({QStringLiteral("Параметр"), QStringLiteral("Минимум"),
                                    QStringLiteral("Максимум"), QStringLiteral("Среднее"),
                                    QStringLiteral("СКО")});
  views->verticalHeader()->hide();
  views->setShowGrid(true);
  views->setFont(PixelFont(15, QStringLiteral("Arial")));
  views->setToolTip(QStringLiteral("Параметры"));
  views->setEditTriggers(QAbstractItemView::NoEditTriggers);
  views->setSelectionBehavior(QAbstractItemView::SelectRows);
  views->horizontalHeader()->setSectionsClickable(false);
  // Five rows and the header fit the 121-pixel panel without scrolling.
  views->verticalHeader()->setMinimumSectionSize(17);
  views->verticalHeader()->setDefaultSectionSize(17);
  views->horizontalHeader()->setFixedHeight(20);
  views->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  for (int c = 0; c < kColumns; ++c) views->setColumnWidth(c, 150);
  for (int r = 0; r < kParamRowCount; ++r) {
    for (int c = 0; c < kColumns; ++c) views->setItem(r, c, new QTableWidgetItem);
  }
  return views;
}

QTabWidget* BuildNotebook(TMainForm& form) {
  auto* notebook = Named(new QTabWidget, "ResultPages");
  form.Inversion_chek_box = Named(new QCheckBox(QStringLiteral("Инверсия измерительной оси < Х >")),
                                  "Inversion_chek_box");
  auto* warning = Named(new QLabel(QStringLiteral("ВНИМАНИЕ! Включен режим слежения за курсором!")),
                        "TrackingLabel");
  form.TrackingLabel = warning;
  warning->setStyleSheet(QStringLiteral("color: rgb(255,0,0);"));
  warning->hide();
  notebook->addTab(PageWith({form.Inversion_chek_box, warning}), QStringLiteral("Параметры "));
  form.ExceedanceMemo = Named(new QPlainTextEdit, "ExceedanceMemo");
  form.ExceedanceMemo->setFont(PixelFont(11));
  form.ExceedanceMemo->setStyleSheet(QStringLiteral("color: rgb(255,0,0);"));
  form.ExceedanceMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  form.ExceedanceMemo->setToolTip(QStringLiteral("Результаты превышения порогового уровня"));
  notebook->addTab(PageWith({form.ExceedanceMemo}), QStringLiteral("Превышения"));
  // Wide enough for the warning that shows while tracking, on our fonts:
  // the hidden warning keeps its room in the page.
  QSizePolicy keepRoom = warning->sizePolicy();
  keepRoom.setRetainSizeWhenHidden(true);
  warning->setSizePolicy(keepRoom);
  notebook->setFixedWidth(std::max(330, notebook->minimumSizeHint().width()));
  return notebook;
}

// The parameter list beside the notebook, and the calibration of the last
// imported file kept out of sight.
QWidget* BuildBottomPanel(TMainForm& form) {
  auto* bottomPanel = Named(new QWidget, "BottomPanel");
  bottomPanel->setFixedHeight(121);
  auto* bottom = new QHBoxLayout(bottomPanel);
  bottom->setContentsMargins(0, 0, 0, 0);
  form.ParamViews = BuildParamViews();
  bottom->addWidget(form.ParamViews, 1);
  form.ResultPages = BuildNotebook(form);
  bottom->addWidget(form.ResultPages);

  auto hiddenEdit = [&](const char* name) {
    auto* edit = Named(new QLineEdit(QStringLiteral("0"), bottomPanel), name);
    edit->hide();
    return edit;
  };
  form.G_value_edit = hiddenEdit("G_value_edit");
  form.G_value_edit->setEnabled(false);
  form.X_Code_0g_edit = hiddenEdit("X_Code_0g_edit");
  form.X_Gain_edit = hiddenEdit("X_Gain_edit");
  form.Y_Code_0g_edit = hiddenEdit("Y_Code_0g_edit");
  form.Y_Gain_Edit = hiddenEdit("Y_Gain_Edit");
  form.Z_Code_0g_edit = hiddenEdit("Z_Code_0g_edit");
  form.Z_Gain_edit = hiddenEdit("Z_Gain_edit");
  return bottomPanel;
}

}  // namespace

void TMainForm::BuildControls() {
  auto* central = new QWidget(this);
  auto* column = new QVBoxLayout(central);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  setCentralWidget(central);

  column->addWidget(BuildTopBar(*this));

  ProgressBar = Named(new QProgressBar, "ProgressBar");
  ProgressBar->setRange(0, 5000);  // nothing moves it
  ProgressBar->setTextVisible(false);
  ProgressBar->setFixedHeight(12);
  column->addWidget(ProgressBar);

  // The status bar lies between the progress bar and the bottom panel.
  column->addWidget(BuildStatusBar(*this));
  column->addWidget(BuildBottomPanel(*this));

  resize(1153, 704);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->availableGeometry().center() - frameGeometry().center());
  }
}
