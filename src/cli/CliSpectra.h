// The psd and srs commands: spectra of a recording's interval as JSON or CSV.
#pragma once

#include <QJsonObject>
#include <string>

#include "analysis/Spectra.h"
#include "cli/CliOptions.h"

// The interval is chosen and reported as for params; an empty recording
// gives only the file and its sample count.
QJsonObject PsdJson(const std::string& file, Session& session, const IntervalRequest& span,
                    const PsdOptions& options);
QJsonObject SrsJson(const std::string& file, Session& session, const IntervalRequest& span,
                    const SrsOptions& options);

// A header line, then one line per frequency; empty for an empty recording.
std::string PsdCsv(const std::string& file, Session& session, const IntervalRequest& span,
                   const PsdOptions& options);
std::string SrsCsv(const std::string& file, Session& session, const IntervalRequest& span,
                   const SrsOptions& options);
