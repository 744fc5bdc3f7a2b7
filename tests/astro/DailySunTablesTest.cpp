#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "astro/CivilTime.h"
#include "astro/DailySunTableData.h"
#include "astro/DailySunTables.h"
#include "astro/SolarPosition.h"

namespace sundial {
namespace {

using detail::kDailyDeclinationDegrees;
using detail::kDailyEquationOfTimeMinutes;

struct AlmanacRow {
  int day;
  double eot;          // minutes
  double declination;  // degrees
};

// The almanac's 1st and 15th of every month.
constexpr AlmanacRow kAlmanac[] = {
    {0, 3.5, -22.99},     {14, 9.36, -21.1},     {31, 13.55, -17.07},   {45, 14.12, -12.64},
    {59, 12.31, -7.45},   {73, 8.9, -1.99},      {90, 3.85, 4.68},      {104, 0.03, 9.9},
    {120, -2.89, 15.19},  {134, -3.62, 18.95},   {151, -2.11, 22.1},    {165, 0.55, 23.32},
    {181, 3.93, 23.08},   {195, 6.03, 21.46},    {212, 6.36, 17.92},    {226, 4.49, 13.93},
    {243, -0.01, 8.14},   {257, -4.81, 2.88},    {273, -10.36, -3.33},  {287, -14.23, -8.65},
    {304, -16.4, -14.54}, {318, -15.38, -18.57}, {334, -10.93, -21.85}, {348, -4.83, -23.28},
};

TEST(DailySunTables, AlmanacRowsHoldExactly) {
  for (const AlmanacRow& r : kAlmanac) {
    EXPECT_EQ(kDailyEquationOfTimeMinutes[r.day], r.eot) << r.day;
    EXPECT_EQ(kDailyDeclinationDegrees[r.day], r.declination) << r.day;
    EXPECT_EQ(DailyDeclinationAt(r.day), r.declination) << r.day;
  }
  EXPECT_EQ(kDailyEquationOfTimeMinutes[364], 3.03);
  EXPECT_EQ(kDailyDeclinationDegrees[1], -22.9);
  EXPECT_EQ(kDailyDeclinationDegrees[364], -23.07);
}

// value at the named entries, and strictly beyond it everywhere else in [lo, hi].
void ExpectExtreme(const double* table, int from, int to, int lo, int hi, double value,
                   bool maximum) {
  for (int i = lo; i <= hi; ++i) {
    if (i >= from && i <= to) {
      EXPECT_EQ(table[i], value) << i;
    } else if (maximum) {
      EXPECT_LT(table[i], value) << i;
    } else {
      EXPECT_GT(table[i], value) << i;
    }
  }
}

TEST(DailySunTables, ExtremesAtTheirEntries) {
  ExpectExtreme(kDailyEquationOfTimeMinutes, 40, 42, 0, 364, 14.21, true);
  ExpectExtreme(kDailyEquationOfTimeMinutes, 305, 306, 0, 364, -16.42, false);
  ExpectExtreme(kDailyEquationOfTimeMinutes, 132, 133, 105, 162, -3.63, false);
  ExpectExtreme(kDailyEquationOfTimeMinutes, 205, 206, 163, 242, 6.57, true);
  ExpectExtreme(kDailyDeclinationDegrees, 171, 171, 0, 364, 23.44, true);
  ExpectExtreme(kDailyDeclinationDegrees, 354, 354, 0, 364, -23.44, false);
}

std::vector<int> SignChanges(const double* table) {
  std::vector<int> after;
  for (int i = 0; i + 1 < kDaysInTable; ++i) {
    if ((table[i] < 0) != (table[i + 1] < 0)) after.push_back(i);
  }
  return after;
}

TEST(DailySunTables, SignChangesWhereTheAlmanacHasThem) {
  EXPECT_EQ(SignChanges(kDailyEquationOfTimeMinutes), (std::vector<int>{104, 162, 242, 357}));
  EXPECT_EQ(SignChanges(kDailyDeclinationDegrees), (std::vector<int>{78, 264}));
  for (int i = 0; i < kDaysInTable; ++i) {
    EXPECT_NE(kDailyEquationOfTimeMinutes[i], 0) << i;
    EXPECT_NE(kDailyDeclinationDegrees[i], 0) << i;
  }
}

TEST(DailySunTables, TwoDecimals) {
  for (int i = 0; i < kDaysInTable; ++i) {
    EXPECT_EQ(std::round(kDailyEquationOfTimeMinutes[i] * 100) / 100, kDailyEquationOfTimeMinutes[i]);
    EXPECT_EQ(std::round(kDailyDeclinationDegrees[i] * 100) / 100, kDailyDeclinationDegrees[i]);
  }
}

// The tables follow the sun of 12h UT in 2010 within a tenth, and their day-to-day curvature
// follows the sun's: a hand-edited entry or a correction applied in steps shows up as a spike
// in the second difference.
TEST(DailySunTables, CloseToTheSolarTheoryAndSmooth) {
  std::vector<double> eot, dec;
  for (int i = 0; i < kDaysInTable; ++i) {
    const double jd = JulianDay(2010, 1, 1.5 + i, 1);
    const double jde = jd + DeltaT(jd) / 86400;
    double e = EquationOfTime(jde);
    if (e > 720) e -= 1440;
    eot.push_back(-e);
    dec.push_back(EclipticToEquatorial(SunApparentLongitude(jde), SunApparentLatitude(jde),
                                       TrueObliquity(jde))
                      .declination);
  }
  double worstEot = 0, worstDec = 0;
  for (int i = 0; i < kDaysInTable; ++i) {
    worstEot = std::fmax(worstEot, std::fabs(kDailyEquationOfTimeMinutes[i] - eot[i]));
    worstDec = std::fmax(worstDec, std::fabs(kDailyDeclinationDegrees[i] - dec[i]));
    if (i == 0 || i == kDaysInTable - 1) continue;
    const auto second = [i](auto&& t) { return t[i - 1] - 2 * t[i] + t[i + 1]; };
    EXPECT_NEAR(second(kDailyEquationOfTimeMinutes), second(eot), 0.025) << i;
    EXPECT_NEAR(second(kDailyDeclinationDegrees), second(dec), 0.025) << i;
  }
  EXPECT_LT(worstEot, 0.11);
  EXPECT_LT(worstDec, 0.09);
}

TEST(DailySunTables, InterpolatedLookup) {
  EXPECT_EQ(DailyDeclination(1), -22.9);
  EXPECT_NEAR(DailyDeclination(0.5), -22.945, 1e-12);
  EXPECT_EQ(DailyDeclination(400), -23.07);
  EXPECT_EQ(DailyDeclination(-2), -22.99);
  EXPECT_EQ(DailyDeclination(std::nan("")), -22.99);
  EXPECT_EQ(DailyEquationOfTime(0), 210);
  EXPECT_EQ(DailyEquationOfTime(-5), 210);
  EXPECT_NEAR(DailyEquationOfTime(41.5), 852.6, 1e-9);
  EXPECT_NEAR(DailyEquationOfTime(364), 181.8, 1e-9);
  EXPECT_NEAR(DailyEquationOfTime(1e300), 181.8, 1e-9);
  // Every whole index returns its entry exactly.
  for (int i = 0; i < kDaysInTable; ++i) {
    EXPECT_EQ(DailyDeclination(i), kDailyDeclinationDegrees[i]) << i;
    EXPECT_EQ(DailyEquationOfTime(i), kDailyEquationOfTimeMinutes[i] * 60) << i;
  }
  // Between entries the value lies between them.
  const double mid = DailyDeclination(100.25);
  EXPECT_NEAR(mid, 0.75 * kDailyDeclinationDegrees[100] + 0.25 * kDailyDeclinationDegrees[101],
              1e-12);
}

TEST(DailySunTables, DirectLookupClampsToTheYear) {
  EXPECT_EQ(DailyDeclinationAt(171), 23.44);
  EXPECT_EQ(DailyDeclinationAt(-1), -22.99);
  EXPECT_EQ(DailyDeclinationAt(365), -23.07);
}

TEST(DailySunTables, DateLines) {
  const double expected[7] = {-23.433333333333334, -20.15, -11.48, 0, 11.48, 20.15,
                              23.433333333333334};
  for (int line = 1; line <= 7; ++line) EXPECT_EQ(DateLineDeclination(line), expected[line - 1]);
  EXPECT_EQ(DateLineDeclination(0), expected[0]);
  EXPECT_EQ(DateLineDeclination(8), expected[6]);
}

}  // namespace
}  // namespace sundial
