// The one recording the program works on: the logger's samples, the speeds
// derived from them and the per-axis calibration. Plain data, no Qt.
#pragma once

#include <array>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <new>

#if !defined(__SANITIZE_ADDRESS__)
#include <sys/mman.h>
#endif

struct AxisCalibration {
  double Code0g = 32768.0;  // ADC code at 0 g
  double Gain = 1.0;        // m/s² per ADC code
};

struct Recording {
  static constexpr int kFullCapacity = 1500000;
  static constexpr double TimeStep = 0.001;  // s; sample i lies at i × TimeStep

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

// Fresh anonymous pages are zero and stay untouched until a load writes them,
// so a new program does not pay 72 MB of resident memory for empty arrays;
// huge pages spare a full-size load most of its page faults. Under the address
// sanitizer the heap is used instead, so that it can watch the arrays' ends.
inline Recording::Array Recording::ZeroArray(int count) {
  const std::size_t bytes = static_cast<std::size_t>(count) * sizeof(double);
#if defined(__SANITIZE_ADDRESS__)
  void* p = std::calloc(static_cast<std::size_t>(count), sizeof(double));
  if (p == nullptr) throw std::bad_alloc();
#else
  void* p = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (p == MAP_FAILED) throw std::bad_alloc();
  madvise(p, bytes, MADV_HUGEPAGE);
#endif
  return Array(static_cast<double*>(p), FreeArray{bytes});
}

inline void Recording::FreeArray::operator()(double* p) const {
#if defined(__SANITIZE_ADDRESS__)
  std::free(p);
#else
  munmap(p, bytes);
#endif
}

enum Axis { AxisX = 0, AxisY = 1, AxisZ = 2 };

// Calibrated acceleration of one code, m/s².
inline double Acceleration(double code, const AxisCalibration& calibration) {
  return (code - calibration.Code0g) * calibration.Gain;
}
