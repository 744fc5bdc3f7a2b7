// The face of the line dials: the polar-style plate dials (types 0, 1, 2, 11), the equatorial
// dials (3, 4) and the sky maps (7 to 10). Their stages run in a fixed order: titles, gnomon
// construction, clip, day curves, horizon, the eleven hour and sky layers, the mean-time
// figures and the noon mark; the shadow follows (Shadow.h).
#pragma once

#include "model/DialGeometry.h"
#include "render/PaintContext.h"

namespace sundial {

struct ReplacedObjects {
  ObjectHandle pen = kNoObject;
  ObjectHandle brush = kNoObject;
};

// For every dial type: the axes and the substyle line when asked for, in the light grey dashed
// pen; then selects the wide white pen and the black brush for the face and returns what they
// replaced.
ReplacedObjects DrawCommonOverlays(PaintContext& ctx);

// Which lines of an hour or sky layer are drawn (first..last, label indices, clipped to the
// layer's `capacity`) and over how many points of each line.
struct LayerSpan {
  int first = 0;
  int last = -1;
  int points = 0;
  int capacity = 0;
};

// The eleven hour and sky layers, in their drawing order.
struct HourLayerPlan {
  LayerSpan italian, babylonian, reference, temporary, ascendantHalf, ascendant, eclipticHalf,
      ecliptic, azimuth, almucantar, modern;
};

// The line dials' plan: every line of each layer over the declination (or ecliptic) sweep, the
// half layers over its first 48 points, the almucantars over 361 azimuths.
HourLayerPlan LineDialLayerPlan();

// The hour and sky layers under their display switches, solid and intermediate lines
// alternating, with their end labels, numerals and glyphs. The altitude dials draw them over
// their own spans.
void DrawHourLayers(PaintContext& ctx, const HourLayerPlan& plan);

// The stages of the line dials from the titles to the noon mark.
void DrawLineDialFace(PaintContext& ctx);

// The point of the plate where the style meets it (the foot of the stick for the equatorial
// dials and the sky maps), in dial units.
PlanePoint StyleRoot(const DialModel& model);

}  // namespace sundial
