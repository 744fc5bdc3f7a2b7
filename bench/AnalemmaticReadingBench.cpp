// The reading point of an analemmatic dial, found once a second: the walk of 10000 steps along
// the shadow's ray against the 241 hour points, and the quick search around the feet of the
// perpendiculars from the hour points, which finds the same step.
#include <benchmark/benchmark.h>

#include <vector>

#include "geometry/ComputeDialGeometry.h"
#include "model/DialModel.h"
#include "render/AnalemmaticReading.h"
#include "render/SpecialFaces.h"

namespace {

struct Reading {
  std::vector<sundial::PlanePoint> hourPoints;
  sundial::AnalemmaticRay ray;
};

Reading MorningReading() {
  sundial::DialModel model;
  sundial::ApplyDefaultDial(model, true);
  model.dialType = 5;
  model.latitude = 46.2;
  model.localSolarTime = 1;
  model.gnomonLength = 20;
  model.lineExtent = 100;
  model.longitudeCorrection = sundial::LongitudeCorrection(model);
  model.modelReady = 1;
  sundial::ComputeDialGeometry(model);
  Reading r;
  for (const sundial::DialPoint& p : model.geometry->dayCurves[0].points) {
    r.hourPoints.push_back({p.x, p.y});
  }
  // 15 July, half past nine in the morning (local solar time).
  const auto s = sundial::AnalemmaticShadow(model, -75.0, 40.0, 21.5);
  r.ray = sundial::AnalemmaticRay::Make(s.foot, s.tip, model.lineExtent);
  return r;
}

void BM_AnalemmaticReadingWalk(benchmark::State& state) {
  const Reading r = MorningReading();
  for (auto _ : state) {
    benchmark::DoNotOptimize(sundial::AnalemmaticReadingStepByWalk(r.ray, r.hourPoints));
  }
}
BENCHMARK(BM_AnalemmaticReadingWalk)->Unit(benchmark::kMillisecond);

void BM_AnalemmaticReadingQuick(benchmark::State& state) {
  const Reading r = MorningReading();
  for (auto _ : state) {
    benchmark::DoNotOptimize(sundial::AnalemmaticReadingStep(r.ray, r.hourPoints));
  }
}
BENCHMARK(BM_AnalemmaticReadingQuick)->Unit(benchmark::kMicrosecond);

}  // namespace
