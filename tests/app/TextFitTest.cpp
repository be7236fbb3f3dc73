// Every text of every window, as the eye sees it: a walk over the visible
// widgets that reports any text wider or taller than the room its widget
// gives it, or covered by a neighbour, on the fonts the program installs.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QFontInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTabBar>
#include <QTableWidget>

#include "support/StartedProgram.h"
#include "text/NumberText.h"
#include "ui/FormLayout.h"
#include "view/About.h"
#include "view/ChartHlp.h"
#include "view/ChartSurface.h"
#include "view/IntervalDialog.h"

namespace {

// The room a text needs in a widget of this kind, or an empty size when the
// widget shows no text of its own.
QSize NeededRoom(const QWidget& widget) {
  const QFontMetrics metrics(widget.font());
  if (const auto* label = qobject_cast<const QLabel*>(&widget)) {
    if (label->text().isEmpty()) return {};
    if (label->wordWrap()) return {label->width(), label->heightForWidth(label->width())};
    return label->sizeHint();
  }
  if (const auto* check = qobject_cast<const QCheckBox*>(&widget)) return check->sizeHint();
  if (const auto* button = qobject_cast<const QPushButton*>(&widget)) {
    // The room is what the style leaves inside the button's bevel.
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    const QRect inside =
        button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
    return QSize(metrics.horizontalAdvance(button->text()), metrics.height()) +
           (button->size() - inside.size());
  }
  if (const auto* edit = qobject_cast<const QLineEdit*>(&widget)) {
    // The edit's own frame and inner margin of 2 pixels on each side.
    return {metrics.horizontalAdvance(edit->text()) + 2 * 2 + 2 * 2, metrics.height() + 2};
  }
  return {};
}

QString Describe(const QWidget& widget, const QString& text, QSize needed, QSize room) {
  return QStringLiteral("%1 \"%2\" needs %3×%4, has %5×%6")
      .arg(widget.objectName(), text)
      .arg(needed.width())
      .arg(needed.height())
      .arg(room.width())
      .arg(room.height());
}

QString TextOf(const QWidget& widget) {
  if (const auto* label = qobject_cast<const QLabel*>(&widget)) return label->text();
  if (const auto* button = qobject_cast<const QAbstractButton*>(&widget)) return button->text();
  if (const auto* edit = qobject_cast<const QLineEdit*>(&widget)) return edit->text();
  return {};
}

// The cells and header sections of a list: each text within its column.
void CheckTable(const QTableWidget& table, QStringList& cut) {
  const int cellMargin = 2 * (table.style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1);
  const QFontMetrics cellMetrics(table.font());
  for (int row = 0; row < table.rowCount(); ++row) {
    for (int column = 0; column < table.columnCount(); ++column) {
      const QTableWidgetItem* item = table.item(row, column);
      if (item == nullptr || item->text().isEmpty()) continue;
      const int needed = cellMetrics.horizontalAdvance(item->text()) + cellMargin;
      const int room = table.columnWidth(column) - (table.showGrid() ? 1 : 0);
      if (needed > room) {
        cut << Describe(table, item->text(), {needed, 0}, {room, table.rowHeight(row)});
      }
    }
  }
  const QHeaderView& header = *table.horizontalHeader();
  const int headerMargin = 2 * header.style()->pixelMetric(QStyle::PM_HeaderMargin);
  for (int column = 0; column < table.columnCount(); ++column) {
    const QString text = table.horizontalHeaderItem(column)->text();
    const int needed = QFontMetrics(header.font()).horizontalAdvance(text) + headerMargin;
    if (needed > header.sectionSize(column)) {
      cut << Describe(header, text, {needed, 0}, {header.sectionSize(column), header.height()});
    }
  }
}

void CheckTabs(const QTabBar& bar, QStringList& cut) {
  for (int i = 0; i < bar.count(); ++i) {
    const int needed = QFontMetrics(bar.font()).horizontalAdvance(bar.tabText(i));
    const QRect tab = bar.tabRect(i);
    if (needed > tab.width() || !bar.rect().contains(tab)) {
      cut << Describe(bar, bar.tabText(i), {needed, 0}, tab.size());
    }
  }
}

// Every visible text of `window` that does not fit, one line each.
QStringList TextsCutOff(QWidget& window) {
  QStringList cut;
  for (QWidget* widget : window.findChildren<QWidget*>()) {
    if (!widget->isVisibleTo(&window)) continue;
    if (const auto* table = qobject_cast<QTableWidget*>(widget)) CheckTable(*table, cut);
    if (const auto* bar = qobject_cast<QTabBar*>(widget)) CheckTabs(*bar, cut);
    const QSize needed = NeededRoom(*widget);
    if (needed.isEmpty()) continue;
    const QString text = TextOf(*widget);
    if (needed.width() > widget->width() || needed.height() > widget->height()) {
      cut << Describe(*widget, text, needed, widget->size());
    }
    // Within its parent, and not under a neighbour.
    const QWidget* parent = widget->parentWidget();
    const QRect shown(widget->geometry().topLeft(), needed);
    if (!parent->rect().contains(shown)) {
      cut << Describe(*widget, text + QStringLiteral(" (beyond its window)"), needed,
                      parent->size());
    }
    for (const QWidget* sibling : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      if (sibling != widget && sibling->isVisibleTo(&window) &&
          sibling->geometry().intersects(shown) && !sibling->geometry().contains(shown) &&
          !shown.contains(sibling->geometry()) && !NeededRoom(*sibling).isEmpty()) {
        cut << Describe(
            *widget, text + QStringLiteral(" (under ") + sibling->objectName() + QLatin1Char(')'),
            needed, widget->size());
      }
    }
  }
  return cut;
}

std::string Lines(const QStringList& lines) {
  return lines.join(QLatin1Char('\n')).toStdString();
}

}  // namespace

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
