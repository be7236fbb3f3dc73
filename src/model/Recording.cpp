#include "model/Recording.h"

#include <cstdlib>
#include <new>

#if !defined(__SANITIZE_ADDRESS__)
#include <sys/mman.h>
#endif

// Fresh anonymous pages are zero and stay untouched until a load writes them,
// so a new program does not pay 72 MB of resident memory for empty arrays;
// huge pages spare a full-size load most of its page faults. Under the address
// sanitizer the heap is used instead, so that it can watch the arrays' ends.
Recording::Array Recording::ZeroArray(int count) {
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

void Recording::FreeArray::operator()(double* p) const {
#if defined(__SANITIZE_ADDRESS__)
  std::free(p);
#else
  munmap(p, bytes);
#endif
}
