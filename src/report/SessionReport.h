// The analysis report of an interval of a session, every analysis made as
// its own command makes it, so that the window's report and torvik-cli's
// agree with the JSON of params, events, drops, psd and srs for the same
// settings.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "report/AnalysisReport.h"
#include "session/Session.h"

// What the report measures beside the session's own settings: the
// threshold (of the exceedance search and of the events alike), the
// ADC-code mode, the inversion and the cut-off are the session's.
struct ReportRequest {
  // The parameter rows measured, as the shown curves choose them in the window.
  std::array<bool, kParamRowCount> Rows = {true, true, true, true, true};
  std::uint32_t Gap = ShockSettings{}.Gap;
  DropSettings Drops;
  PsdOptions Psd;
  SrsOptions Srs;
};

class SessionReport {
 public:
  // Runs every analysis of the report on `interval`. Throws
  // std::invalid_argument for settings an analysis refuses.
  SessionReport(Session& session, SampleInterval interval, const ReportRequest& request);

  // The report of the session's file, dated `date`; it reads this object.
  AnalysisReport Report(const std::string& date) const;

 private:
  const Session& session_;
  SampleInterval interval_;
  ReportRequest request_;
  IntervalParamsResult params_;
  ShockEventsResult events_;
  std::vector<Drop> drops_;
  IntervalPsdResult psd_;
  IntervalSrsResult srs_;
};

// The local date and time a report or an export is stamped with: "17.05.2024 10:42".
std::string CurrentDateText();
