// The dial types whose faces do not follow the sequence of the line dials: the analemmatic
// dials (5, 6), the dial traced onto a receiving outline (12) and the altitude dials (13, 14).
// Each function draws only the stages named; the painter calls them in the type's order,
// around the titles and before the shadow.
#pragma once

#include "render/DialFace.h"
#include "render/PaintContext.h"

namespace sundial {

// Types 5, 6: optional clip (type 6), day curves, hour marks on the ellipse, and the date scale
// of the movable stick with its zodiac labels. Drawn before the titles.
void DrawAnalemmaticFace(PaintContext& ctx);

// Type 12: the stages of the line dials from the gnomon construction to the noon mark, over the
// fine traces. Drawn after the titles.
void DrawReceivingSurfaceFace(PaintContext& ctx);

// Types 13, 14: day curves, date-scale labels, the hour and sky layers over their ranges and
// the noon mark. Drawn after the titles.
void DrawAltitudeFace(PaintContext& ctx);

// The shadows of these types, called by the shadow stage once it has passed the gate and the
// visibility test, with penBrownWide and brushBrown selected (both put back by the caller).
// `previousBrush` is the brush current before the stage (the face's black brush), in which the
// reading points of types 5, 6 and 12 are drawn.
void DrawAltitudeShadow(PaintContext& ctx);
void DrawAnalemmaticShadow(PaintContext& ctx, ObjectHandle previousBrush);
void DrawReceivingSurfaceShadow(PaintContext& ctx, ObjectHandle previousBrush);

// The analemmatic stick for the present sun: its foot on the date scale at today's declination
// and the tip of its shadow.
struct AnalemmaticShadowPoints {
  PlanePoint foot;
  PlanePoint tip;
};
AnalemmaticShadowPoints AnalemmaticShadow(const DialModel& model, double sunAzimuth,
                                          double sunAltitude, double sunDeclination);
// Where that shadow's ray meets the ellipse of hour points (the first day curve).
PlanePoint AnalemmaticReadingPoint(const DialModel& model, const DialGeometry& geometry,
                                   const AnalemmaticShadowPoints& shadow);

// The altitude dials' stick for the present sun: x of today on the date scale, and the end of
// the shadow straight below the gnomon.
PlanePoint AltitudeShadowEnd(const DialModel& model, double sunAltitude, double sunDeclination,
                             int dayOfYear);

// The hour and sky layers of an altitude dial over the ranges that afternoonOnly and
// morningOnly leave (the azimuth layer with the two roles swapped).
HourLayerPlan AltitudeDialLayerPlan(const DialModel& model);

// The type-12 rod for the present sun: the shadows of its two points, and the reading point on
// today's outline (both coordinates kOutlineMissed when the shadow line misses the outline).
struct RodReading {
  PlanePoint p1;
  PlanePoint p2;
  PlanePoint reading;
};
RodReading ReceivingOutlineReading(const DialModel& model, double sunAzimuth, double sunAltitude,
                                   int dayOfYear);

}  // namespace sundial
