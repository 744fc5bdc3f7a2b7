#include "window/LocalClock.h"

#include <ctime>

namespace sundial {

namespace {

// Minutes from b to a, two broken-down times of the same instant that differ by less than a day.
long MinutesBetween(const std::tm& a, const std::tm& b) {
  int dayStep = 0;
  if (a.tm_year != b.tm_year) {
    dayStep = a.tm_year > b.tm_year ? 1 : -1;
  } else if (a.tm_yday != b.tm_yday) {
    dayStep = a.tm_yday > b.tm_yday ? 1 : -1;
  }
  return dayStep * 1440L + (a.tm_hour - b.tm_hour) * 60L + (a.tm_min - b.tm_min);
}

}  // namespace

// The standard-time bias is the difference between Universal Time and the local clock, less the
// hour of daylight saving when it is in force: the value the C library keeps as its time-zone
// bias, found here with the standard calls only.
LocalClockReading SystemLocalClock::Now() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  std::tm universal{};
  if (const std::tm* l = std::localtime(&now)) local = *l;
  if (const std::tm* u = std::gmtime(&now)) universal = *u;

  LocalClockReading r;
  r.year = local.tm_year + 1900;
  r.month = local.tm_mon + 1;
  r.day = local.tm_mday;
  r.hour = local.tm_hour;
  r.minute = local.tm_min;
  r.second = local.tm_sec;
  r.daylightSaving = local.tm_isdst;
  const long eastOfGreenwich = MinutesBetween(local, universal);
  r.biasMinutesWest = -(eastOfGreenwich - (local.tm_isdst > 0 ? 60 : 0));
  return r;
}

}  // namespace sundial
