// What every stage of one paint reads: the canvas with its drawing objects, the plate mapping,
// the dial and the present sun.
#pragma once

#include "model/DialGeometry.h"
#include "model/DialModel.h"
#include "render/Canvas.h"
#include "render/DialPainter.h"
#include "render/DrawingResources.h"
#include "render/PlaneMapping.h"

namespace sundial {

struct PaintContext {
  Canvas& canvas;
  MessageReporter& reporter;
  const PaintInput& input;
  const DialModel& model;
  const DialGeometry* geometry;  // null when the dial has no computed lines
  DeviceFrame frame;
  DrawingResources res;
  FontSelector fonts;

  int U() const { return frame.lineUnitX; }
  int V() const { return frame.lineUnitY; }
};

}  // namespace sundial
