#include "render/DialFace.h"

#include <cmath>
#include <numbers>

#include "render/Titles.h"

namespace sundial {

namespace {
constexpr double kDegree = std::numbers::pi / 180;
}  // namespace

ReplacedObjects DrawCommonOverlays(PaintContext& ctx) {
  const DialModel& m = ctx.model;
  Canvas& canvas = ctx.canvas;
  const ObjectHandle previousPen = canvas.SelectPen(ctx.res.penLightGreyDash);
  DevicePen pen(canvas, ctx.frame);
  if (m.showAxes) {
    pen.MoveTo(m.plateXMin, 0);
    pen.LineTo(m.plateXMax, 0);
    pen.MoveTo(0, m.plateYMin);
    pen.LineTo(0, m.plateYMax);
  }
  if (m.showSubstyleLine && m.dialType != 3 && m.dialType != 4) {
    const double t = std::tan(m.substyleAngle * kDegree);
    if (t != 0) {
      pen.MoveTo(m.plateXMin, m.plateXMin / t);
      pen.LineTo(m.plateXMax, m.plateXMax / t);
    } else {
      pen.MoveTo(0, m.plateYMin);
      pen.LineTo(0, m.plateYMax);
    }
  }
  canvas.SelectPen(ctx.res.penWhiteWide);
  const ObjectHandle previousBrush = canvas.SelectBrush(ctx.res.brushBlack);
  return ReplacedObjects{previousPen, previousBrush};
}

PlanePoint StyleRoot(const DialModel& m) {
  const double a = m.substyleAngle * kDegree;
  const double phi = m.latitude * kDegree;
  const double d = m.planeDeclination * kDegree;
  switch (m.dialType) {
    case 0:
    case 2: {
      const double l = m.styleLength * std::sqrt(std::sin(phi) * std::sin(phi) +
                                                  std::cos(phi) * std::cos(phi) * std::sin(d) * std::sin(d));
      return {-l * std::sin(a), -l * std::cos(a)};
    }
    case 1: {
      const double l = m.styleLength * std::cos(phi);
      return {l * std::sin(a), l * std::cos(a)};
    }
    case 11: {
      const double c = std::fabs(m.gnomonLength / std::tan(m.styleHeight * kDegree));
      return {-c * std::sin(a), -c * std::cos(a)};
    }
    default:
      return {0, 0};
  }
}

void DrawLineDialFace(PaintContext& ctx) {
  DrawTitles(ctx);
}

}  // namespace sundial
