// The periodic terms of the IAU 1980 nutation (Meeus, Astronomical Algorithms, Table 22.A).
#pragma once

namespace sundial::detail {

struct NutationTerm {
  int d, m, mPrime, f, omega;  // multipliers of the fundamental arguments
  int s;                       // longitude, 0.0001 arcsecond
  double sPrime;               // longitude, 0.0001 arcsecond per Julian century
  int c;                       // obliquity, 0.0001 arcsecond
  double cPrime;               // obliquity, 0.0001 arcsecond per Julian century
};

inline constexpr int kNutationTermCount = 63;
extern const NutationTerm kNutationTerms[kNutationTermCount];

}  // namespace sundial::detail
