// The psd and srs commands: spectra of a recording's interval as JSON or CSV.
#pragma once

#include <QJsonObject>
#include <QString>
#include <string>

#include "analysis/Spectra.h"

struct SpectrumInterval {
  QString from;  // seconds as typed; empty: from the first sample
  QString to;    // empty: to the last sample
};

QJsonObject PsdJson(const QString& file, const Recording& recording, const SpectrumInterval& span,
                    const PsdOptions& options);
QJsonObject SrsJson(const QString& file, const Recording& recording, const SpectrumInterval& span,
                    const SrsOptions& options);

// A header line, then one line per frequency; empty for an empty recording.
std::string PsdCsv(const Recording& recording, const SpectrumInterval& span,
                   const PsdOptions& options);
std::string SrsCsv(const Recording& recording, const SpectrumInterval& span,
                   const SrsOptions& options);
