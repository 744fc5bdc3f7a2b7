// The mapping from the dial plane to canvas pixels for one paint.
//
// The plate (plateXMin..plateXMax, plateYMin..plateYMax, dial units) is fitted into the window
// keeping its proportions; one scale serves both axes and the plane's y axis points down the
// picture, so nothing is flipped. The altitude dials (types 13, 14) are drawn at 90 % of the
// fitted size, 5 % of the height below the top edge.
//
// Lines are mapped in floating point and clipped to a square of +-kDeviceLimit pixels before
// they become integers: a point far off the plate (a sun grazing the plate's plane casts the
// nodus shadow millions of units away) then yields a segment that keeps its direction, and no
// coordinate beyond the limit, and nothing that is not a finite number, reaches the canvas.
#pragma once

#include "model/DialModel.h"
#include "render/Canvas.h"

namespace sundial {

inline constexpr double kDeviceLimit = 134217728.0;  // 2^27 pixels

struct PlateFit {
  double scale = 1;  // pixels per dial unit
  int originX = 0;   // canvas pixel of (plateXMin, plateYMin)
  int originY = 0;
};

// Fits the plate of the model into a canvas of width x height pixels.
PlateFit FitPlate(const DialModel& model, int width, int height);

// originX + trunc((x - plateXMin) * scale), and the same for y with plateYMin: the pixel of a
// plane coordinate that lies within the device limit.
int PlaneToDeviceX(double x, const DialModel& model, int originX, int originY, double scale);
int PlaneToDeviceY(double y, const DialModel& model, int originX, int originY, double scale);

// Everything one paint needs to place things on the canvas.
struct DeviceFrame {
  int width = 0;
  int height = 0;
  double scale = 1;
  int originX = 0;
  int originY = 0;
  double plateXMin = 0;
  double plateYMin = 0;
  int lineUnitX = 0;  // width / 300: the wide pens and the unit of label offsets
  int lineUnitY = 0;  // height / 300
  IntRect plateRect;

  static DeviceFrame For(const DialModel& model, int width, int height);

  // Pixel offset from the origin of a plane coordinate, not yet truncated.
  double OffsetX(double x) const { return (x - plateXMin) * scale; }
  double OffsetY(double y) const { return (y - plateYMin) * scale; }
  // The pixel of a plane point; false (and nothing written) when the point is not finite or
  // falls beyond the device limit.
  bool Map(double x, double y, int& px, int& py) const;
  // The pixel of a plane point pulled back inside the device limit (for clip rectangles,
  // whose edges may be moved to the limit without changing what shows).
  int ClampedX(double x) const;
  int ClampedY(double y) const;
};

// Draws straight segments between plane points through the frame, clipping each segment to
// the device limit in floating point. Keeps the true current point, which may lie far off.
class DevicePen {
 public:
  DevicePen(Canvas& canvas, const DeviceFrame& frame) : canvas_(canvas), frame_(frame) {}

  void MoveTo(double x, double y);
  void LineTo(double x, double y);

 private:
  Canvas& canvas_;
  const DeviceFrame& frame_;
  double curX_ = 0;  // pixel offsets of the current point
  double curY_ = 0;
  bool haveCurrent_ = false;
  bool canvasAtCurrent_ = false;  // the canvas's own current point is ours
};

}  // namespace sundial
