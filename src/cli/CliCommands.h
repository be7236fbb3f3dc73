// What each command of the command-line tool computes, as JSON.
#pragma once

#include <QJsonObject>
#include <QString>
#include <memory>

#include "analysis/ShockEvents.h"
#include "app/Recording.h"
#include "dsp/dspIIRFilters.h"

QJsonObject InfoJson(const QString& file, const Recording& recording);

struct ParamsRequest {
  QString from;  // seconds as typed; empty: from the first sample
  QString to;    // empty: to the last sample
  double bound = 25.0;
  bool codes = false;
  bool invert = false;
  double cutoff = 10.0;  // Hz, clamped like the cut-off dialog
  bool correctSpeed = false;
};

// The five rows of the parameter list (as if every curve were shown) and
// both exceedance passes, from a vibration speed filtered from a cleared state.
QJsonObject ParamsJson(const QString& file, Recording& recording, const ParamsRequest& request);

struct EventsRequest {
  QString from;  // as for params
  QString to;
  ShockSettings settings;
};

// The shock events of the interval on X, Y, Z and the resultant.
QJsonObject EventsJson(const QString& file, const Recording& recording,
                       const EventsRequest& request);

// A component set through its property writers, as a user of it would.
std::unique_ptr<TdspIIRFilter> MakeFilter(const TdspIIRFilterResource& settings);

QJsonObject FilterDesignJson(const TdspIIRFilter& filter);
