// Types shared by the IIR filter component and its design.
#pragma once

#include <cstdint>
#include <limits>

// Designs and filtered values are computed in 80-bit extended precision; a
// narrower long double would silently change every coefficient and sample.
static_assert(std::numeric_limits<long double>::digits == 64,
              "the filters need long double with a 64-bit significand (80-bit extended)");

enum TdspIIRFilterKind : std::uint8_t { fkButterworth = 0, fkChebyshev = 1, fkBessel = 2 };

enum TdspIIRFilterResponse : std::uint8_t {
  ftLowpass = 0,
  ftHighpass = 1,
  ftBandpass = 2,
  ftBandstop = 3,
};

// Prototype order n, 1..8.
using TdspIIRFilterOrder = std::uint8_t;
inline constexpr TdspIIRFilterOrder kdspMinIIRFilterOrder = 1;
inline constexpr TdspIIRFilterOrder kdspMaxIIRFilterOrder = 8;

// Entries of every pole, zero, coefficient and history array of a design. An
// order-8 band design uses 16 poles and 16 taps.
inline constexpr int kdspRootCapacity = 33;
inline constexpr int kdspMaxTapCount = 2 * kdspMaxIIRFilterOrder;
