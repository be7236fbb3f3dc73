#include "view/ChartExportDialog.h"

#include <QButtonGroup>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <array>
#include <stdexcept>

#include "files/FileWriter.h"
#include "ui/BusyCursor.h"
#include "view/ChartSurface.h"

namespace {

struct FormatInfo {
  ChartExportFormat format;
  const char* caption;  // UTF-8
  const char* filter;
  const char* suffix;
};

constexpr std::array kFormats = {
    FormatInfo{ChartExportFormat::Png, "PNG", "Рисунок PNG (*.png)", "png"},
    FormatInfo{ChartExportFormat::Bmp, "BMP", "Рисунок BMP (*.bmp)", "bmp"},
    FormatInfo{ChartExportFormat::Jpeg, "JPEG", "Рисунок JPEG (*.jpg *.jpeg)", "jpg"},
    FormatInfo{ChartExportFormat::Svg, "SVG (векторный)", "Рисунок SVG (*.svg)", "svg"},
    FormatInfo{ChartExportFormat::Pdf, "PDF (векторный)", "Документ PDF (*.pdf)", "pdf"},
    FormatInfo{ChartExportFormat::Csv, "CSV (текст, разделитель «;»)", "Текст CSV (*.csv)", "csv"},
    FormatInfo{ChartExportFormat::Xml, "XML", "Документ XML (*.xml)", "xml"},
    FormatInfo{ChartExportFormat::Html, "HTML (таблица)", "Страница HTML (*.html *.htm)", "html"},
    FormatInfo{ChartExportFormat::Xlsx, "XLSX (электронная таблица)", "Книга XLSX (*.xlsx)",
               "xlsx"},
};

constexpr bool IndexedByFormat() {
  for (std::size_t i = 0; i < kFormats.size(); ++i) {
    if (static_cast<std::size_t>(kFormats[i].format) != i) return false;
  }
  return true;
}
static_assert(IndexedByFormat());

const FormatInfo& Info(ChartExportFormat format) {
  return kFormats.at(static_cast<std::size_t>(format));
}

constexpr int kMinPictureSide = 16;
constexpr int kMaxPictureSide = 8000;  // keeps a picture's memory within reason

ChartSurface::ExportFormat PictureFormat(ChartExportFormat format) {
  switch (format) {
    case ChartExportFormat::Png:
      return ChartSurface::ExportFormat::Png;
    case ChartExportFormat::Bmp:
      return ChartSurface::ExportFormat::Bmp;
    case ChartExportFormat::Jpeg:
      return ChartSurface::ExportFormat::Jpeg;
    case ChartExportFormat::Svg:
      return ChartSurface::ExportFormat::Svg;
    case ChartExportFormat::Pdf:
      return ChartSurface::ExportFormat::Pdf;
    default:
      throw std::invalid_argument("PictureFormat: not a picture format");
  }
}

SeriesDataFormat DataFormat(ChartExportFormat format) {
  switch (format) {
    case ChartExportFormat::Csv:
      return SeriesDataFormat::Csv;
    case ChartExportFormat::Xml:
      return SeriesDataFormat::Xml;
    case ChartExportFormat::Html:
      return SeriesDataFormat::Html;
    case ChartExportFormat::Xlsx:
      return SeriesDataFormat::Xlsx;
    default:
      throw std::invalid_argument("DataFormat: not a data format");
  }
}

// The target is checked before the picture is drawn, so a refused one costs
// no drawing; the picture is drawn into memory and handed to the writer.
ExportFailure ExportPicture(ChartSurface& chart, ChartSurface::ExportFormat format, QSize size,
                            const QString& path) {
  if (size.isEmpty()) return QStringLiteral("Ширина и высота рисунка должны быть больше нуля.");
  return SaveFile(path, [&](FileWriter& file) {
    const std::optional<QByteArray> picture = chart.Picture(format, size);
    if (!picture) {
      throw FileWriteError(
          WriteFailureText(path, QStringLiteral("рисунок не удалось построить")).toStdString());
    }
    file.Write(std::string_view(picture->constData(), static_cast<std::size_t>(picture->size())));
  });
}

QSpinBox* CreateSideEdit(QWidget* parent, const QString& name, int value) {
  auto* edit = new QSpinBox(parent);
  edit->setObjectName(name);
  edit->setRange(kMinPictureSide, kMaxPictureSide);
  edit->setValue(value);
  return edit;
}

}  // namespace

bool IsPicture(ChartExportFormat format) {
  return format <= ChartExportFormat::Pdf;
}

FileDialogSettings ExportFileSettings(ChartExportFormat format) {
  const FormatInfo& info = Info(format);
  return {QString::fromUtf8(info.filter), QString::fromUtf8(info.suffix), QString()};
}

ExportFailure ExportChart(ChartSurface& chart, ChartExportFormat format, QSize size,
                          const QString& path) {
  if (IsPicture(format)) return ExportPicture(chart, PictureFormat(format), size, path);
  return ExportSeriesData(chart, DataFormat(format), path);
}

// --- TChartExportForm ---------------------------------------------------------------------------

TChartExportForm::TChartExportForm(ChartSurface& chart, UserDialogs& dialogs, QWidget* parent)
    : QDialog(parent), chart_(chart), dialogs_(dialogs) {
  setObjectName(QStringLiteral("ChartExportForm"));
  setWindowTitle(QStringLiteral("Экспорт графика"));
  Formats = new QButtonGroup(this);

  SaveButton = new QPushButton(QStringLiteral("Сохранить…"), this);
  SaveButton->setObjectName(QStringLiteral("SaveButton"));
  SaveButton->setDefault(true);
  CloseButton = new QPushButton(QStringLiteral("Закрыть"), this);
  CloseButton->setObjectName(QStringLiteral("CloseButton"));
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(SaveButton);
  buttons->addWidget(CloseButton);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(CreatePictureBox());
  layout->addWidget(CreateDataBox());
  layout->addLayout(buttons);

  Formats->button(static_cast<int>(ChartExportFormat::Png))->setChecked(true);
  FormatChanged();
  connect(Formats, &QButtonGroup::idToggled, this, [this](int, bool checked) {
    if (checked) FormatChanged();
  });
  connect(SaveButton, &QPushButton::clicked, this, &TChartExportForm::SaveClick);
  connect(CloseButton, &QPushButton::clicked, this, &QDialog::reject);
}

QWidget* TChartExportForm::CreatePictureBox() {
  auto* box = new QGroupBox(QStringLiteral("Рисунок"), this);
  QVBoxLayout* layout = AddFormatButtons(box, ChartExportFormat::Png, ChartExportFormat::Pdf);
  WidthEdit = CreateSideEdit(box, QStringLiteral("WidthEdit"), chart_.width());
  HeightEdit = CreateSideEdit(box, QStringLiteral("HeightEdit"), chart_.height());
  auto* size = new QFormLayout;
  size->addRow(QStringLiteral("Ширина:"), WidthEdit);
  size->addRow(QStringLiteral("Высота:"), HeightEdit);
  layout->addLayout(size);
  return box;
}

QWidget* TChartExportForm::CreateDataBox() {
  auto* box = new QGroupBox(QStringLiteral("Точки серий"), this);
  AddFormatButtons(box, ChartExportFormat::Csv, ChartExportFormat::Xlsx);
  return box;
}

QVBoxLayout* TChartExportForm::AddFormatButtons(QWidget* box, ChartExportFormat first,
                                                ChartExportFormat last) {
  auto* layout = new QVBoxLayout(box);
  for (int id = static_cast<int>(first); id <= static_cast<int>(last); ++id) {
    auto* button = new QRadioButton(QString::fromUtf8(kFormats.at(id).caption), box);
    Formats->addButton(button, id);
    layout->addWidget(button);
  }
  return layout;
}

ChartExportFormat TChartExportForm::Format() const {
  return static_cast<ChartExportFormat>(Formats->checkedId());
}

QSize TChartExportForm::PictureSize() const {
  return {WidthEdit->value(), HeightEdit->value()};
}

void TChartExportForm::FormatChanged() {
  const bool picture = IsPicture(Format());
  WidthEdit->setEnabled(picture);
  HeightEdit->setEnabled(picture);
}

// A written file closes the dialog; a failure is reported and leaves it
// open, so the user can pick another place or format.
void TChartExportForm::SaveClick() {
  const ChartExportFormat format = Format();
  const std::optional<SaveChoice> choice = dialogs_.SaveFileName(this, ExportFileSettings(format));
  if (!choice) return;
  ExportFailure failure;
  {
    BusyCursor busy;
    failure = ExportChart(chart_, format, PictureSize(), choice->path);
  }
  if (failure) {
    dialogs_.Error(this, *failure);
    return;
  }
  accept();
}
