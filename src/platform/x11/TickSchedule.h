// The one-second tick of the dial window, aligned to the wall-clock second: the loop sleeps until
// just past the next whole second of the system clock and ticks once for every second it sees
// begin, so the clock line under the dial never repeats or skips a second, however long a paint
// takes or however late the scheduler wakes us.
#pragma once

#include <cstdint>
#include <ctime>

namespace sundial::x11 {

class TickSchedule {
 public:
  // Margin past the boundary, so that a wake-up rounded to milliseconds lands in the new second.
  static constexpr int kMarginMs = 2;

  // `now` is the wall clock at creation: the first tick comes when the next second begins.
  explicit TickSchedule(const timespec& now) : lastSecond_(now.tv_sec) {}

  // Milliseconds to sleep from `now` until just past the next second boundary (1..1000+margin).
  static int MillisecondsToNextSecond(const timespec& now);

  // True once for each new wall-clock second (also when the clock is set backwards).
  bool Due(const timespec& now) {
    if (now.tv_sec == lastSecond_) return false;
    lastSecond_ = now.tv_sec;
    return true;
  }

 private:
  std::time_t lastSecond_;
};

}  // namespace sundial::x11
