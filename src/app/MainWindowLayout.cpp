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

}  // namespace

void TMainForm::BuildControls() {
  auto* central = new QWidget(this);
  auto* column = new QVBoxLayout(central);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  setCentralWidget(central);

  auto* topBar = new QWidget;
  topBar->setFixedHeight(26);
  auto* top = new QHBoxLayout(topBar);
  top->setContentsMargins(4, 1, 4, 1);
  StaticText1 = Named(new QLabel(QStringLiteral("Начало, с")), "StaticText1");
  StartPoint = IntervalPanel("StartPoint", QStringLiteral("0"));
  StaticText2 = Named(new QLabel(QStringLiteral("Окончан., с")), "StaticText2");
  StopPoint = IntervalPanel("StopPoint", QStringLiteral("1"));
  ZoomToFit = Named(new QPushButton(QStringLiteral("Корр. скорости ")), "ZoomToFit");
  Button1 = Named(new QPushButton(QStringLiteral("Обрезать (F9)")), "Button1");
  for (QWidget* w : {static_cast<QWidget*>(StaticText1), static_cast<QWidget*>(StartPoint),
                     static_cast<QWidget*>(StaticText2), static_cast<QWidget*>(StopPoint),
                     static_cast<QWidget*>(ZoomToFit), static_cast<QWidget*>(Button1)}) {
    top->addWidget(w);
  }
  top->addStretch();
  column->addWidget(topBar);

  ProgressBar = Named(new QProgressBar, "ProgressBar");
  ProgressBar->setRange(0, 5000);  // nothing moves it
  ProgressBar->setTextVisible(false);
  ProgressBar->setFixedHeight(12);
  column->addWidget(ProgressBar);

  // The status bar lies between the progress bar and the bottom panel.
  auto* status = Named(new QStatusBar, "StatusBar");
  status->setSizeGripEnabled(false);
  // Panels 4 and 6 carry fixed notes until the readout overwrites panel 4.
  const std::array<const char*, 7> fixedTexts = {"", "",   "", "", "Регистратор вибрации и ударов",
                                                 "", "GPL"};
  for (int i = 0; i < 7; ++i) {
    StatusPanels[i] = new QLabel(QString::fromUtf8(fixedTexts[i]));
    StatusPanels[i]->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
    StatusPanels[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    StatusPanels[i]->setFixedWidth(PanelWidth(*StatusPanels[i], i < 6 ? 120 : 50, i < 6));
    status->addWidget(StatusPanels[i]);
  }
  StatusPanels[0]->setAlignment(Qt::AlignCenter);
  column->addWidget(status);

  auto* panel1 = Named(new QWidget, "Panel1");
  panel1->setFixedHeight(121);
  auto* bottom = new QHBoxLayout(panel1);
  bottom->setContentsMargins(0, 0, 0, 0);

  ParamViews = Named(new QTableWidget(5, 5), "ParamViews");
  ParamViews->setHorizontalHeaderLabels({QStringLiteral("Параметр"), QStringLiteral("Минимум"),
                                         QStringLiteral("Максимум"), QStringLiteral("Среднее"),
                                         QStringLiteral("СКО")});
  ParamViews->verticalHeader()->hide();
  ParamViews->setShowGrid(true);
  ParamViews->setFont(PixelFont(15, QStringLiteral("Arial")));
  ParamViews->setToolTip(QStringLiteral("Параметры"));
  ParamViews->setEditTriggers(QAbstractItemView::NoEditTriggers);
  ParamViews->setSelectionBehavior(QAbstractItemView::SelectRows);
  ParamViews->horizontalHeader()->setSectionsClickable(false);
  // Five rows and the header fit the 121-pixel panel without scrolling.
  ParamViews->verticalHeader()->setMinimumSectionSize(17);
  ParamViews->verticalHeader()->setDefaultSectionSize(17);
  ParamViews->horizontalHeader()->setFixedHeight(20);
  ParamViews->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  for (int c = 0; c < 5; ++c) ParamViews->setColumnWidth(c, 150);
  for (int r = 0; r < 5; ++r) {
    for (int c = 0; c < 5; ++c) ParamViews->setItem(r, c, new QTableWidgetItem);
  }
  bottom->addWidget(ParamViews, 1);

  TabbedNotebook1 = Named(new QTabWidget, "TabbedNotebook1");
  Inversion_chek_box = Named(new QCheckBox(QStringLiteral("Инверсия измерительной оси < Х >")),
                             "Inversion_chek_box");
  SpayDataLabel = Named(new QLabel(QStringLiteral("ВНИМАНИЕ! Включен режим слежения за курсором!")),
                        "SpayDataLabel");
  SpayDataLabel->setStyleSheet(QStringLiteral("color: rgb(255,0,0);"));
  SpayDataLabel->hide();
  TabbedNotebook1->addTab(PageWith({Inversion_chek_box, SpayDataLabel}),
                          QStringLiteral("Параметры "));
  Memo1 = Named(new QPlainTextEdit, "Memo1");
  Memo1->setFont(PixelFont(11));
  Memo1->setStyleSheet(QStringLiteral("color: rgb(255,0,0);"));
  Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Memo1->setToolTip(QStringLiteral("Результаты превышения порогового уровня"));
  TabbedNotebook1->addTab(PageWith({Memo1}), QStringLiteral("Превышения"));
  // Wide enough for the warning that shows while tracking, on our fonts:
  // the hidden warning keeps its room in the page.
  QSizePolicy keepRoom = SpayDataLabel->sizePolicy();
  keepRoom.setRetainSizeWhenHidden(true);
  SpayDataLabel->setSizePolicy(keepRoom);
  TabbedNotebook1->setFixedWidth(std::max(330, TabbedNotebook1->minimumSizeHint().width()));
  bottom->addWidget(TabbedNotebook1);

  // The calibration of the last imported file, kept out of sight.
  auto hiddenEdit = [&](const char* name) {
    auto* edit = Named(new QLineEdit(QStringLiteral("0"), panel1), name);
    edit->hide();
    return edit;
  };
  G_value_edit = hiddenEdit("G_value_edit");
  G_value_edit->setEnabled(false);
  X_Code_0g_edit = hiddenEdit("X_Code_0g_edit");
  X_Gain_edit = hiddenEdit("X_Gain_edit");
  Y_Code_0g_edit = hiddenEdit("Y_Code_0g_edit");
  Y_Gain_Edit = hiddenEdit("Y_Gain_Edit");
  Z_Code_0g_edit = hiddenEdit("Z_Code_0g_edit");
  Z_Gain_edit = hiddenEdit("Z_Gain_edit");
  column->addWidget(panel1);

  resize(1153, 704);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->availableGeometry().center() - frameGeometry().center());
  }
}
