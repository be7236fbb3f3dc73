#include "cli/CliFileCommands.h"

#include <stdexcept>

namespace {

SampleInterval Measured(const IntervalRequest& request, Session& session, const std::string& file) {
  const auto interval = UseInterval(request, session, file);
  if (!interval) throw std::runtime_error("the recording is empty: it has no interval");
  return *interval;
}

}  // namespace

void ExportFile(const std::string& file, Session& session, const ExportRequest& request,
                const std::string& out) {
  session.ExportInterval(out, request.format, Measured(request.interval, session, file),
                         request.unit, TORVIK_VERSION, CurrentDateText());
}

void ReportFile(const std::string& file, Session& session, const ReportCommandRequest& request,
                const std::string& out) {
  ApplyParamsSettings(session, request.params);
  const SessionReport report(session, Measured(request.params.interval, session, file),
                             request.analyses);
  WriteAnalysisReportPdf(out, report.Report(CurrentDateText()));
}
