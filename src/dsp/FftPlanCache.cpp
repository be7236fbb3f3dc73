#include "dsp/FftPlanCache.h"

#include <fftw3.h>

#include <map>
#include <mutex>
#include <new>

namespace {

// FFTW's planner is not thread-safe; executing a finished plan is.
std::mutex& PlannerMutex() {
  static std::mutex mutex;
  return mutex;
}

}  // namespace

template <>
void FftwFree<double>::operator()(double* p) const {
  fftw_free(p);
}

template <>
void FftwFree<std::complex<double>>::operator()(std::complex<double>* p) const {
  fftw_free(p);
}

FftwBuffer<double> AllocateRealBuffer(std::size_t count) {
  auto* p = fftw_alloc_real(count == 0 ? 1 : count);
  if (p == nullptr) throw std::bad_alloc();
  return FftwBuffer<double>(p);
}

FftwBuffer<std::complex<double>> AllocateComplexBuffer(std::size_t count) {
  auto* p = fftw_alloc_complex(count == 0 ? 1 : count);
  if (p == nullptr) throw std::bad_alloc();
  return FftwBuffer<std::complex<double>>(reinterpret_cast<std::complex<double>*>(p));
}

const RealFftPlan& RealFftPlan::ForLength(std::size_t length) {
  std::mutex& mutex = PlannerMutex();  // first, so that it outlives the plans
  static std::map<std::size_t, std::unique_ptr<RealFftPlan>> plans;
  std::lock_guard lock(mutex);
  auto& plan = plans[length];
  if (!plan) plan.reset(new RealFftPlan(length));
  return *plan;
}

RealFftPlan::RealFftPlan(std::size_t length) : length_(length) {
  const auto in = AllocateRealBuffer(length);
  const auto out = AllocateComplexBuffer(length / 2 + 1);
  plan_ = fftw_plan_dft_r2c_1d(static_cast<int>(length), in.get(),
                               reinterpret_cast<fftw_complex*>(out.get()), FFTW_ESTIMATE);
  if (plan_ == nullptr) throw std::bad_alloc();
}

RealFftPlan::~RealFftPlan() {
  std::lock_guard lock(PlannerMutex());
  fftw_destroy_plan(plan_);
}

void RealFftPlan::Execute(double* in, std::complex<double>* out) const {
  fftw_execute_dft_r2c(plan_, in, reinterpret_cast<fftw_complex*>(out));
}
