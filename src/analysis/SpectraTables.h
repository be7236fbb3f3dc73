// Spectra as CSV tables: a header line, then one line per frequency.
#pragma once

#include <string>

#include "analysis/Spectra.h"

std::string PsdTable(const IntervalPsdResult& psd);  // frequency, X_psd, Y_psd, Z_psd
std::string SrsTable(const IntervalSrsResult& srs);  // frequency, then srs, pos, neg per axis
