// The started program with a generated recording and its analysis windows
// open, and the gestures a user makes in them.
#pragma once

#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QStringList>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>

#include "support/StartedProgram.h"
#include "view/DropsPage.h"
#include "view/ShockEventsWindow.h"
#include "view/SpectraWindow.h"

// A press, then the double-click, as the window system delivers them.
inline void DoubleClick(QWidget* widget, QPoint at) {
  for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                            QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}) {
    QMouseEvent event(type, at, widget->mapToGlobal(at), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
  }
}

// A double-click on a row of a table, as the user aims it: at a cell's middle.
inline void DoubleClickRow(QTableWidget& table, int row) {
  DoubleClick(table.viewport(), table.visualRect(table.model()->index(row, 0)).center());
}

// Text typed over a box's text, then Enter.
inline void Type(QLineEdit& edit, const QString& text) {
  edit.selectAll();
  QTest::keyClicks(&edit, text);
  QTest::keyClick(&edit, Qt::Key_Return);
}

// Text typed into a number box that must refuse it: one warning that quotes
// it and names `range` (when given), and the box keeps the value in force.
inline void ExpectRefusedTyping(FakeUserDialogs& dialogs, QLineEdit& edit, const QString& typed,
                                const QString& range = {}) {
  SCOPED_TRACE(typed.toStdString());
  dialogs.Clear();
  const QString before = edit.text();
  Type(edit, typed);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].kind, FakeUserDialogs::Kind::Warning);
  const QString text = dialogs.shown[0].text;
  EXPECT_TRUE(text.contains(QStringLiteral("«%1» не принято").arg(typed))) << text.toStdString();
  if (!range.isEmpty()) {
    EXPECT_TRUE(text.contains(range)) << text.toStdString();
  }
  EXPECT_EQ(edit.text(), before);
}

inline QStringList ColumnTexts(const QTableWidget& table, int column) {
  QStringList texts;
  for (int row = 0; row < table.rowCount(); ++row) texts << table.item(row, column)->text();
  return texts;
}

// A started program that has imported a recording of these options and
// opened the window "События".
struct EventsProgram : LoadedProgram {
  explicit EventsProgram(const loggen::LoggerFileOptions& options,
                         const std::string& name = "events_program.dat")
      : LoadedProgram(loggen::MakeLoggerFile(options), name) {
    form().ShockEventsItem->trigger();
  }
  ShockEventsWindow& window() { return *form().findChild<ShockEventsWindow*>(); }
  QTableWidget& table() { return *window().Table; }
  QTableWidget& dropTable() { return *window().DropPage->Table; }
  // The interval between two times, then "Вычислить" (F5).
  void Calculate(double from, double to) {
    form().SelectInterval(from, to);
    QTest::keyClick(&form(), Qt::Key_F5);
  }
  QStringList Column(int column) { return ColumnTexts(table(), column); }
};
