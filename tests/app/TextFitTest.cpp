// Every text of every window, as the eye sees it: a walk over the visible
// widgets that reports any text wider or taller than the room its widget
// gives it, or covered by a neighbour, on the fonts the program installs.
#include <gtest/gtest.h>

#include <QFontInfo>

#include "support/StartedProgram.h"
#include "support/TextsCutOff.h"
#include "text/NumberText.h"
#include "ui/FormLayout.h"
#include "view/About.h"
#include "view/ChartHlp.h"
#include "view/ChartSurface.h"
#include "view/IntervalDialog.h"

using textfit::Lines;
using textfit::TextsCutOff;

// The main window with a computed interval and a full readout, tracking on
// so that its warning shows, and the three dialogs as they open.
TEST(TextsFit, EveryWindowShowsItsWholeTexts) {
  const QString family = QFontInfo(PixelFont(11)).family();
  EXPECT_TRUE(family == QStringLiteral("DejaVu Sans") ||
              family == QStringLiteral("Liberation Sans"))
      << family.toStdString();
  DecimalSeparatorScope point('.');
  StartedProgram program;
  TempFile recording("text_fit_probe.dat", LoggerBytes(400, 5, 3));
  program.dialogs.openAnswers.push_back(recording.path());
  TMainForm& form = program.form();
  form.ImportFile->trigger();
  for (QAction* item : {form.AccelY_line, form.AccelZ_line, form.Vibro_X_Line}) item->trigger();
  form.ChartHelper->SetSection(ChartPoint{1.5, -12.5});
  form.CHART->Repaint();
  const QPoint at(form.CHART->PlotRect().right() - 3, form.CHART->PlotRect().bottom() - 3);
  QMouseEvent move(QEvent::MouseMove, at, form.CHART->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                   Qt::NoModifier);
  QApplication::sendEvent(form.CHART, &move);
  form.SpyData->trigger();
  ASSERT_FALSE(form.StatusPanels[5]->text().isEmpty());
  ASSERT_FALSE(program.cell(4, 3).isEmpty());
  EXPECT_TRUE(TextsCutOff(form).isEmpty()) << Lines(TextsCutOff(form));

  // In ADC codes the readout's values have five digits before the point.
  program.windows->ParamForm->Output_in_codes->setChecked(true);
  form.SetupGraf();
  form.CHART->Repaint();
  QApplication::sendEvent(form.CHART, &move);
  ASSERT_TRUE(
      form.StatusPanels[1]->text().contains(QRegularExpression(QStringLiteral("[0-9]{5}\\."))))
      << form.StatusPanels[1]->text().toStdString();
  EXPECT_TRUE(TextsCutOff(form).isEmpty()) << Lines(TextsCutOff(form));

  // Before any readout the fixed notes of the status bar show.
  StartedProgram fresh;
  EXPECT_TRUE(TextsCutOff(fresh.form()).isEmpty()) << Lines(TextsCutOff(fresh.form()));

  QStringList dialogs;
  for (QDialog* dialog : std::initializer_list<QDialog*>{
           program.windows->ParamForm.get(), program.windows->SmoothingPropertiesDlg.get(),
           program.windows->AboutForm.get()}) {
    dialog->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(dialog));
    dialogs << TextsCutOff(*dialog);
    dialog->hide();
  }
  EXPECT_TRUE(dialogs.isEmpty()) << Lines(dialogs);
}

// "Интервал…" with the longest times of a full recording.
TEST(TextsFit, TheIntervalDialogShowsItsWholeTexts) {
  StartedProgram program;
  IntervalDialog dialog(program.dialogs, Recording::kFullCapacity, QStringLiteral("1499.998"),
                        QStringLiteral("1499.999"), &program.form());
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
  EXPECT_TRUE(TextsCutOff(dialog).isEmpty()) << Lines(TextsCutOff(dialog));
}
