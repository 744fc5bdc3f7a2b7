// Lookups in the daily sun tables.
#include "astro/DailySunTables.h"

#include <cmath>

#include "astro/DailySunTableData.h"

namespace sundial {
namespace {

// The sun's declination at its entry into the signs of the zodiac: the solstices at ±23°26′,
// 30 and 60 degrees of longitude from the equinoxes at ±11.48 and ±20.15 degrees.
constexpr double kDateLineDeclination[7] = {
    -23.433333333333334, -20.15, -11.48, 0.0, 11.48, 20.15, 23.433333333333334,
};

// Linear interpolation between the daily entries; a whole index returns its entry exactly.
double Interpolate(const double (&table)[kDaysInTable], double x) {
  if (!(x > 0)) return table[0];
  if (x >= kDaysInTable - 1) return table[kDaysInTable - 1];
  const double k = std::ceil(x);
  const int i = static_cast<int>(k);
  if (k == x) return table[i];
  return table[i - 1] + (x - (i - 1)) * (table[i] - table[i - 1]);
}

}  // namespace

double DailyEquationOfTime(double dayIndex) {
  return Interpolate(detail::kDailyEquationOfTimeMinutes, dayIndex) * 60;
}

double DailyDeclination(double dayIndex) {
  return Interpolate(detail::kDailyDeclinationDegrees, dayIndex);
}

double DailyDeclinationAt(int dayIndex) {
  if (dayIndex < 0) return detail::kDailyDeclinationDegrees[0];
  if (dayIndex > kDaysInTable - 1) return detail::kDailyDeclinationDegrees[kDaysInTable - 1];
  return detail::kDailyDeclinationDegrees[dayIndex];
}

double DateLineDeclination(int dateLine) {
  if (dateLine < 1) dateLine = 1;
  if (dateLine > 7) dateLine = 7;
  return kDateLineDeclination[dateLine - 1];
}

}  // namespace sundial
