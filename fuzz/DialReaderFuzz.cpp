// libFuzzer target: the dial file reader on any bytes, then the geometry of every completed load.
// Besides the sanitizers' checks it asserts the reader's memory bound: whatever a file claims, a
// load allocates at most a few hundred KiB (each of the nine strings keeps at most 64 KiB).
// With SUNDIAL_FUZZ_LOAD_ONLY=1 in the environment only the reader runs, a thousand times faster
// (the year traces of one receiving-outline dial take a second under the sanitizers).
#include <sanitizer/allocator_interface.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "geometry/ComputeDialGeometry.h"
#include "model/DialFileReader.h"
#include "model/DialModel.h"

namespace {

// Every allocation, seen through the sanitizer's allocator hooks; counted only during a load.
volatile bool gCounting = false;
bool gLoadOnly = false;
std::size_t gAllocated = 0;
constexpr std::size_t kMostAllocatedByALoad = 640 * 1024;

void OnMalloc(const volatile void*, std::size_t size) {
  if (gCounting) gAllocated += size;
}
void OnFree(const volatile void*) {}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  __sanitizer_install_malloc_and_free_hooks(OnMalloc, OnFree);
  const char* loadOnly = std::getenv("SUNDIAL_FUZZ_LOAD_ONLY");
  gLoadOnly = loadOnly != nullptr && loadOnly[0] == '1';
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace sundial;
  auto model = std::make_unique<DialModel>();
  gAllocated = 0;
  gCounting = true;
  const LoadOutcome outcome = ReadDialBytes(data, size, *model);
  gCounting = false;
  const std::size_t allocated = gAllocated;
  if (allocated > kMostAllocatedByALoad) {
    std::fprintf(stderr, "the load of %zu bytes allocated %zu bytes\n", size, allocated);
    std::abort();
  }
  if (outcome != LoadOutcome::Truncated && !gLoadOnly) ComputeDialGeometry(*model);
  return 0;
}
