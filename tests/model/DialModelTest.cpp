#include <gtest/gtest.h>

#include "model/DialModel.h"

namespace sundial {
namespace {

TEST(LongitudeCorrection, DefaultDialLiesWestOfItsZoneMeridian) {
  DialModel m;
  ApplyDefaultDial(m, true);
  EXPECT_DOUBLE_EQ(LongitudeCorrection(m), 7.286666666666666);
}

TEST(LongitudeCorrection, ZoneMinutesTakeTheSignOfTheZone) {
  DialModel m;
  m.longitude = 10;
  m.timeZone = -3;
  m.timeZoneMinutes = 30;
  EXPECT_DOUBLE_EQ(LongitudeCorrection(m), 10 - 52.5);
  m.timeZone = 0;  // a zero zone counts as positive
  EXPECT_DOUBLE_EQ(LongitudeCorrection(m), 10 + 7.5);
}

TEST(LongitudeCorrection, LocalSolarTimeAndMissingZoneGiveZero) {
  DialModel m;
  m.longitude = -7.7;
  m.timeZone = 1;
  m.localSolarTime = 1;
  EXPECT_EQ(LongitudeCorrection(m), 0.0);
  m.localSolarTime = 0;
  m.timeZone = kNoTimeZone;  // the file names no zone: not 1485 degrees
  EXPECT_EQ(LongitudeCorrection(m), 0.0);
}

}  // namespace
}  // namespace sundial
