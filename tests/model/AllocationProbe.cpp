#include "AllocationProbe.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {
std::atomic<std::size_t> gLargest{0};
std::atomic<std::size_t> gTotal{0};
}

namespace sundial::test {
void ResetLargestAllocation() {
  gLargest = 0;
  gTotal = 0;
}
std::size_t LargestAllocation() { return gLargest.load(); }
std::size_t TotalAllocated() { return gTotal.load(); }
}  // namespace sundial::test

void* operator new(std::size_t size) {
  gTotal += size;
  std::size_t seen = gLargest.load();
  while (size > seen && !gLargest.compare_exchange_weak(seen, size)) {
  }
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
