#include "TickSchedule.h"

namespace sundial::x11 {

int TickSchedule::MillisecondsToNextSecond(const timespec& now) {
  long nanos = now.tv_nsec;
  if (nanos < 0) nanos = 0;
  if (nanos > 999'999'999) nanos = 999'999'999;
  const long remaining = 1'000'000'000L - nanos;
  // Round up to whole milliseconds, then step over the boundary.
  return static_cast<int>((remaining + 999'999) / 1'000'000) + kMarginMs;
}

}  // namespace sundial::x11
