// The reading of the dial traced onto a receiving outline: where the shadow of a straight rod
// crosses a closed outline (an ellipse or a rectangle) drawn on the plate.
//
// The rod joins two points above the plate. Their shadows P1 and P2 span the rod's shadow, and
// the straight line through them is intersected with the outline; of the (at most two) crossings
// one is chosen as the reading. All functions are pure and allocation-free; they are shared by
// the geometry of the traced dial and by the drawing of its live reading.
//
// Plate coordinates as everywhere on the dial: x to the right, y downward as seen facing the
// plate, lengths in the unit of gnomonLength.
#pragma once

#include "model/DialGeometry.h"

namespace sundial {

// The rod's shadow line, held by the two rod-point shadows it passes through. The line is the
// one of slope (P2.y - P1.y) / (P2.x - P1.x) and its intercept, vertical when both x are equal;
// keeping the two points instead of slope and intercept keeps a nearly vertical shadow exact.
// `defined` is false when P1 and P2 coincide or either is not finite (the sun in the plate's
// own plane, a rod lying flat on its shadow): such a shadow has no line and crosses nothing.
struct ShadowLine {
  PlanePoint p1;
  PlanePoint p2;
  bool defined;
  bool vertical;  // P1.x == P2.x
};

ShadowLine MakeShadowLine(PlanePoint p1, PlanePoint p2);

// Slope and intercept of a non-vertical shadow line (y = slope x + intercept).
double ShadowLineSlope(const ShadowLine& line);
double ShadowLineIntercept(const ShadowLine& line);

// The receiving outline of one step of the year.
//
// Half-axis `a` lies along the outline's own first axis, `b` along its second. The outline is
// centred at (centreX, centreY) and turned by `turnDegrees` in the plate's frame: the first axis
// points along (cos turn, sin turn) in plate coordinates, so a positive turn carries it from +x
// toward +y, which, y growing downward, looks clockwise to a person facing the plate.
//
// An ellipse with a zero (or non-finite) half-axis has no crossings: its equation divides by the
// half-axes. A rectangle with a zero half-axis is the segment it collapses to. The sign of a
// half-axis does not matter (a growing outline may shrink through zero).
struct ReceivingOutline {
  bool ellipse;  // false: rectangle
  double a;
  double b;
  double centreX;
  double centreY;
  double cosTurn;
  double sinTurn;
};

ReceivingOutline MakeReceivingOutline(bool ellipse, double a, double b, double centreX,
                                      double centreY, double turnDegrees);

// The crossings of a shadow line with an outline, ordered along the line from P1 toward P2.
struct OutlineCrossings {
  int count;  // 0, 1 or 2
  PlanePoint points[2];
};

// Ellipse: the quadratic in the line's parameter, none when its discriminant is negative or a
// coefficient is not finite (a tangent line gives one double crossing, stored once).
// Rectangle: the line against each of the four sides, keeping the distinct crossings that lie on
// the rectangle (a line through a corner meets it once; a line along a side meets its corners).
OutlineCrossings IntersectOutline(const ShadowLine& line, const ReceivingOutline& outline);

// The reading among the crossings: the first crossing that lies on the shadow of the rod itself,
// i.e. whose x lies between the x of P1 and P2 and whose y lies between their y (both bounds
// inclusive, so that a vertical or horizontal shadow, whose points share P1's x or y exactly,
// can pass); failing that the second under the same test; failing both, the crossing nearer the
// midpoint of P1 and P2 (the first on a tie). Without any crossing: (kOutlineMissed,
// kOutlineMissed).
PlanePoint ChooseCrossing(const OutlineCrossings& crossings, const ShadowLine& line);

// Shorthand for the three steps above.
PlanePoint ReadOutline(PlanePoint p1, PlanePoint p2, const ReceivingOutline& outline);

}  // namespace sundial
