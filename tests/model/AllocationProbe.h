// Records the largest single allocation made through operator new by this test program, so that
// tests can prove the dial reader never allocates what a damaged length announces.
#pragma once

#include <cstddef>

namespace sundial::test {
void ResetLargestAllocation();
std::size_t LargestAllocation();
}  // namespace sundial::test
