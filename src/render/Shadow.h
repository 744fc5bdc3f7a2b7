// The last stage of every paint: the shadow that the present sun casts, the style's shadow and
// a brown spot at the shadow of the nodus, drawn over the face without the clip of the plate.
#pragma once

#include "model/DialGeometry.h"
#include "render/PaintContext.h"

namespace sundial {

// Where the shadow of the nodus (the gnomon's tip, `gnomonLength` above the origin) falls on
// the plate of a line dial (types 0 to 4, 7 to 11) for the sun at (azimuth, altitude).
PlanePoint NodusShadow(const DialModel& model, double sunAzimuth, double sunAltitude);

void DrawShadow(PaintContext& ctx);

}  // namespace sundial
