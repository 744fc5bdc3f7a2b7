// Writes src/astro/DailySunTableData.cpp: the daily equation of time and declination of the
// sun for a common year, two decimals, from our own solar theory at 12h UT of each day of 2010,
// carried onto the almanac values the dial tables have always shown.
//
// The almanac values (first and last entries, the 1st and 15th of every month, the extremes and
// their entries) come from an almanac of their own that no single year and hour reproduce;
// the theory differs from them by some hundredths. Overwriting only those entries would leave
// bumps beside them, so the difference almanac − theory is interpolated linearly between
// neighbouring almanac entries and added to every day: the almanac values then hold exactly and
// the day-to-day steps stay as smooth as the sun's own motion.
//
// Usage: GenerateDailySunTables [OUTPUT.cpp]   (standard output when no file is named)
// The tool checks the finished tables (extremes, sign changes) and fails rather than write
// tables that break them; it reports the largest correction applied to each table.
#include <cmath>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "astro/CivilTime.h"
#include "astro/SolarPosition.h"

namespace {

using namespace sundial;

constexpr int kDays = 365;

struct Table {
  std::vector<double> theory;     // unrounded, from the solar theory
  std::map<int, double> almanac;  // dayIndex -> almanac value
  std::vector<double> final;      // two decimals
  double maxCorrection = 0;
};

double Round2(double x) { return std::round(x * 100) / 100; }

// Equation of time (mean − apparent, minutes) and declination (degrees) at 12h UT.
void ComputeTheory(Table& eot, Table& declination) {
  for (int i = 0; i < kDays; ++i) {
    const double jd = JulianDay(2010, 1, 1.5 + i, 1);
    const double jde = jd + DeltaT(jd) / 86400;
    double e = EquationOfTime(jde);  // apparent − mean, minutes modulo one day
    if (e > 720) e -= 1440;
    eot.theory.push_back(-e);
    const EquatorialPosition p = EclipticToEquatorial(
        SunApparentLongitude(jde), SunApparentLatitude(jde), TrueObliquity(jde));
    declination.theory.push_back(p.declination);
  }
}

void AddAlmanac(Table& eot, Table& declination) {
  // The 1st and 15th of each month: dayIndex, equation of time (minutes), declination.
  const struct {
    int day;
    double eot, declination;
  } rows[] = {
      {0, 3.5, -22.99},     {14, 9.36, -21.1},    {31, 13.55, -17.07},  {45, 14.12, -12.64},
      {59, 12.31, -7.45},   {73, 8.9, -1.99},     {90, 3.85, 4.68},     {104, 0.03, 9.9},
      {120, -2.89, 15.19},  {134, -3.62, 18.95},  {151, -2.11, 22.1},   {165, 0.55, 23.32},
      {181, 3.93, 23.08},   {195, 6.03, 21.46},   {212, 6.36, 17.92},   {226, 4.49, 13.93},
      {243, -0.01, 8.14},   {257, -4.81, 2.88},   {273, -10.36, -3.33}, {287, -14.23, -8.65},
      {304, -16.4, -14.54}, {318, -15.38, -18.57}, {334, -10.93, -21.85}, {348, -4.83, -23.28},
  };
  for (const auto& r : rows) {
    eot.almanac[r.day] = r.eot;
    declination.almanac[r.day] = r.declination;
  }
  // Last entries, extremes and the entries that carry them.
  eot.almanac[364] = 3.03;
  for (int d : {40, 41, 42}) eot.almanac[d] = 14.21;
  for (int d : {305, 306}) eot.almanac[d] = -16.42;
  for (int d : {132, 133}) eot.almanac[d] = -3.63;
  for (int d : {205, 206}) eot.almanac[d] = 6.57;
  declination.almanac[1] = -22.9;
  declination.almanac[364] = -23.07;
  declination.almanac[171] = 23.44;
  declination.almanac[354] = -23.44;
  // The solstice entries stand alone: the days on either side read one hundredth less.
  for (int d : {170, 172}) declination.almanac[d] = 23.43;
  for (int d : {353, 355}) declination.almanac[d] = -23.43;
}

void Carry(Table& t) {
  std::vector<int> days;
  std::vector<double> corrections;
  for (const auto& [day, value] : t.almanac) {
    days.push_back(day);
    corrections.push_back(value - t.theory[day]);
  }
  t.final.assign(kDays, 0);
  size_t k = 0;
  for (int i = 0; i < kDays; ++i) {
    while (k + 1 < days.size() && days[k + 1] <= i) ++k;
    double c = corrections[k];
    if (i > days[k] && k + 1 < days.size()) {
      const double w = double(i - days[k]) / (days[k + 1] - days[k]);
      c = corrections[k] + w * (corrections[k + 1] - corrections[k]);
    }
    t.final[i] = Round2(t.theory[i] + c);
    t.maxCorrection = std::fmax(t.maxCorrection, std::fabs(t.final[i] - Round2(t.theory[i])));
  }
}

int failures = 0;
void Check(bool ok, const char* what, int day) {
  if (!ok) {
    std::fprintf(stderr, "check failed: %s (day %d)\n", what, day);
    ++failures;
  }
}

// The almanac's extremes are strict: only the named entries carry the extreme value.
void CheckExtreme(const Table& t, int from, int to, int lo, int hi, double value, bool max) {
  for (int i = lo; i <= hi; ++i) {
    const bool named = i >= from && i <= to;
    if (named)
      Check(t.final[i] == value, "extreme value", i);
    else
      Check(max ? t.final[i] < value : t.final[i] > value, "extreme is strict", i);
  }
}

// Exactly the listed sign changes, and no entry of zero.
void CheckSignChanges(const Table& t, const std::vector<int>& after) {
  std::vector<int> found;
  for (int i = 0; i < kDays; ++i) {
    Check(t.final[i] != 0, "no zero entry", i);
    if (i + 1 < kDays && (t.final[i] < 0) != (t.final[i + 1] < 0)) found.push_back(i);
  }
  Check(found == after, "sign changes", found.empty() ? -1 : found.front());
}

void Validate(const Table& eot, const Table& dec) {
  for (const Table* t : {&eot, &dec})
    for (const auto& [day, value] : t->almanac) Check(t->final[day] == value, "almanac value", day);
  CheckExtreme(eot, 40, 42, 0, 120, 14.21, true);
  CheckExtreme(eot, 305, 306, 250, 364, -16.42, false);
  CheckExtreme(eot, 132, 133, 110, 160, -3.63, false);
  CheckExtreme(eot, 205, 206, 170, 240, 6.57, true);
  CheckExtreme(dec, 171, 171, 0, 364, 23.44, true);
  CheckExtreme(dec, 354, 354, 0, 364, -23.44, false);
  CheckSignChanges(eot, {104, 162, 242, 357});
  CheckSignChanges(dec, {78, 264});
}

std::string Format(const std::vector<double>& values) {
  std::string out;
  char cell[32];
  for (int i = 0; i < kDays; ++i) {
    if (i % 10 == 0) {
      std::snprintf(cell, sizeof cell, "    /* %3d */", i);
      out += cell;
    }
    std::snprintf(cell, sizeof cell, " %.2f,", values[i]);
    out += cell;
    if (i % 10 == 9 || i == kDays - 1) out += "\n";
  }
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  Table eot, dec;
  ComputeTheory(eot, dec);
  AddAlmanac(eot, dec);
  Carry(eot);
  Carry(dec);
  Validate(eot, dec);
  std::fprintf(stderr, "largest correction: equation of time %.2f min, declination %.2f deg\n",
               eot.maxCorrection, dec.maxCorrection);
  if (failures) return 1;

  std::string source =
      "// The daily sun tables of a common year, written by tools/GenerateDailySunTables: the\n"
      "// solar theory at 12h UT of each day of 2010, carried smoothly onto the almanac values.\n"
      "// Do not edit by hand; change the tool and run it again.\n"
      "#include \"astro/DailySunTableData.h\"\n\n"
      "namespace sundial::detail {\n\n"
      "// Mean minus apparent solar time, minutes.\n"
      "const double kDailyEquationOfTimeMinutes[365] = {\n" +
      Format(eot.final) +
      "};\n\n"
      "// Declination of the sun, degrees.\n"
      "const double kDailyDeclinationDegrees[365] = {\n" +
      Format(dec.final) + "};\n\n}  // namespace sundial::detail\n";

  std::FILE* out = argc > 1 ? std::fopen(argv[1], "w") : stdout;
  if (!out) {
    std::fprintf(stderr, "cannot write %s\n", argv[1]);
    return 1;
  }
  std::fputs(source.c_str(), out);
  if (out != stdout) std::fclose(out);
  return 0;
}
