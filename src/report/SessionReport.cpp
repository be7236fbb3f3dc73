#include "report/SessionReport.h"

#include <QDateTime>

SessionReport::SessionReport(Session& session, SampleInterval interval,
                             const ReportRequest& request)
    : session_(session),
      interval_(interval),
      request_(request),
      params_(session.Params(interval, request.Rows, false)),
      events_(session.Events(interval, {session.Settings().BoundLevel, request.Gap})),
      drops_(session.Drops(interval, request.Drops)),
      psd_(session.Psd(interval, request.Psd)),
      srs_(session.Srs(interval, request.Srs)) {}

AnalysisReport SessionReport::Report(const std::string& date) const {
  return {session_.FileName(),
          date,
          session_.Data(),
          interval_,
          ReportParamRows(params_),
          ReportExceedanceSummary(params_, session_.Settings().BoundLevel),
          events_,
          drops_,
          psd_,
          request_.Psd,
          srs_,
          request_.Srs};
}

std::string CurrentDateText() {
  return QDateTime::currentDateTime().toString(QStringLiteral("dd.MM.yyyy HH:mm")).toStdString();
}
