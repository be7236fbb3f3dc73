#include "view/AnalysisWindow.h"

AnalysisWindow::AnalysisWindow(const Session& session, UserDialogs& dialogs, QWidget* owner)
    : QWidget(owner, Qt::Window), session_(session), dialogs_(dialogs) {}

QString AnalysisWindow::RecordingChangedNotice() {
  return QStringLiteral("Запись изменилась. Нажмите F5 («Вычислить»), чтобы обновить анализ.");
}
