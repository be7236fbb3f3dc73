// Results that leave the program as files for others: the interval's
// samples in physical units and the analysis report.
#include <array>

#include "app/Main.h"
#include "files/DataTable.h"
#include "report/SessionReport.h"
#include "ui/BusyCursor.h"
#include "ui/UserDialogs.h"
#include "view/FileSave.h"
#include "view/ShockEventsWindow.h"
#include "view/SpectraWindow.h"

namespace {

const QString kEmptyRecording = QStringLiteral("Запись пуста: сохранять нечего.");

// The file types of the interval data, in the save dialog's order: each
// names the format and the unit of the accelerations.
struct DataFileType {
  const char* filter;
  DataFileFormat format;
  AccelerationUnit unit;
};
const std::array<DataFileType, 4> kDataFileTypes = {{
    {"CSV, ускорения в м/с² (*.csv)", DataFileFormat::Csv,
     AccelerationUnit::MetresPerSecondSquared},
    {"CSV, ускорения в g (*.csv)", DataFileFormat::Csv, AccelerationUnit::StandardGravity},
    {"Excel, ускорения в м/с² (*.xlsx)", DataFileFormat::Xlsx,
     AccelerationUnit::MetresPerSecondSquared},
    {"Excel, ускорения в g (*.xlsx)", DataFileFormat::Xlsx, AccelerationUnit::StandardGravity},
}};

QString DataFileFilters() {
  QStringList filters;
  for (const DataFileType& type : kDataFileTypes) filters << QString::fromUtf8(type.filter);
  return filters.join(QStringLiteral(";;"));
}

// The file a choice of the save dialog writes: a name ending ".csv" or
// ".xlsx" is written in that format, any other gets the chosen type's
// extension; the unit is the chosen type's.
struct DataFileTarget {
  QString path;
  DataFileFormat format;
  AccelerationUnit unit;
};

DataFileTarget DataFileTargetOf(const SaveChoice& choice) {
  const DataFileType& type =
      kDataFileTypes.at(static_cast<std::size_t>(choice.filterIndex) % kDataFileTypes.size());
  DataFileTarget target{choice.path, type.format, type.unit};
  if (const auto named = DataFileFormatOf(SystemPath(choice.path))) {
    target.format = *named;
  } else {
    target.path +=
        type.format == DataFileFormat::Csv ? QStringLiteral(".csv") : QStringLiteral(".xlsx");
  }
  return target;
}

}  // namespace

void TMainForm::IntervalDataExportClick() {
  const auto measured = session_->MeasuredInterval();
  if (!measured) return dialogs_.Message(this, kEmptyRecording);
  const auto choice = dialogs_.SaveFileName(this, {DataFileFilters(), QString(), QString()});
  if (!choice || choice->path.isEmpty()) return;
  const DataFileTarget target = DataFileTargetOf(*choice);
  ExportFailure failure;
  {
    BusyCursor busy;
    failure = Saved([&] {
      session_->ExportInterval(SystemPath(target.path), target.format, measured->Interval,
                               target.unit, TORVIK_VERSION, CurrentDateText());
    });
  }
  if (failure) dialogs_.Error(this, *failure);
}

// The events are found with the presets threshold, as the window "События"
// finds them, with that window's gap and drop settings and the spectra
// window's settings, kept between runs whether the windows are open or not.
void TMainForm::AnalysisReportClick() {
  const auto measured = session_->MeasuredInterval();
  if (!measured) return dialogs_.Message(this, kEmptyRecording);
  if (!(session_->Settings().BoundLevel > 0)) {
    return dialogs_.Warning(
        this, QStringLiteral("Порог должен быть больше нуля: по нему отчёт ищет события. Задайте "
                             "его в меню «Настройка» → «Предустановки измерения»."));
  }
  const auto path =
      AskSaveName(dialogs_, this, QStringLiteral("PDF (*.pdf)"), QStringLiteral("pdf"));
  if (!path) return;
  const auto& events = static_cast<ShockEventsWindow&>(AnalysisWindowOf(ShockEventsAnalysis));
  const auto& spectra = static_cast<SpectraWindow&>(AnalysisWindowOf(SpectraAnalysis));
  const ReportRequest request{ShownParamRows(), events.Gap(), events.Drops(), spectra.Psd(),
                              spectra.Srs()};
  ExportFailure failure;
  {
    BusyCursor busy;
    const SessionReport report(*session_, measured->Interval, request);
    failure =
        Saved([&] { WriteAnalysisReportPdf(SystemPath(*path), report.Report(CurrentDateText())); });
  }
  if (failure) dialogs_.Error(this, *failure);
}
