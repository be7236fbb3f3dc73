// The command map: every menu item with its caption, shortcut, check mark and
// visibility, and the buttons that start the same commands.
#include <QAction>
#include <QCheckBox>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <span>

#include "app/Main.h"

namespace {

enum ItemFlag { Shown = 0, Hidden = 1, Disabled = 2, Toggles = 4 };

struct MenuItem {
  QAction* TMainForm::*action;  // none: nothing else refers to the item
  const char* name;
  const char* caption;  // none: a separator
  QKeyCombination shortcut;
  void (TMainForm::*handler)();  // none: the item does nothing
  int flags = Shown;
};

struct Menu {
  const char* title;
  const char* name;
  std::span<const MenuItem> items;
};

const QKeyCombination kNone;  // Qt::Key_unknown: no shortcut
const MenuItem kSeparator{nullptr, nullptr, nullptr, kNone, nullptr};
const MenuItem kHiddenSeparator{nullptr, nullptr, nullptr, kNone, nullptr, Hidden};

using F = TMainForm;

const MenuItem kFileItems[] = {
    {&F::ImportFile, "ImportFile", "&Импорт файла из TORVIK", Qt::CTRL | Qt::Key_O,
     &F::ImportFileClick},
    {&F::OpenFileMenu, "OpenFileMenu", "&Открыть", kNone, &F::OpenFileMenuClick, Hidden | Disabled},
    kHiddenSeparator,
    {&F::SaveFileMenu, "SaveFileMenu", "&Сохранить", Qt::CTRL | Qt::Key_S, &F::SaveFileMenuClick,
     Hidden | Disabled},
    {nullptr, "SaveAs", "&Сохранить выбранный участок файла", kNone, nullptr, Hidden | Disabled},
    kSeparator,
    {&F::Print, "Print", "&Print", Qt::CTRL | Qt::Key_P, &F::PrintClick},
    {&F::AnalysisReportItem, "AnalysisReportItem", "Отчёт об анализе (PDF)…", kNone,
     &F::AnalysisReportClick},
    {&F::ChartExportItem, "ChartExportItem", "&Экспорт", kNone, &F::ChartExportClick, Hidden},
    kSeparator,
    {&F::MenuExit, "MenuExit", "&Выход", kNone, &F::ExitClick},
};

const MenuItem kViewItems[] = {
    {&F::AccelX_line, "AccelX_line", "Ускорение по оси < X >", kNone, &F::UpdateGraph, Toggles},
    {&F::AccelY_line, "AccelY_line", "Ускорение по оси < Y >", kNone, &F::UpdateGraph, Toggles},
    {&F::AccelZ_line, "AccelZ_line", "Ускорение по оси < Z >", kNone, &F::UpdateGraph, Toggles},
    kSeparator,
    {&F::Speed_X_Line, "Speed_X_Line", "Линейная скорость по оси < X >", kNone, &F::UpdateGraph,
     Toggles},
    kSeparator,
    {&F::Vibro_X_Line, "Vibro_X_Line", "Виброскорость по оси < X >", kNone, &F::UpdateGraph,
     Toggles},
    kSeparator,
    {&F::Temperature_line, "Temperature_line", "График текмпературы", kNone, &F::UpdateGraph,
     Toggles},
    kSeparator,
    {&F::FitVerticalItem, "FitVerticalItem", "Вместить по вертикали", kNone, &F::FitVerticalClick},
    {&F::FitAllItem, "FitAllItem", "Вместить всё", kNone, &F::FitAllClick},
};

const MenuItem kSettingsItems[] = {
    {&F::PresetsItem, "PresetsItem", "Предустановки измерения", kNone, &F::PresetsClick},
    {&F::Boundslevel_check, "Boundslevel_check", "Отображать пороговые уровни ускорения", kNone,
     &F::UpdateGraph, Toggles},
};

const MenuItem kParameterItems[] = {
    {&F::Calculate, "Calculate", "Вычислить", QKeyCombination(Qt::Key_F5), &F::CalculateClick},
    {&F::SpyData, "SpyData", "Следить за курсором №2", QKeyCombination(Qt::Key_F4),
     &F::SpyDataClick, Toggles},
    {&F::CutoffItem, "CutoffItem", "Fс для ФВЧ (виброскорость)", kNone, &F::CutoffClick},
    {&F::CropItem, "CropItem", "Обрезать до выделеной области", QKeyCombination(Qt::Key_F9),
     &F::CropClick},
    {&F::UndoCropItem, "UndoCropItem", "Отменить обрезку", Qt::CTRL | Qt::Key_Z, &F::UndoCropClick,
     Disabled},
};

const MenuItem kProcessingItems[] = {
    {nullptr, "LinSpeed", "Линейная скорость по оси X", kNone, nullptr, Hidden},
    {&F::Speed_corr_routine, "Speed_corr_routine", "Коррекция графика линейной скорости", kNone,
     &F::Speed_corr_routineClick, Hidden},
    kHiddenSeparator,
    {&F::VibroSpeedRedrawItem, "VibroSpeedRedrawItem", "Виброскорость (X, Y,Z) + фильтр ВЧ ", kNone,
     &F::VibroSpeedRedrawClick, Hidden},
    kHiddenSeparator,
    {&F::SpeedCorrectionItem, "SpeedCorrectionItem", "Поврот графика скорости",
     QKeyCombination(Qt::Key_F11), &F::Speed_corr_routineClick},
    kHiddenSeparator,
};

const MenuItem kHelpItems[] = {
    {&F::AboutItem, "AboutItem", "О программе", kNone, &F::AboutClick},
};

// The menus before "Анализ", then the one after it.
const Menu kMenusBeforeAnalysis[] = {
    {"&Файл", "FileMenu", kFileItems},
    {"Вид", "ViewMenu", kViewItems},
    {"Настройка", "SettingsMenu", kSettingsItems},
    {"Параметры", "ParametersMenu", kParameterItems},
    {"Обработка", "ProcessingMenu", kProcessingItems},
};
const Menu kHelpMenu = {"&Help", "HelpMenu", kHelpItems};

}  // namespace

void TMainForm::BuildMenu() {
  menuBar()->setObjectName(QStringLiteral("MainMenu1"));
  auto build = [this](const Menu& table) {
    QMenu* menu = menuBar()->addMenu(QString::fromUtf8(table.title));
    menu->setObjectName(QString::fromLatin1(table.name));
    for (const MenuItem& row : table.items) {
      QAction* action = row.caption == nullptr ? menu->addSeparator()
                                               : menu->addAction(QString::fromUtf8(row.caption));
      if (row.name != nullptr) action->setObjectName(QString::fromLatin1(row.name));
      if (row.shortcut != kNone) action->setShortcut(QKeySequence(row.shortcut));
      action->setCheckable(row.flags & Toggles);
      action->setVisible(!(row.flags & Hidden));
      action->setEnabled(!(row.flags & Disabled));
      if (row.handler != nullptr) {
        connect(action, &QAction::triggered, this, [this, h = row.handler] { Run(h); });
      }
      if (row.action != nullptr) this->*row.action = action;
    }
  };
  for (const Menu& menu : kMenusBeforeAnalysis) build(menu);
  BuildRecentFilesMenu();
  BuildAnalysisMenu();
  build(kHelpMenu);

  connect(CropButton, &QPushButton::clicked, this, [this] { Run(&TMainForm::CropClick); });
  connect(SpeedCorrectionButton, &QPushButton::clicked, this,
          [this] { Run(&TMainForm::Speed_corr_routineClick); });
  connect(Inversion_chek_box, &QCheckBox::clicked, this,
          [this] { Run(&TMainForm::Inversion_chek_boxClick); });
}
