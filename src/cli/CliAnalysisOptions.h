// The analysis options of torvik-cli, read and checked in one place for
// every command that takes them: params' settings, the events' gap, the
// drops' settings, the spectra's and the units of the exported data.
// Settings the analyses cannot use are usage errors naming the option.
#pragma once

#include <cstdint>

#include "analysis/Drops.h"
#include "analysis/IntervalDataExport.h"
#include "analysis/Spectra.h"
#include "cli/CliArguments.h"
#include "cli/CliCommands.h"

// --from, --to, --bound, --codes, --invert, --cutoff (a cut-off above the
// stable range is lowered and stderr says so) and --correct-speed.
ParamsRequest ParamsOptions(const CliArguments& arguments);
// --gap: whole samples between runs of one event.
std::uint32_t GapOption(const CliArguments& arguments);
// --fall-level and --min-fall.
DropSettings DropOptions(const CliArguments& arguments);
// --segment and --band LO:HI.
PsdOptions PsdSettings(const CliArguments& arguments);
// --fmin, --fmax, --per-octave and --q.
SrsOptions SrsSettings(const CliArguments& arguments);
// --units ms2 (the default) or g.
AccelerationUnit UnitOption(const CliArguments& arguments);
