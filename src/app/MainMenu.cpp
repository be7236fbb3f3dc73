// The command map: every menu item with its caption, shortcut, check mark and
// visibility, and the buttons that start the same commands.
#include <QAction>
#include <QCheckBox>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

#include "app/Main.h"

namespace {

enum ItemFlag { Shown = 0, Hidden = 1, Disabled = 2, Toggles = 4 };

}  // namespace

void TMainForm::BuildMenu() {
  menuBar()->setObjectName(QStringLiteral("MainMenu1"));
  QMenu* menu = nullptr;
  auto item = [&](QAction*& action, const char* name, const char* caption, QKeySequence shortcut,
                  void (TMainForm::*handler)(), int flags = Shown) {
    action = menu->addAction(QString::fromUtf8(caption));
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(shortcut);
    action->setCheckable(flags & Toggles);
    action->setVisible(!(flags & Hidden));
    action->setEnabled(!(flags & Disabled));
    if (handler != nullptr)
      connect(action, &QAction::triggered, this, [this, handler] { Run(handler); });
  };
  auto separator = [&](QAction*& action, const char* name, int flags = Shown) {
    action = menu->addSeparator();
    action->setObjectName(QString::fromLatin1(name));
    action->setVisible(!(flags & Hidden));
  };
  const QKeySequence none;

  menu = menuBar()->addMenu(QStringLiteral("&Файл"));
  item(ImportFile, "ImportFile", "&Импорт файла из TORVIK", QKeySequence(Qt::CTRL | Qt::Key_O),
       &TMainForm::ImportFileClick);
  item(OpenFileMenu, "OpenFileMenu", "&Открыть", none, &TMainForm::OpenFileMenuClick,
       Hidden | Disabled);
  separator(N3, "N3", Hidden);
  item(SaveFileMenu, "SaveFileMenu", "&Сохранить", QKeySequence(Qt::CTRL | Qt::Key_S),
       &TMainForm::SaveFileMenuClick, Hidden | Disabled);
  item(SaveAs, "SaveAs", "&Сохранить выбранный участок файла", none, nullptr, Hidden | Disabled);
  separator(N2, "N2");
  item(Print, "Print", "&Print", QKeySequence(Qt::CTRL | Qt::Key_P), &TMainForm::PrintClick);
  item(PrintSetup, "PrintSetup", "&Экспорт", none, &TMainForm::PrintSetupClick, Hidden);
  separator(N1, "N1");
  item(MenuExit, "MenuExit", "&Выход", none, &TMainForm::ExitClick);

  menu = menuBar()->addMenu(QStringLiteral("Вид"));
  menu->setObjectName(QStringLiteral("VID1"));
  item(AccelX_line, "AccelX_line", "Ускорение по оси < X >", none, &TMainForm::UpdateGraph,
       Toggles);
  item(AccelY_line, "AccelY_line", "Ускорение по оси < Y >", none, &TMainForm::UpdateGraph,
       Toggles);
  item(AccelZ_line, "AccelZ_line", "Ускорение по оси < Z >", none, &TMainForm::UpdateGraph,
       Toggles);
  separator(N14, "N14");
  item(Speed_X_Line, "Speed_X_Line", "Линейная скорость по оси < X >", none,
       &TMainForm::UpdateGraph, Toggles);
  separator(N11, "N11");
  item(Vibro_X_Line, "Vibro_X_Line", "Виброскорость по оси < X >", none, &TMainForm::UpdateGraph,
       Toggles);
  separator(N15, "N15");
  item(Temperature_line, "Temperature_line", "График текмпературы", none, &TMainForm::UpdateGraph,
       Toggles);
  separator(N8, "N8");
  item(AutoFit1, "AutoFit1", "Вместить по вертикали", none, &TMainForm::AutoFit1Click);
  item(N13, "N13", "Вместить всё", none, &TMainForm::N13Click);

  menu = menuBar()->addMenu(QStringLiteral("Настройка"));
  item(Calculate_propert, "Calculate_propert", "Предустановки измерения", none,
       &TMainForm::Calculate_propertClick);
  item(Boundslevel_check, "Boundslevel_check", "Отображать пороговые уровни ускорения", none,
       &TMainForm::UpdateGraph, Toggles);

  menu = menuBar()->addMenu(QStringLiteral("Параметры"));
  item(Calculate, "Calculate", "Вычислить", QKeySequence(Qt::Key_F5), &TMainForm::CalculateClick);
  item(SpyData, "SpyData", "Следить за курсором №2", QKeySequence(Qt::Key_F4),
       &TMainForm::SpyDataClick, Toggles);
  item(N10, "N10", "Fс для ФВЧ (виброскорость)", none, &TMainForm::N10Click);
  item(N16, "N16", "Обрезать до выделеной области", QKeySequence(Qt::Key_F9),
       &TMainForm::Button1Click);

  menu = menuBar()->addMenu(QStringLiteral("Обработка"));
  item(LinSpeed, "LinSpeed", "Линейная скорость по оси X", none, &TMainForm::LinSpeedClick, Hidden);
  item(Speed_corr_routine, "Speed_corr_routine", "Коррекция графика линейной скорости", none,
       &TMainForm::Speed_corr_routineClick, Hidden);
  separator(N6, "N6", Hidden);
  item(N4, "N4", "Виброскорость (X, Y,Z) + фильтр ВЧ ", none, &TMainForm::N4Click, Hidden);
  separator(N12, "N12", Hidden);
  item(Smooth, "Smooth", "Поврот графика скорости", QKeySequence(Qt::Key_F11),
       &TMainForm::Speed_corr_routineClick);
  separator(N9, "N9", Hidden);

  BuildAnalysisMenu();

  menu = menuBar()->addMenu(QStringLiteral("&Help"));
  item(N17, "N17", "О программе", none, &TMainForm::N17Click);

  connect(Button1, &QPushButton::clicked, this, [this] { Run(&TMainForm::Button1Click); });
  connect(ZoomToFit, &QPushButton::clicked, this,
          [this] { Run(&TMainForm::Speed_corr_routineClick); });
  connect(Inversion_chek_box, &QCheckBox::clicked, this,
          [this] { Run(&TMainForm::Inversion_chek_boxClick); });
}
