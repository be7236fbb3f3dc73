// What each command of the command-line tool computes, as JSON.
#pragma once

#include <QJsonObject>
#include <QString>
#include <memory>
#include <string>

#include "analysis/AnalysisSettings.h"
#include "analysis/ShockEvents.h"
#include "app/Recording.h"
#include "cli/CliOptions.h"
#include "dsp/dspIIRFilters.h"

QJsonObject InfoJson(const std::string& file, const Recording& recording);

struct ParamsRequest {
  IntervalRequest interval;
  // Threshold, codes, inversion and the cut-off (Hz, the extended value of
  // its text, as in the cut-off dialog).
  AnalysisSettings settings;
  bool correctSpeed = false;
};

// The five rows of the parameter list (as if every curve were shown) and
// both exceedance passes, from a vibration speed filtered from a cleared state.
QJsonObject ParamsJson(const std::string& file, Recording& recording, const ParamsRequest& request);

struct EventsRequest {
  IntervalRequest interval;  // as for params
  ShockSettings settings;
};

// The shock events of the interval on X, Y, Z and the resultant.
QJsonObject EventsJson(const std::string& file, const Recording& recording,
                       const EventsRequest& request);

// A component set through its property writers, as a user of it would.
std::unique_ptr<TdspIIRFilter> MakeFilter(const TdspIIRFilterResource& settings);

QJsonObject FilterDesignJson(const TdspIIRFilter& filter);
