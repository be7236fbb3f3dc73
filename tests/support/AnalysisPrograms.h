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
