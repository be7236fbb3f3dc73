#include "dsp/dspcomplex.h"

#include <algorithm>
#include <cmath>

TdspComplex operator/(TdspComplex a, TdspComplex b) {
  const long double d = b.re * b.re + b.im * b.im;
  return {(a.re * b.re + a.im * b.im) / d, (a.im * b.re - a.re * b.im) / d};
}

long double Modulus(TdspComplex a) {
  const long double x = std::fabs(a.re);
  const long double y = std::fabs(a.im);
  const long double larger = std::max(x, y);
  const long double smaller = std::min(x, y);
  if (smaller == 0) return larger;
  const long double ratio = smaller / larger;
  return larger * std::sqrt(1 + ratio * ratio);
}

TdspComplex SquareRoot(TdspComplex a) {
  const long double r = Modulus(a);
  TdspComplex root{std::sqrt(std::max(0.0L, (r + a.re) * 0.5L)),
                   std::sqrt(std::max(0.0L, (r - a.re) * 0.5L))};
  if (a.im < 0) root.im = -root.im;
  return root;
}

TdspComplex ExpJ(long double theta) {
  return {std::cos(theta), std::sin(theta)};
}
