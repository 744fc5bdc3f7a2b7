// The Earth's abridged VSOP87 series (Meeus, Astronomical Algorithms, Appendix III).
#pragma once

namespace sundial::detail {

struct Vsop87Term {
  double a;  // amplitude, 1e-8 radian or 1e-8 astronomical unit
  double b;  // phase, radians
  double c;  // frequency, radians per Julian millennium
};

struct Vsop87Series {
  const Vsop87Term* terms;
  int count;
};

// L0..L5 (heliocentric longitude), B0..B1 (latitude), R0..R4 (radius vector).
extern const Vsop87Series kEarthLongitudeSeries[6];
extern const Vsop87Series kEarthLatitudeSeries[2];
extern const Vsop87Series kEarthRadiusSeries[5];

}  // namespace sundial::detail
