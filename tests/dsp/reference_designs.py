#!/usr/bin/env python3
"""Reference coefficients for IIRDesignTest.cpp, computed the textbook way.

Nothing here comes from the program: the Butterworth poles are the unit-circle
formula, the Bessel poles are the roots of the reverse Bessel polynomial
scaled to a -3 dB cut-off of 1 rad/s, and the rest is the classical chain

    analog prototype -> prewarp w = 2 tan(pi f / fs) -> low-pass or high-pass
    transform -> bilinear z = (2 + s) / (2 - s) -> polynomial expansion ->
    gain normalisation at 0 Hz (low-pass) or half the sample rate (high-pass)

in double precision, which is ample for the nine digits the test checks.
The recurrence of the filter is y[n] = g x[n] + sum b[i] g x[n-N+i] + a[i] y[n-N+i],
so a[i] is minus the coefficient of z^i of the monic denominator and g is the
reciprocal of the gain magnitude at the reference point.

Run: python3 tests/dsp/reference_designs.py
"""

import cmath
import math
from math import factorial


def butterworth_prototype(order):
    """Left-half-plane poles on the unit circle."""
    return [cmath.exp(1j * math.pi * (2 * k + order + 1) / (2 * order)) for k in range(order)]


def polynomial_roots(coefficients):
    """Roots of c[0] + c[1] s + ... + c[n] s^n by Durand-Kerner iteration."""
    n = len(coefficients) - 1
    monic = [c / coefficients[-1] for c in coefficients]

    def value(s):
        total = 0j
        for c in reversed(monic):
            total = total * s + c
        return total

    roots = [(0.4 + 0.9j) ** k for k in range(n)]
    for _ in range(500):
        updated = []
        for i, r in enumerate(roots):
            denominator = 1
            for j, other in enumerate(roots):
                if j != i:
                    denominator *= r - other
            updated.append(r - value(r) / denominator)
        roots = updated
    return roots


def bessel_prototype(order):
    """Poles of the Bessel filter whose magnitude is 1/sqrt(2) at 1 rad/s."""
    reverse_bessel = [
        factorial(2 * order - k) / (2 ** (order - k) * factorial(k) * factorial(order - k))
        for k in range(order + 1)
    ]
    poles = polynomial_roots(reverse_bessel)

    def magnitude(w):
        response = 1
        for p in poles:
            response *= -p / (1j * w - p)
        return abs(response)

    low, high = 0.0, 10.0  # the magnitude falls monotonically through 1/sqrt(2)
    for _ in range(200):
        middle = (low + high) / 2
        if magnitude(middle) > 1 / math.sqrt(2):
            low = middle
        else:
            high = middle
    return [p / low for p in poles]


def expand(roots):
    """Coefficients c[0..n] of prod (z - r), c[n] = 1."""
    c = [1 + 0j]
    for r in roots:
        shifted = [0j] + c  # z * c(z)
        for k in range(len(c)):
            shifted[k] -= r * c[k]
        c = shifted
    return c


def evaluate(c, z):
    total = 0j
    for coefficient in reversed(c):
        total = total * z + coefficient
    return total


def design(prototype, response, order, frequency, sample_rate):
    """Returns (g, b, a) of the digital filter."""
    poles = prototype(order)
    w = 2 * math.tan(math.pi * frequency / sample_rate)
    if response == "lowpass":
        s_poles, s_zeros = [p * w for p in poles], []
    else:
        s_poles, s_zeros = [w / p for p in poles], [0j] * order

    def bilinear(s):
        return (2 + s) / (2 - s)

    z_poles = [bilinear(p) for p in s_poles]
    z_zeros = [bilinear(z) for z in s_zeros] + [-1 + 0j] * (order - len(s_zeros))
    top, bottom = expand(z_zeros), expand(z_poles)
    reference = 1 if response == "lowpass" else -1
    g = 1 / abs(evaluate(top, reference) / evaluate(bottom, reference))
    b = [top[i].real for i in range(order)]
    a = [-bottom[i].real for i in range(order)]
    return g, b, a


def show(title, g, b, a):
    print(title)
    print("  InputScale           " + "%#.9g" % g)
    print("  NumeratorCoefficients " + " ".join("%.0f" % v for v in b))
    print("  FeedbackCoefficients " + " ".join("%#.9g" % v for v in a))


def main():
    show("Vibration speed: Butterworth high-pass, order 5, 10 Hz at 1000 Hz",
         *design(butterworth_prototype, "highpass", 5, 10, 1000))
    show("Bessel low-pass, order 5, 10 Hz at 1000 Hz",
         *design(bessel_prototype, "lowpass", 5, 10, 1000))
    show("A new component: Butterworth low-pass, order 1, 300 Hz at 44100 Hz",
         *design(butterworth_prototype, "lowpass", 1, 300, 44100))


if __name__ == "__main__":
    main()
