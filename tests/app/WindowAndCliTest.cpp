// The window and torvik-cli work through the same session: for one file and
// one interval they show the same numbers.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QTableWidget>

#include "cli/CliProcess.h"
#include "support/StartedProgram.h"
#include "text/NumberText.h"
#include "view/ShockEventsWindow.h"

TEST(WindowAndCli, OneFileAndIntervalGiveTheSameRowsAndEvents) {
  DecimalSeparatorScope point('.');  // the tool writes points; so does the window now
  LoadedProgram program(loggen::MakeLoggerFile(ShockOptions()), "agree.dat");
  TMainForm& form = program.form();
  for (QAction* curve : {form.AccelY_line, form.AccelZ_line, form.Vibro_X_Line})
    curve->setChecked(true);
  form.ShockEventsItem->trigger();
  form.SelectInterval(1.25, 8.5);
  form.Calculate->trigger();

  const CliResult params = RunCli({"params", "--from", "1.25", "--to", "8.5", program.file.path()});
  ASSERT_EQ(params.exitCode, 0) << params.err.toStdString();
  const QJsonArray rows = params.objects().at(0)["rows"].toArray();
  ASSERT_EQ(rows.size(), 5);
  for (int row = 0; row < 5; ++row) {
    const QJsonArray texts = rows[row].toObject()["texts"].toArray();
    for (int column = 1; column <= 4; ++column) {
      EXPECT_EQ(program.cell(row, column), texts[column - 1].toString()) << row << ", " << column;
    }
  }

  const CliResult events = RunCli({"events", "--from", "1.25", "--to", "8.5", program.file.path()});
  ASSERT_EQ(events.exitCode, 0) << events.err.toStdString();
  const QJsonArray found = events.objects().at(0)["events"].toArray();
  const QTableWidget& table = *form.findChild<ShockEventsWindow*>()->Table;
  ASSERT_GT(found.size(), 0);
  ASSERT_EQ(table.rowCount(), found.size());
  for (int row = 0; row < table.rowCount(); ++row) {
    const QJsonObject e = found[row].toObject();
    EXPECT_EQ(table.item(row, 0)->text(), e["channel"].toString()) << row;
    EXPECT_EQ(table.item(row, 3)->text(),
              QString::fromStdString(FormatFixed(e["peak"].toDouble(), 15, 2)))
        << row;
  }
}
