// The raw daily tables behind DailySunTables.h, written by tools/GenerateDailySunTables.
#pragma once

namespace sundial::detail {

// Mean minus apparent solar time in minutes at each dayIndex, two decimals.
extern const double kDailyEquationOfTimeMinutes[365];
// Declination of the sun in degrees at each dayIndex, two decimals.
extern const double kDailyDeclinationDegrees[365];

}  // namespace sundial::detail
