// LocalClock: the run-time clock as the dial window's tick reads it once a second. The system
// implementation uses the C library's local broken-down time; tests and the `sundial render`
// command hand the window a fixed reading instead.
#pragma once

namespace sundial {

// One reading of the local clock.
struct LocalClockReading {
  int year = 0;    // e.g. 2010
  int month = 0;   // 1..12
  int day = 0;     // 1..31
  int hour = 0;    // 0..23, the clock hour as shown, daylight saving included
  int minute = 0;  // 0..59
  int second = 0;  // 0..60
  int daylightSaving = 0;     // > 0 while daylight saving is in force, 0 not, < 0 unknown
  long biasMinutesWest = 0;   // standard-time zone, minutes WEST of Greenwich (CET: -60)
};

class LocalClock {
 public:
  virtual ~LocalClock() = default;
  virtual LocalClockReading Now() = 0;
};

// The computer's clock and time zone, through the standard C library only.
class SystemLocalClock final : public LocalClock {
 public:
  LocalClockReading Now() override;
};

// A clock that always reads the same instant (tests, and pictures of a chosen moment).
class FixedLocalClock final : public LocalClock {
 public:
  explicit FixedLocalClock(const LocalClockReading& reading) : reading_(reading) {}
  LocalClockReading Now() override { return reading_; }
  void Set(const LocalClockReading& reading) { reading_ = reading; }

 private:
  LocalClockReading reading_;
};

}  // namespace sundial
