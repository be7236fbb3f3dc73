// The window right after start, and its command map.
#include <gtest/gtest.h>

#include <QMenuBar>
#include <QPushButton>
#include <QTest>

#include "MainTestSupport.h"
#include "view/ChartSurface.h"

TEST(MainWindowStart, CaptionPanelsAndRows) {
  StartedProgram program;
  TMainForm& form = program.form();
  EXPECT_EQ(form.windowTitle(), QStringLiteral("TORVIK ->   "));
  EXPECT_EQ(form.StartPoint->text(), QStringLiteral("0"));
  EXPECT_EQ(form.StopPoint->text(), QStringLiteral("1"));
  EXPECT_EQ(form.size(), QSize(1153, 704));
  const QStringList names = {"Вибр. ускор. < X >", "Вибр. ускор. < Y >", "Вибр. ускор. < Z >",
                             "Вибр. скорость < X >", "Лин.   скорость < X >"};
  for (int row = 0; row < 5; ++row) {
    EXPECT_EQ(program.cell(row, 0), names[row]);
    for (int column = 1; column < 5; ++column) EXPECT_TRUE(program.cell(row, column).isEmpty());
  }
  EXPECT_EQ(form.ParamViews->horizontalHeaderItem(4)->text(), QStringLiteral("СКО"));
  EXPECT_EQ(program.data().SampleCount, 1u);
  for (int i = 0; i < 8; ++i) EXPECT_EQ(form.Series[i]->PointCount(), 0u);
  EXPECT_FALSE(form.SpayDataLabel->isVisible());
  EXPECT_EQ(form.ZoomToFit->text(), QStringLiteral("Корр. скорости "));
  EXPECT_EQ(form.Button1->text(), QStringLiteral("Обрезать (F9)"));
}

TEST(MainWindowStart, MenuItemsShortcutsAndVisibility) {
  StartedProgram program;
  TMainForm& form = program.form();
  struct Expected {
    QAction* action;
    const char* caption;
    QKeySequence shortcut;
    bool visible;
    bool enabled;
    bool checkable;
  };
  const QKeySequence none;
  const Expected items[] = {
      {form.ImportFile, "&Импорт файла из TORVIK", QKeySequence("Ctrl+O"), true, true, false},
      {form.OpenFileMenu, "&Открыть", none, false, false, false},
      {form.SaveFileMenu, "&Сохранить", QKeySequence("Ctrl+S"), false, false, false},
      {form.SaveAs, "&Сохранить выбранный участок файла", none, false, false, false},
      {form.Print, "&Print", QKeySequence("Ctrl+P"), true, true, false},
      {form.PrintSetup, "&Экспорт", none, false, true, false},
      {form.MenuExit, "&Выход", none, true, true, false},
      {form.AccelX_line, "Ускорение по оси < X >", none, true, true, true},
      {form.Temperature_line, "График текмпературы", none, true, true, true},
      {form.AutoFit1, "Вместить по вертикали", none, true, true, false},
      {form.N13, "Вместить всё", none, true, true, false},
      {form.Calculate_propert, "Предустановки измерения", none, true, true, false},
      {form.Boundslevel_check, "Отображать пороговые уровни ускорения", none, true, true, true},
      {form.Calculate, "Вычислить", QKeySequence("F5"), true, true, false},
      {form.SpyData, "Следить за курсором №2", QKeySequence("F4"), true, true, true},
      {form.N10, "Fс для ФВЧ (виброскорость)", none, true, true, false},
      {form.N16, "Обрезать до выделеной области", QKeySequence("F9"), true, true, false},
      {form.LinSpeed, "Линейная скорость по оси X", none, false, true, false},
      {form.Speed_corr_routine, "Коррекция графика линейной скорости", none, false, true, false},
      {form.N4, "Виброскорость (X, Y,Z) + фильтр ВЧ ", none, false, true, false},
      {form.Smooth, "Поврот графика скорости", QKeySequence("F11"), true, true, false},
      {form.N17, "О программе", none, true, true, false},
  };
  for (const Expected& e : items) {
    SCOPED_TRACE(e.caption);
    EXPECT_EQ(e.action->text(), QString::fromUtf8(e.caption));
    EXPECT_EQ(e.action->shortcut(), e.shortcut);
    EXPECT_EQ(e.action->isVisible(), e.visible);
    if (e.visible) {  // hidden items are never reached
      EXPECT_EQ(e.action->isEnabled(), e.enabled);
    }
    EXPECT_EQ(e.action->isCheckable(), e.checkable);
    EXPECT_FALSE(e.action->isChecked());
  }
  QStringList menus;
  for (QAction* menu : form.menuBar()->actions()) menus << menu->text();
  EXPECT_EQ(menus, QStringList(
                       {"&Файл", "Вид", "Настройка", "Параметры", "Обработка", "Анализ", "&Help"}));
}

TEST(MainWindowStart, ShortcutsReachTheirCommands) {
  StartedProgram program;
  TMainForm& form = program.form();
  QTest::keyClick(&form, Qt::Key_F4);
  EXPECT_TRUE(form.SpyData->isChecked());
  EXPECT_TRUE(form.SpayDataLabel->isVisible());
  QTest::keyClick(&form, Qt::Key_F4);
  EXPECT_FALSE(form.SpayDataLabel->isVisible());
  // Ctrl+S belongs to a hidden, disabled item: nothing is asked.
  QTest::keyClick(&form, Qt::Key_S, Qt::ControlModifier);
  EXPECT_TRUE(program.dialogs.saveRequests.empty());
  // Ctrl+O asks for a logger file; cancelling changes nothing.
  QTest::keyClick(&form, Qt::Key_O, Qt::ControlModifier);
  ASSERT_EQ(program.dialogs.openRequests.size(), 1u);
  EXPECT_EQ(program.dialogs.openRequests[0].filter, QStringLiteral("Torvik bin files (*.dat)"));
  EXPECT_EQ(program.dialogs.openRequests[0].defaultSuffix, QStringLiteral("dat"));
  EXPECT_EQ(form.windowTitle(), QStringLiteral("TORVIK ->   "));
}

TEST(MainWindowStart, ExitClosesTheWindow) {
  StartedProgram program;
  program.form().MenuExit->trigger();
  EXPECT_FALSE(program.form().isVisible());
}
