#include "view/AnalysisWindow.h"

#include "ui/ProgramSettings.h"

namespace {

const QString kPlaceKey = QStringLiteral("geometry");

}  // namespace

AnalysisWindow::AnalysisWindow(const Session& session, UserDialogs& dialogs, QWidget* owner,
                               const QString& name)
    : QWidget(owner, Qt::Window), session_(session), dialogs_(dialogs) {
  setObjectName(name);
}

// The program ends with its windows open: they keep where they are.
AnalysisWindow::~AnalysisWindow() {
  if (isVisible()) KeepPlace();
}

QString AnalysisWindow::RecordingChangedNotice() {
  return QStringLiteral("Запись изменилась. Нажмите F5 («Вычислить»), чтобы обновить анализ.");
}

void AnalysisWindow::RestorePlace(QSize size) {
  const QByteArray place = ProgramSettings()->value(objectName() + u'/' + kPlaceKey).toByteArray();
  if (place.isEmpty() || !restoreGeometry(place)) resize(size);
}

double AnalysisWindow::KeptNumber(const QString& key, double fallback) const {
  bool number = false;
  const double value = ProgramSettings()->value(objectName() + u'/' + key).toDouble(&number);
  return number ? value : fallback;
}

void AnalysisWindow::KeepNumber(const QString& key, double value) const {
  ProgramSettings()->setValue(objectName() + u'/' + key, value);
}

void AnalysisWindow::hideEvent(QHideEvent* event) {
  KeepPlace();
  QWidget::hideEvent(event);
}

void AnalysisWindow::KeepPlace() const {
  ProgramSettings()->setValue(objectName() + u'/' + kPlaceKey, saveGeometry());
}
