// Real-to-complex FFT plans, made once per length and kept for the whole run:
// planning costs far more than a transform, and spectra are asked for again
// on every interval change.
#pragma once

#include <complex>
#include <cstddef>
#include <memory>

struct fftw_plan_s;

// A buffer FFTW may use at full speed (its own alignment).
template <typename T>
struct FftwFree {
  void operator()(T* p) const;
};
template <typename T>
using FftwBuffer = std::unique_ptr<T[], FftwFree<T>>;

FftwBuffer<double> AllocateRealBuffer(std::size_t count);
FftwBuffer<std::complex<double>> AllocateComplexBuffer(std::size_t count);

class RealFftPlan {
 public:
  // The plan for `length` real samples, made on first use. Safe to call from
  // several threads.
  static const RealFftPlan& ForLength(std::size_t length);

  std::size_t Length() const { return length_; }
  std::size_t BinCount() const { return length_ / 2 + 1; }

  // `in` holds Length() samples, `out` receives BinCount() bins; both must
  // come from the Allocate…Buffer functions. May run on several threads at
  // once with different buffers.
  void Execute(double* in, std::complex<double>* out) const;

  ~RealFftPlan();
  RealFftPlan(const RealFftPlan&) = delete;
  RealFftPlan& operator=(const RealFftPlan&) = delete;

 private:
  explicit RealFftPlan(std::size_t length);

  std::size_t length_;
  fftw_plan_s* plan_;
};
