// The one recording the program works on: the logger's samples, the speeds
// derived from them and the per-axis calibration. Plain data, no Qt.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>

struct AxisCalibration {
  double Code0g = 32768.0;  // ADC code at 0 g
  double Gain = 1.0;        // m/s² per ADC code
};

struct Recording {
  static constexpr int kFullCapacity = 1500000;
  static constexpr double TimeStep = 0.001;           // s; sample i lies at i × TimeStep
  static constexpr double SampleRate = 1 / TimeStep;  // Hz, exactly 1000

  // Every array is allocated once, zero-filled, and never resized. Tests may
  // ask for a smaller capacity.
  explicit Recording(int capacity = kFullCapacity)
      : Capacity(capacity),
        CodesX(ZeroArray(capacity)),
        CodesY(ZeroArray(capacity)),
        CodesZ(ZeroArray(capacity)),
        Temperature(ZeroArray(capacity)),
        LinSpeedX(ZeroArray(capacity + 1)),
        VibroSpeedX(ZeroArray(capacity + 1)) {}

  struct FreeArray {
    std::size_t bytes = 0;
    void operator()(double* p) const;
  };
  using Array = std::unique_ptr<double[], FreeArray>;

  const int Capacity;
  std::uint32_t SampleCount = 1;

  Array CodesX;  // raw ADC codes
  Array CodesY;
  Array CodesZ;
  Array Temperature;  // °C
  Array LinSpeedX;    // m/s, Capacity + 1 entries; entry k + 1 is the speed after sample k
  Array VibroSpeedX;  // m/s, Capacity + 1 entries; high-pass filtered LinSpeedX

  std::array<AxisCalibration, 3> Calibration{};  // X, Y, Z
  double GValue = 9.815;                         // m/s²

 private:
  static Array ZeroArray(int count);
};

enum Axis { AxisX = 0, AxisY = 1, AxisZ = 2 };

// Calibrated acceleration of one code, m/s².
inline double Acceleration(double code, const AxisCalibration& calibration) {
  return (code - calibration.Code0g) * calibration.Gain;
}
