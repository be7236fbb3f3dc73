// The crop to the interval and its undo: the session keeps the samples, the
// window what the crop changed on screen, one view per crop it can undo.
#include <QAction>
#include <QLabel>
#include <QTableWidget>

#include "app/Main.h"
#include "ui/FormLayout.h"
#include "view/ChartSurface.h"

// The cropped recording is shown whole, whatever zoom came before: undoing
// the zoom alone would give back a time range fixed before it.
void TMainForm::CropClick() {
  ViewBeforeCrop before = CurrentView();
  if (!session_->Crop()) return;  // an empty recording stays as it is
  cropViews_.push_back(std::move(before));
  MatchCropViews();
  SetupGraf();
  CHART->LeftAxis().SetAutomatic(true);
  CHART->BottomAxis().SetAutomatic(true);
  ChartHelper->SetSectionX(-1);
  SetIntervalHeld(false);
  StartPoint->setText(ThreeDecimals(0));
  ClearParameterValues();
}

void TMainForm::UndoCropClick() {
  if (!session_->UndoCrop()) return;
  ForgetAnalyses();
  if (!cropViews_.empty()) {
    ShowView(cropViews_.back());
    cropViews_.pop_back();
  }
  MatchCropViews();
  UpdateGraph();
}

TMainForm::ViewBeforeCrop TMainForm::CurrentView() const {
  ViewBeforeCrop view{Caption(*this),
                      CHART->AxesState(),
                      ChartHelper->Section(),
                      intervalHeld_,
                      StartPoint->text(),
                      StopPoint->text(),
                      {},
                      {}};
  for (std::size_t i = 0; i < view.status.size(); ++i) view.status[i] = StatusPanels[i]->text();
  for (int row = 0; row < kParamRowCount; ++row) {
    for (int column = 0; column < kParamValueColumns; ++column) {
      view.params[row][column] = ParamViews->item(row, column + 1)->text();
    }
  }
  return view;
}

void TMainForm::ShowView(const ViewBeforeCrop& view) {
  SetCaption(*this, view.caption);
  CHART->SetAxesState(view.axes);
  ChartHelper->SetSection(view.section);  // reports the readout stale: the panels come after
  SetIntervalHeld(view.intervalHeld);
  StartPoint->setText(view.start);
  StopPoint->setText(view.stop);
  for (std::size_t i = 0; i < view.status.size(); ++i) StatusPanels[i]->setText(view.status[i]);
  for (int row = 0; row < kParamRowCount; ++row) {
    for (int column = 0; column < kParamValueColumns; ++column) {
      ParamViews->item(row, column + 1)->setText(view.params[row][column]);
    }
  }
}

// The session forgets its oldest crop beyond its depth and every crop at a
// load; the views follow, and the menu item says whether one is left.
void TMainForm::MatchCropViews() {
  const std::size_t count = session_->CropUndoCount();
  if (cropViews_.size() > count) cropViews_.erase(cropViews_.begin(), cropViews_.end() - count);
  UndoCropItem->setEnabled(count > 0);
}
