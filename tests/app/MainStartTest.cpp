// The window right after start, and its command map.
#include <gtest/gtest.h>

#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <utility>
#include <vector>

#include "support/StartedProgram.h"
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
  EXPECT_FALSE(form.TrackingLabel->isVisible());
  EXPECT_EQ(form.SpeedCorrectionButton->text(), QStringLiteral("Корр. скорости "));
  EXPECT_EQ(form.CropButton->text(), QStringLiteral("Обрезать (F9)"));
}

namespace {

// A menu as the user sees it when it opens: its visible items in order, a
// separator as "---", a shortcut after a tab, a check box as "[ ]" or "[x]"
// and a greyed item marked "(disabled)".
QStringList SeenItems(const QMenu& menu) {
  QStringList seen;
  for (const QAction* action : menu.actions()) {
    if (!action->isVisible()) continue;
    if (action->isSeparator()) {
      seen << QStringLiteral("---");
      continue;
    }
    QString line = action->text();
    if (action->isCheckable()) line.prepend(action->isChecked() ? "[x] " : "[ ] ");
    if (!action->shortcut().isEmpty()) line += QLatin1Char('\t') + action->shortcut().toString();
    if (!action->isEnabled()) line += QStringLiteral(" (disabled)");
    seen << line;
  }
  return seen;
}

}  // namespace

TEST(MainWindowStart, TheMenusAUserSees) {
  StartedProgram program;
  const std::vector<std::pair<QString, QStringList>> expected = {
      {"&Файл",
       {"&Импорт файла из TORVIK\tCtrl+O", "Последние файлы (disabled)", "---", "&Print\tCtrl+P",
        "Отчёт об анализе (PDF)…", "---", "&Выход"}},
      {"Вид",
       {"[ ] Ускорение по оси < X >", "[ ] Ускорение по оси < Y >", "[ ] Ускорение по оси < Z >",
        "---", "[ ] Линейная скорость по оси < X >", "---", "[ ] Виброскорость по оси < X >", "---",
        "[ ] График текмпературы", "---", "Вместить по вертикали", "Вместить всё"}},
      {"Настройка", {"Предустановки измерения", "[ ] Отображать пороговые уровни ускорения"}},
      {"Параметры",
       {"Вычислить\tF5", "[ ] Следить за курсором №2\tF4", "Fс для ФВЧ (виброскорость)",
        "Обрезать до выделеной области\tF9", "Отменить обрезку\tCtrl+Z (disabled)"}},
      {"Обработка", {"Поврот графика скорости\tF11"}},
      {"Анализ",
       {"События по всем осям", "Спектр и ударный спектр", "---", "Интервал…\tCtrl+I",
        "Экспорт данных интервала…"}},
      {"&Help", {"О программе"}},
  };
  const QList<QAction*> menus = program.form().menuBar()->actions();
  ASSERT_EQ(menus.size(), static_cast<qsizetype>(expected.size()));
  for (std::size_t i = 0; i < expected.size(); ++i) {
    const QAction* menu = menus[static_cast<qsizetype>(i)];
    EXPECT_EQ(menu->text(), expected[i].first);
    ASSERT_NE(menu->menu(), nullptr);
    EXPECT_EQ(SeenItems(*menu->menu()), expected[i].second) << expected[i].first.toStdString();
  }
}

TEST(MainWindowStart, ShortcutsReachTheirCommands) {
  StartedProgram program;
  TMainForm& form = program.form();
  QTest::keyClick(&form, Qt::Key_F4);
  EXPECT_TRUE(form.SpyData->isChecked());
  EXPECT_TRUE(form.TrackingLabel->isVisible());
  QTest::keyClick(&form, Qt::Key_F4);
  EXPECT_FALSE(form.TrackingLabel->isVisible());
  // Ctrl+S belongs to a hidden, disabled item: nothing is asked.
  QTest::keyClick(&form, Qt::Key_S, Qt::ControlModifier);
  EXPECT_TRUE(program.dialogs.saveRequests.empty());
  // Ctrl+O asks for a logger file; cancelling changes nothing.
  QTest::keyClick(&form, Qt::Key_O, Qt::ControlModifier);
  ASSERT_EQ(program.dialogs.openRequests.size(), 1u);
  EXPECT_EQ(program.dialogs.openRequests[0].filter, QStringLiteral("Torvik bin files (*.dat)"));
  EXPECT_EQ(program.dialogs.openRequests[0].defaultSuffix, QStringLiteral("dat"));
  EXPECT_EQ(form.windowTitle(), QStringLiteral("TORVIK ->   "));
  // Ctrl+P opens the print preview.
  QTest::keyClick(&form, Qt::Key_P, Qt::ControlModifier);
  EXPECT_EQ(program.dialogs.previewCount, 1);
  EXPECT_TRUE(program.dialogs.shown.empty());
}

TEST(MainWindowStart, ExitClosesTheWindow) {
  StartedProgram program;
  program.form().MenuExit->trigger();
  EXPECT_FALSE(program.form().isVisible());
}
