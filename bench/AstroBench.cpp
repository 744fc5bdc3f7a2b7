// The astronomy's costs: one present-sun computation per tick, and the sun-path operations the
// geometry calls tens of thousands of times per dial.
#include <benchmark/benchmark.h>

#include "astro/DailySunTables.h"
#include "astro/SunPath.h"
#include "astro/SunState.h"

namespace {

using namespace sundial;

void BM_ComputeSunState(benchmark::State& state) {
  int second = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        ComputeSunState(2010, 7, 15, 13, 0, second++ % 60, 1, 0, 45.3825, -7.713333333333334));
  }
}
BENCHMARK(BM_ComputeSunState);

// One day of hour-line points: 24 hours in steps of a minute, for the day's declination.
void BM_SunPathOnDay(benchmark::State& state) {
  int day = 0;
  for (auto _ : state) {
    for (double hour = 0; hour < 24; hour += 1.0 / 60) {
      benchmark::DoNotOptimize(SunAzimuthOnDay(hour, day, 7.286666666666666, 45.3825));
      benchmark::DoNotOptimize(SunAltitudeOnDay(hour, day, 7.286666666666666, 45.3825));
    }
    day = (day + 1) % kDaysInTable;
  }
  state.SetItemsProcessed(state.iterations() * 2 * 1440);
}
BENCHMARK(BM_SunPathOnDay);

void BM_SunPathAtDeclination(benchmark::State& state) {
  double declination = -23.44;
  for (auto _ : state) {
    benchmark::DoNotOptimize(SunAzimuthAtDeclination(15.5, declination, 0, 45.3825));
    benchmark::DoNotOptimize(SunAltitudeAtDeclination(15.5, declination, 0, 45.3825));
    declination = declination > 23.44 ? -23.44 : declination + 0.5;
  }
}
BENCHMARK(BM_SunPathAtDeclination);

void BM_SunPathOnDateLine(benchmark::State& state) {
  int line = 1;
  for (auto _ : state) {
    benchmark::DoNotOptimize(SunAzimuthOnDateLine(9.25, line, 0, 45.3825));
    benchmark::DoNotOptimize(SunAltitudeOnDateLine(9.25, line, 0, 45.3825));
    line = line % 7 + 1;
  }
}
BENCHMARK(BM_SunPathOnDateLine);

void BM_DailyTableLookups(benchmark::State& state) {
  double x = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(DailyEquationOfTime(x));
    benchmark::DoNotOptimize(DailyDeclination(x));
    x = x > 364 ? 0 : x + 0.37;
  }
}
BENCHMARK(BM_DailyTableLookups);

}  // namespace
