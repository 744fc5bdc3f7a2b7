// The geometry of the altitude dials (types 13, 14) and of the dial traced onto a receiving
// outline (type 12), computed from the example dials. The traced dial reads about 1.3 million
// shadows before its first picture; BM_TraceTrigonometryAlone times only the trigonometry that
// so many sun positions need (the sine and cosine of the hour angle, then the azimuth and the
// altitude), the floor that the whole computation is measured against.
#include <benchmark/benchmark.h>

#include <cmath>
#include <string>

#include "geometry/ComputeDialGeometry.h"
#include "geometry/ReceivingOutlineTrace.h"
#include "model/DialFileReader.h"
#include "model/DialModel.h"
#include "render/DialPainter.h"

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

// The same, each time with fresh traces: their 54 MB come as new pages from the system, first
// touched by the trace, as when the saver loads the dial.
void BM_ComputeReceivingOutlineDialFreshTraces(benchmark::State& state) {
  sundial::DialModel model;
  LoadExample(model, "type-12-receiving-ellipse-torino.vqr");
  if (model.dialType != 12) state.SkipWithError("example dial not found");
  for (auto _ : state) {
    state.PauseTiming();
    model.fine.reset();
    state.ResumeTiming();
    sundial::ComputeDialGeometry(model);
    benchmark::DoNotOptimize(model.fine.get());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_ComputeReceivingOutlineDialFreshTraces)->Unit(benchmark::kMillisecond);

// The year's trace alone, on the two threads it takes and on one.
void TraceBench(benchmark::State& state, sundial::TraceThreads threads) {
  sundial::DialModel model;
  LoadExample(model, "type-12-receiving-ellipse-torino.vqr");
  if (model.dialType != 12) state.SkipWithError("example dial not found");
  auto fine = sundial::FineDialGeometry::NewZeroed();
  for (auto _ : state) {
    sundial::TraceReceivingOutline(model, model.longitudeCorrection, *fine, threads);
    benchmark::DoNotOptimize(fine.get());
    benchmark::ClobberMemory();
  }
}
void BM_TraceReceivingOutlineTwoThreads(benchmark::State& state) {
  TraceBench(state, sundial::TraceThreads::Two);
}
BENCHMARK(BM_TraceReceivingOutlineTwoThreads)->Unit(benchmark::kMillisecond);
void BM_TraceReceivingOutlineOneThread(benchmark::State& state) {
  TraceBench(state, sundial::TraceThreads::One);
}
BENCHMARK(BM_TraceReceivingOutlineOneThread)->Unit(benchmark::kMillisecond);

// Which points of the drawn traces are lit, decided at load for the first paint.
void BM_DecideFineLight(benchmark::State& state) {
  sundial::DialModel model;
  LoadExample(model, "type-12-receiving-ellipse-torino.vqr");
  if (model.dialType != 12) state.SkipWithError("example dial not found");
  sundial::ComputeDialGeometry(model);
  for (auto _ : state) {
    sundial::FineLightCache light;
    sundial::DecideFineLight(model, light);
    benchmark::DoNotOptimize(&light);
  }
}
BENCHMARK(BM_DecideFineLight)->Unit(benchmark::kMillisecond);

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
