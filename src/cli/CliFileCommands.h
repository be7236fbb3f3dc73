// The commands that write a file of results for a recording: the interval's
// samples in physical units (CSV or workbook) and the analysis report (PDF).
// Both measure the interval params measures and write through the one file
// writer; a failed write throws FileWriteError naming the file and why.
#pragma once

#include <string>

#include "analysis/IntervalDataExport.h"
#include "cli/CliCommands.h"
#include "report/SessionReport.h"

struct ExportRequest {
  IntervalRequest interval;  // as for params
  AccelerationUnit unit = AccelerationUnit::MetresPerSecondSquared;
  DataFileFormat format = DataFileFormat::Csv;
};
void ExportFile(const std::string& file, Session& session, const ExportRequest& request,
                const std::string& out);

struct ReportCommandRequest {
  ParamsRequest params;  // the interval and the session's settings, as for params
  ReportRequest analyses;
};
void ReportFile(const std::string& file, Session& session, const ReportCommandRequest& request,
                const std::string& out);
