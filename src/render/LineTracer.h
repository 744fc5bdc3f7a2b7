// Traces one computed line of the dial point by point:
//  - a point that does not exist (|x| or |y| at or above 1e10) is passed over without lifting
//    the pen, so the line runs on from the last drawn point to the next one;
//  - a point whose sun can light the plate is joined to the previous one when the pen is down,
//    otherwise the pen moves there and goes down;
//  - a point the sun cannot light moves the pen there and lifts it.
// The caller decides visibility (it depends on the dial type and on the family of the line).
#pragma once

#include "render/PlaneMapping.h"

namespace sundial {

class LineTracer {
 public:
  enum class Step {
    Skipped,   // the point does not exist
    Started,   // visible, pen was up: moved there, pen now down
    Drawn,     // visible, pen was down: line drawn to it
    Hidden,    // not visible: moved there, pen now up
  };

  LineTracer(Canvas& canvas, const DeviceFrame& frame) : frame_(frame), pen_(canvas, frame) {}

  // Starts a new line: pen up, no point traced yet.
  void Begin();
  Step Trace(double x, double y, bool visible);

  bool PenDown() const { return penDown_; }
  // The pixel of the last point that was not skipped; false when there is none or when it
  // lies beyond the device limit (a label there could not be seen).
  bool LastPoint(int& px, int& py) const;
  bool LastPointInsidePlate(const DialModel& model) const;

 private:
  const DeviceFrame& frame_;
  DevicePen pen_;
  bool penDown_ = false;
  bool havePoint_ = false;
  double lastX_ = 0;
  double lastY_ = 0;
};

// True for a coordinate pair that marks a point that does not exist (or is not a number).
bool IsAbsentPoint(double x, double y);

}  // namespace sundial
