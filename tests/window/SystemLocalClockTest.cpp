// The computer's clock as the tick reads it: the standard-time bias must not move with daylight
// saving, and must keep the half-hour zones.
#include <gtest/gtest.h>

#if !defined(_WIN32)

#include <cstdlib>
#include <ctime>
#include <string>

#include "window/LocalClock.h"

namespace sundial {
namespace {

class ZoneScope {
 public:
  explicit ZoneScope(const char* zone) {
    if (const char* old = std::getenv("TZ")) saved_ = old, hadZone_ = true;
    setenv("TZ", zone, 1);
    tzset();
  }
  ~ZoneScope() {
    if (hadZone_) {
      setenv("TZ", saved_.c_str(), 1);
    } else {
      unsetenv("TZ");
    }
    tzset();
  }

 private:
  std::string saved_;
  bool hadZone_ = false;
};

TEST(SystemLocalClock, BiasIsTheStandardZoneInMinutesWest) {
  struct Case {
    const char* zone;
    long bias;
  };
  // Central Europe keeps -60 in summer and winter alike; India and Newfoundland have half hours.
  for (const Case c : {Case{"CET-1CEST,M3.5.0,M10.5.0/3", -60}, Case{"IST-5:30", -330},
                       Case{"NST3:30", 210}, Case{"UTC0", 0},
                       Case{"AEST-10AEDT,M10.1.0,M4.1.0/3", -600}}) {
    SCOPED_TRACE(c.zone);
    ZoneScope scope(c.zone);
    const LocalClockReading r = SystemLocalClock().Now();
    EXPECT_EQ(c.bias, r.biasMinutesWest);
    EXPECT_GE(r.year, 2020);
    EXPECT_TRUE(r.month >= 1 && r.month <= 12);
    EXPECT_TRUE(r.day >= 1 && r.day <= 31);
    EXPECT_TRUE(r.hour >= 0 && r.hour <= 23);
  }
}

}  // namespace
}  // namespace sundial

#endif
