// The three pages of the analysis report, each drawn into its area of the
// page in paper units.
#pragma once

#include <QRectF>

class QPainter;
struct AnalysisReport;

void DrawRecordingPage(QPainter& painter, const QRectF& area, const AnalysisReport& report);
void DrawEventsPage(QPainter& painter, const QRectF& area, const AnalysisReport& report);
void DrawSpectraPage(QPainter& painter, const QRectF& area, const AnalysisReport& report);
