// The chart export dialog: the chart as a picture of a chosen size, or the
// points of its series as a data file.
#pragma once

#include <QDialog>
#include <QSize>
#include <QString>

#include "ui/UserDialogs.h"
#include "view/SeriesDataExport.h"

class ChartSurface;
class QButtonGroup;
class QPushButton;
class QSpinBox;
class QVBoxLayout;

// Pictures first, then data files.
enum class ChartExportFormat { Png, Bmp, Jpeg, Svg, Pdf, Csv, Xml, Html, Xlsx };

bool IsPicture(ChartExportFormat format);
// The save dialog's filter and default suffix for files of the format.
FileDialogSettings ExportFileSettings(ChartExportFormat format);

// Writes the chart to `path`: a picture laid out at `size` (pixels; points
// for PDF), or the points of its series, where `size` plays no part. Leaves
// the complete file or no new file, and then says why.
[[nodiscard]] ExportFailure ExportChart(ChartSurface& chart, ChartExportFormat format, QSize size,
                                        const QString& path);

class TChartExportForm : public QDialog {
  Q_OBJECT

 public:
  TChartExportForm(ChartSurface& chart, UserDialogs& dialogs, QWidget* parent = nullptr);

  ChartExportFormat Format() const;
  QSize PictureSize() const;

  QButtonGroup* Formats;  // one radio button per format, its id the format's value
  QSpinBox* WidthEdit;    // of pictures; the chart's own size at first
  QSpinBox* HeightEdit;
  QPushButton* SaveButton;  // asks for the file name and writes the file
  QPushButton* CloseButton;

 private:
  QWidget* CreatePictureBox();
  QWidget* CreateDataBox();
  QVBoxLayout* AddFormatButtons(QWidget* box, ChartExportFormat first, ChartExportFormat last);
  void FormatChanged();
  void SaveClick();

  ChartSurface& chart_;
  UserDialogs& dialogs_;
};
