// The printed report: the chart in print colours with the interval and the
// main values in its footer, shown in the print preview.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class ChartSurface;
class QWidget;
class TChartHelper;
class UserDialogs;

// The four footer lines from the interval as the tool row shows it, its
// length in seconds and the parameter list's cells (row, column).
QStringList ReportFooterLines(const QString& startText, const QString& stopText,
                              long double spanSeconds,
                              const std::function<QString(int row, int column)>& cell);

// Prepares the chart for paper, shows the print preview, and gives the chart
// back its screen look, its section point and a hidden, empty footer on every
// path, also when the preview fails.
void PrintReport(ChartSurface& chart, TChartHelper& helper, UserDialogs& dialogs, QWidget* owner,
                 const QStringList& footer);
