// What each command of the command-line tool computes, as JSON.
#pragma once

#include <QJsonObject>
#include <QString>
#include <memory>
#include <string>
#include <vector>

#include "analysis/Drops.h"
#include "analysis/ShockEvents.h"
#include "cli/CliOptions.h"
#include "dsp/dspIIRFilters.h"
#include "model/AnalysisSettings.h"
#include "session/Session.h"

QJsonObject InfoJson(const std::string& file, const Recording& recording);

struct ParamsRequest {
  IntervalRequest interval;
  // Threshold, codes, inversion and the cut-off (Hz, the extended value of
  // its text, as typed in the cut-off dialog; the session takes the cut-off
  // it gives).
  AnalysisSettings settings;
  bool correctSpeed = false;
};

// Puts the request's threshold, codes, inversion and cut-off in the session,
// and corrects the speed when asked.
void ApplyParamsSettings(Session& session, const ParamsRequest& request);

// The five rows of the parameter list (as if every curve were shown) and
// both exceedance passes, from a vibration speed filtered from a cleared state.
QJsonObject ParamsJson(const std::string& file, Session& session, const ParamsRequest& request);

struct EventsRequest {
  IntervalRequest interval;  // as for params
  ShockSettings settings;
};

// The shock events of the interval on X, Y, Z and the resultant: the JSON
// object without its "events" (with the baseline taken off each axis, m/s²,
// as {"X": …, "Y": …, "Z": …}), and the events, each written apart so that
// a list of millions is never held as JSON whole.
struct ShockEventsReport {
  QJsonObject head;
  std::vector<ShockEvent> events;
};
ShockEventsReport EventsJson(const std::string& file, Session& session,
                             const EventsRequest& request);
QJsonObject ShockEventJson(const ShockEvent& event);

struct DropsRequest {
  IntervalRequest interval;  // as for params
  DropSettings settings;
};

// The drops of the interval with their heights and impacts; an impact the
// recording ends before is null in every one of its fields.
QJsonObject DropsJson(const std::string& file, Session& session, const DropsRequest& request);

// A component set through its property writers, as a user of it would.
std::unique_ptr<TdspIIRFilter> MakeFilter(const TdspIIRFilterResource& settings);

QJsonObject FilterDesignJson(const TdspIIRFilter& filter);
