// Records the largest single allocation made through operator new by this test program, so that
// tests can prove the dial reader never allocates what a damaged length announces.
#pragma once

#include <cstddef>

namespace sundial::test {
void ResetLargestAllocation();  // also starts the count of TotalAllocated
std::size_t LargestAllocation();
std::size_t TotalAllocated();  // the bytes of every allocation since the last reset
}  // namespace sundial::test
