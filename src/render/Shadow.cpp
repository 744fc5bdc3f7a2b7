#include "render/Shadow.h"

#include <cmath>
#include <numbers>

#include "render/DialFace.h"
#include "render/SpecialFaces.h"
#include "render/Visibility.h"

namespace sundial {

namespace {

constexpr double kDegree = std::numbers::pi / 180;

// The shadow, on the plate of a line dial, of a point `r` above the origin (the nodus for
// r = gnomonLength); each dial type projects along the sun's rays onto its own plate.
PlanePoint ShadowOfHeight(const DialModel& m, double r, double azimuth, double altitude) {
  const double a = azimuth * kDegree;
  const double e = altitude * kDegree;
  switch (m.dialType) {
    case 0:
    case 9:
    case 10: {
      const double d = (azimuth - m.planeDeclination) * kDegree;
      return {r * std::tan(d), r * std::tan(e) / std::cos(d)};
    }
    case 1:
    case 7:
    case 8:
      return {r * std::sin(a) / std::tan(e), -r * std::cos(a) / std::tan(e)};
    case 2:
    case 11: {
      const PlateDirection p =
          m.dialType == 2 ? PolarPlateDirection(m.latitude, azimuth, altitude)
                          : InclinedPlateDirection(m.planeDeclination, m.planeInclination,
                                                   azimuth, altitude);
      const double w = p.angle * kDegree;
      const double t = std::tan(p.elevation * kDegree);
      return {r * std::sin(w) / t, -r * std::cos(w) / t};
    }
    case 3:
    case 4: {
      // On the equatorial plate the sun stands at its declination, turned by its hour angle.
      const PlateDirection p = PolarPlateDirection(m.latitude - 90, azimuth, altitude);
      const double w = p.angle * kDegree;
      const double t = std::tan(p.elevation * kDegree);
      const double y = r * std::cos(w) / t;
      return {r * std::sin(w) / t, m.dialType == 3 ? -y : y};
    }
    default:
      return {kNoPoint, kNoPoint};
  }
}

// The sun's place in the projection of a sky map (types 7 to 10), as its lines are drawn: the
// horizontal maps centred on the zenith, the vertical ones on the wall's normal, radius
// lineExtent. The marker lies on the same ray from the centre as the stick's shadow, but at the
// map's own distance, so that it falls on the day's path and on the hour line of the moment.
PlanePoint SunOnSkyMap(const DialModel& m, double azimuth, double altitude) {
  const double a = azimuth * kDegree;
  const double e = altitude * kDegree;
  const double f = (azimuth - m.planeDeclination) * kDegree;
  const double r = m.lineExtent;
  switch (m.dialType) {
    case 7:
      return {r * std::cos(e) * std::sin(a), -r * std::cos(e) * std::cos(a)};
    case 8: {
      const double k = r * std::tan((45 - altitude / 2) * kDegree);
      return {k * std::sin(a), -k * std::cos(a)};
    }
    case 9:
      return {r * std::cos(e) * std::sin(f), r * std::sin(e)};
    default: {
      const double k = r / (1 + std::cos(e) * std::cos(f));
      return {k * std::cos(e) * std::sin(f), k * std::sin(e)};
    }
  }
}

bool ValidPoint(const PlanePoint& p) { return std::isfinite(p.x) && std::isfinite(p.y); }

// An ellipse of half-width hx and half-height hy (pixels, edges truncated toward zero) around
// a plane point; not drawn when the point falls beyond the device limit.
void EllipseAround(PaintContext& ctx, const PlanePoint& p, double hx, double hy) {
  int x, y;
  if (!ctx.frame.Map(p.x, p.y, x, y)) return;
  ctx.canvas.Ellipse(static_cast<int>(x - hx), static_cast<int>(y - hy),
                     static_cast<int>(x + hx), static_cast<int>(y + hy));
}

void DrawLineDialShadow(PaintContext& ctx) {
  const DialModel& m = ctx.model;
  const int t = m.dialType;
  const double A = ctx.input.sunAzimuth;
  const double e = ctx.input.sunAltitude;
  const double g = m.gnomonLength;
  const double u = ctx.U();
  const double v = ctx.V();
  const PlanePoint root = StyleRoot(m);
  const PlanePoint s = NodusShadow(m, A, e);
  DevicePen pen(ctx.canvas, ctx.frame);

  // A nearly flat style meets the plate far away; its shadow is shown as that of the piece of
  // style the gnomon construction draws beside the substyle.
  bool flatStyle = (t == 0 || t == 1 || t == 11) && std::fabs(m.styleHeight) < m.minStyleHeight;
  if (t == 2) {
    const double phi = m.latitude * kDegree;
    const double d = m.planeDeclination * kDegree;
    const double rootDistance =
        std::fabs(m.styleLength * std::sqrt(std::sin(phi) * std::sin(phi) +
                                            std::cos(phi) * std::cos(phi) * std::sin(d) * std::sin(d)));
    flatStyle = !(1.5 * std::fabs(g) > std::fabs(std::cos(m.substyleAngle * kDegree)) * rootDistance);
  }
  if (flatStyle) {
    const double a = m.substyleAngle * kDegree;
    const double h = m.styleHeight * kDegree;
    const double r1 = std::fabs(g) * (1 - std::tan(h));
    const double r2 = std::fabs(g) * (1 + std::tan(h));
    const PlanePoint o1 = ShadowOfHeight(m, r1, A, e);
    const PlanePoint o2 = ShadowOfHeight(m, r2, A, e);
    const PlanePoint start{-g * std::sin(a) + o1.x, -g * std::cos(a) + o1.y};
    const PlanePoint end{g * std::sin(a) + o2.x, g * std::cos(a) + o2.y};
    if (ValidPoint(start) && ValidPoint(end)) {
      pen.MoveTo(start.x, start.y);
      pen.LineTo(end.x, end.y);
    }
  } else if (ValidPoint(root) && ValidPoint(s)) {
    pen.MoveTo(root.x, root.y);
    pen.LineTo(s.x, s.y);
  }

  // The spot at the nodus shadow: flatter on the polar and equatorial plates.
  const bool flatSpot = t == 2 || t == 3 || t == 4 || t == 11;
  if (ValidPoint(s)) EllipseAround(ctx, s, u, flatSpot ? v / 3 : v);

  // The sky maps also mark the sun itself, an outlined black disc at its place on the map.
  if (t >= 7 && t <= 10) {
    const PlanePoint sun = SunOnSkyMap(m, A, e);
    const ObjectHandle brush = ctx.canvas.SelectBrush(ctx.res.brushBlack);
    if (ValidPoint(sun)) EllipseAround(ctx, sun, 2 * u, 8.0 / 3.0 * v);
    ctx.canvas.SelectBrush(brush);
  }
}

}  // namespace

PlanePoint NodusShadow(const DialModel& model, double sunAzimuth, double sunAltitude) {
  return ShadowOfHeight(model, model.gnomonLength, sunAzimuth, sunAltitude);
}

void DrawShadow(PaintContext& ctx) {
  if (!ctx.input.sunValid || !ctx.input.withShadow) return;
  Canvas& canvas = ctx.canvas;
  canvas.ClearClip();
  const DialModel& m = ctx.model;
  if (!ShadowVisible(m, ctx.input.sunAzimuth, ctx.input.sunAltitude)) return;
  const ObjectHandle previousPen = canvas.SelectPen(ctx.res.penBrownWide);
  const ObjectHandle previousBrush = canvas.SelectBrush(ctx.res.brushBrown);
  switch (m.dialType) {
    case 5:
    case 6:
      DrawAnalemmaticShadow(ctx, previousBrush);
      break;
    case 12:
      DrawReceivingSurfaceShadow(ctx, previousBrush);
      break;
    case 13:
    case 14:
      DrawAltitudeShadow(ctx);
      break;
    default:
      if (m.dialType >= 0 && m.dialType <= 11) DrawLineDialShadow(ctx);
      break;
  }
  canvas.SelectBrush(previousBrush);
  canvas.SelectPen(previousPen);
}

}  // namespace sundial
