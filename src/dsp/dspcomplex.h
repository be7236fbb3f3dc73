// Complex numbers in extended precision for the filter design.
#pragma once

struct TdspComplex {
  long double re = 0;
  long double im = 0;
};

constexpr TdspComplex MakeComplex(long double re, long double im) {
  return {re, im};
}

constexpr TdspComplex operator+(TdspComplex a, TdspComplex b) {
  return {a.re + b.re, a.im + b.im};
}
constexpr TdspComplex operator-(TdspComplex a, TdspComplex b) {
  return {a.re - b.re, a.im - b.im};
}
constexpr TdspComplex operator-(TdspComplex a) {
  return {-a.re, -a.im};
}

constexpr TdspComplex operator*(TdspComplex a, TdspComplex b) {
  return {a.re * b.re - a.im * b.im, a.re * b.im + a.im * b.re};
}

constexpr TdspComplex Scale(TdspComplex a, long double r) {
  return {r * a.re, r * a.im};
}
constexpr TdspComplex Square(TdspComplex a) {
  return a * a;
}
constexpr TdspComplex Conjugate(TdspComplex a) {
  return {a.re, -a.im};
}

TdspComplex operator/(TdspComplex a, TdspComplex b);

// |a| by the scaled hypotenuse, which neither overflows nor underflows early.
long double Modulus(TdspComplex a);

// The principal root; a negative imaginary part gives a negative imaginary root.
TdspComplex SquareRoot(TdspComplex a);

// cos θ + j·sin θ.
TdspComplex ExpJ(long double theta);
