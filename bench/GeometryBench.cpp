// ComputeDialGeometry for the built-in default dial and for one dial of each line and
// equatorial type (0 to 11), as a dial window computes it once after loading.
#include <benchmark/benchmark.h>

#include <memory>

#include "geometry/ComputeDialGeometry.h"
#include "model/DialModel.h"

namespace {

std::unique_ptr<sundial::DialModel> DialOfType(int type) {
  auto m = std::make_unique<sundial::DialModel>();
  sundial::ApplyDefaultDial(*m, true);
  m->dialType = type;
  m->secondZoneHours = 1;
  m->referenceAltitude = -6;
  m->referenceSide = 1;
  if (type == 11) m->planeInclination = 60;
  if (type == 2) m->planeInclination = m->latitude;
  for (int i = 0; i < 4; ++i) {  // a few user date lines
    m->dateLineEnabled[static_cast<std::size_t>(i)] = 1;
    m->dateLineDay[static_cast<std::size_t>(i)] = 15;
    m->dateLineMonth[static_cast<std::size_t>(i)] = 1 + 3 * i;
  }
  return m;
}

void BM_ComputeDefaultDial(benchmark::State& state) {
  auto m = std::make_unique<sundial::DialModel>();
  sundial::ApplyDefaultDial(*m, true);
  sundial::ComputeDialGeometry(*m);  // allocate once, as a loaded window has
  for (auto _ : state) {
    sundial::ComputeDialGeometry(*m);
    benchmark::DoNotOptimize(m->geometry->dayCurves[3].points[120].x);
  }
}
BENCHMARK(BM_ComputeDefaultDial)->Unit(benchmark::kMillisecond);

void BM_ComputeDialType(benchmark::State& state) {
  auto m = DialOfType(static_cast<int>(state.range(0)));
  sundial::ComputeDialGeometry(*m);
  for (auto _ : state) {
    sundial::ComputeDialGeometry(*m);
    benchmark::DoNotOptimize(m->geometry->modernHourLines[24].lineAngle);
  }
}
BENCHMARK(BM_ComputeDialType)->DenseRange(0, 11)->Unit(benchmark::kMillisecond);

// The first computation of a fresh model, allocation of the ~6 MB of records included.
void BM_FirstComputationWithAllocation(benchmark::State& state) {
  for (auto _ : state) {
    auto m = std::make_unique<sundial::DialModel>();
    sundial::ApplyDefaultDial(*m, true);
    sundial::ComputeDialGeometry(*m);
    benchmark::DoNotOptimize(m->geometry.get());
  }
}
BENCHMARK(BM_FirstComputationWithAllocation)->Unit(benchmark::kMillisecond);

}  // namespace
