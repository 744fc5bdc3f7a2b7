// One full paint of the built-in default dial on a 1920 x 1080 canvas, with the recording
// canvas alone: the cost of the painter itself, once a second in the saver.
#include <benchmark/benchmark.h>

#include "geometry/ComputeDialGeometry.h"
#include "model/DialModel.h"
#include "render/DialPainter.h"
#include "render/RecordingCanvas.h"

namespace {

class IgnoredMessages : public sundial::MessageReporter {
 public:
  void ShowMessage(const std::string&) override {}
};

void BM_PaintDefaultDialRecording(benchmark::State& state) {
  sundial::DialModel model;
  sundial::ApplyDefaultDial(model, true);
  model.longitudeCorrection = sundial::LongitudeCorrection(model);
  model.modelReady = 1;
  sundial::ComputeDialGeometry(model);
  // A summer afternoon: the sun stands in front of the west-declining wall.
  const sundial::PaintInput input{model, 1, 60.0, 40.0, 20.0, 196, " 16:00:00", "-00:05:40",
                                  "C:\\Dials\\default.vqr"};
  IgnoredMessages messages;
  std::size_t operations = 0;
  for (auto _ : state) {
    sundial::RecordingCanvas canvas(1920, 1080);
    sundial::PaintDial(input, canvas, messages);
    operations = canvas.Ops().size();
    benchmark::DoNotOptimize(operations);
  }
  state.counters["operations"] = static_cast<double>(operations);
}
BENCHMARK(BM_PaintDefaultDialRecording)->Unit(benchmark::kMillisecond);

}  // namespace
