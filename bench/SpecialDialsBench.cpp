// The geometry of the altitude dials (types 13, 14) and of the dial traced onto a receiving
// outline (type 12), computed from the example dials. The traced dial reads about 1.3 million
// shadows before its first picture; BM_TraceTrigonometryAlone times only the trigonometry that
// so many sun positions need (the sine and cosine of the hour angle, then the azimuth and the
// altitude), the floor that the whole computation is measured against.
#include <benchmark/benchmark.h>

#include <cmath>
#include <string>

#include "geometry/ComputeDialGeometry.h"
#include "model/DialFileReader.h"
#include "model/DialModel.h"

namespace {

void LoadExample(sundial::DialModel& model, const char* file) {
  std::string path = SUNDIAL_SOURCE_DIR;
  path += "/examples/";
  path += file;
  sundial::ReadDialFile(path, model);
}

void ComputeExample(benchmark::State& state, const char* file) {
  sundial::DialModel model;
  LoadExample(model, file);
  if (model.dialType < 12) state.SkipWithError("example dial not found");
  for (auto _ : state) {
    sundial::ComputeDialGeometry(model);
    benchmark::DoNotOptimize(model.geometry.get());
    benchmark::ClobberMemory();
  }
}

void BM_ComputeReceivingOutlineDial(benchmark::State& state) {
  ComputeExample(state, "type-12-receiving-ellipse-torino.vqr");
}
BENCHMARK(BM_ComputeReceivingOutlineDial)->Unit(benchmark::kMillisecond);

void BM_ComputeDeclinationScaleDial(benchmark::State& state) {
  ComputeExample(state, "type-13-cylinder-declination-venezia.vqr");
}
BENCHMARK(BM_ComputeDeclinationScaleDial)->Unit(benchmark::kMillisecond);

void BM_ComputeCalendarScaleDial(benchmark::State& state) {
  ComputeExample(state, "type-14-cylinder-calendar-edinburgh.vqr");
}
BENCHMARK(BM_ComputeCalendarScaleDial)->Unit(benchmark::kMillisecond);

// As many sun positions as the traced dial reads (308 hour, azimuth and ecliptic lines and 38
// almucantar halves over 3650 steps, 25 day curves of 2410 points), each with one sine and cosine
// of its hour angle, one arc tangent for the azimuth and one arc sine for the altitude.
void BM_TraceTrigonometryAlone(benchmark::State& state) {
  constexpr int kPoints = (308 + 38) * 3650 + 25 * 2410;
  const double sinLat = std::sin(0.78), cosLat = std::cos(0.78);
  // The declination changes once per step of the year: its sine and cosine come from a table.
  double sinDec[1024], cosDec[1024];
  for (int j = 0; j < 1024; ++j) {
    sinDec[j] = std::sin(0.4 * std::sin(1e-3 * j));
    cosDec[j] = std::cos(0.4 * std::sin(1e-3 * j));
  }
  for (auto _ : state) {
    double sum = 0;
    for (int i = 0; i < kPoints; ++i) {
      const double h = -3.0 + 6.0e-6 * i;
      const double sd = sinDec[i & 1023], cd = cosDec[i & 1023];
      const double sh = std::sin(h), ch = std::cos(h);
      const double west = cd * sh;
      const double south = sinLat * cd * ch - cosLat * sd;
      sum += std::atan2(west, south) + std::asin(sinLat * sd + cosLat * cd * ch);
    }
    benchmark::DoNotOptimize(sum);
  }
  state.counters["points"] = kPoints;
}
BENCHMARK(BM_TraceTrigonometryAlone)->Unit(benchmark::kMillisecond);

}  // namespace
