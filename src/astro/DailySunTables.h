// The daily sun tables of a common year and the seven standard date lines. The dial geometry
// traces its date curves and mean-time figures from these fixed tables instead of running the
// full solar theory thousands of times.
//
// dayIndex: 0 = 1 January ... 364 = 31 December of a common year (DayOfYear − 1).
#pragma once

namespace sundial {

inline constexpr int kDaysInTable = 365;

// Equation of time, mean minus apparent solar time, in SECONDS (positive when a sundial is
// slow, as in February), linearly interpolated between the daily entries. A dayIndex not above
// 0 (or NaN) gives the first entry, one at or above 364 the last.
double DailyEquationOfTime(double dayIndex);

// Declination of the sun in degrees, interpolated in the same way.
double DailyDeclination(double dayIndex);

// Declination of the sun in degrees on one day; indexes outside 0..364 give the nearest end.
double DailyDeclinationAt(int dayIndex);

// Declination in degrees of the standard date line 1..7 (winter solstice, the entries of the
// sun into the signs of the zodiac, summer solstice). A number outside 1..7 gives the nearest
// end line.
double DateLineDeclination(int dateLine);

}  // namespace sundial
