// The menu "Анализ": analysis windows beside the specified ones, placed
// before "&Help".
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>

#include "analysis/Interval.h"
#include "app/Main.h"
#include "view/SpectraWindow.h"

void TMainForm::BuildAnalysisMenu() {
  QAction* help = nullptr;
  for (QAction* action : menuBar()->actions()) {
    if (action->text() == QStringLiteral("&Help")) help = action;
  }
  auto* menu = new QMenu(QStringLiteral("Анализ"), menuBar());
  menu->setObjectName(QStringLiteral("AnalysisMenu"));
  menuBar()->insertMenu(help, menu);
  SpectraItem = menu->addAction(QStringLiteral("Спектр и ударный спектр"));
  SpectraItem->setObjectName(QStringLiteral("SpectraItem"));
  connect(SpectraItem, &QAction::triggered, this, [this] { Run(&TMainForm::SpectraItemClick); });
}

void TMainForm::SpectraItemClick() {
  if (spectraWindow_ == nullptr) spectraWindow_ = new SpectraWindow(*recording_, dialogs_, this);
  spectraWindow_->show();
  spectraWindow_->raise();
  RefreshSpectra();
}

void TMainForm::RefreshSpectra() {
  if (spectraWindow_ == nullptr || !spectraWindow_->isVisible()) return;
  const auto interval = ParamInterval(StartPoint->text().toStdString(),
                                      StopPoint->text().toStdString(), recording_->SampleCount);
  if (interval) spectraWindow_->Refresh(*interval);
}
