// Plane dials with a polar style: vertical declining (type 0), horizontal (1), polar (2) and
// inclined declining (11). Every sun direction is projected through the nodus onto the plate
// (origin at the foot of the nodus, x to the right, y downward as seen facing the plate).
#include <cmath>

#include "astro/DailySunTables.h"
#include "geometry/AngleMath.h"
#include "geometry/DialTypes.h"
#include "geometry/Families.h"

namespace sundial {

namespace {

// Distance from the dial centre to the crossing of an hour line with the date line of
// declination d', where d' is the declination measured toward the pole the style points at
// (from the dial centre toward the nodus) and psi the angle between style and hour line:
// the triangle centre - nodus - crossing gives |cos d' styleLength / cos(psi - d')|.
double CrossingDistance(double styleLength, double psi, double towardStylePole) {
  return std::fabs(CosDeg(towardStylePole) * styleLength / CosDeg(psi - towardStylePole));
}

// Type 0: a vertical plate declining D from the south.
class VerticalDecliningLayout final : public DialLayout {
 public:
  VerticalDecliningLayout(const DialModel& m)
      : DialLayout(true),
        latitude_(m.latitude),
        declination_(m.planeDeclination),
        gnomon_(m.gnomonLength),
        styleLength_(m.styleLength),
        correction_(m.longitudeCorrection) {}

  PlanePoint Project(const SunPoint& p) const override {
    // p.azimuth is already measured from the plate's own direction.
    return {gnomon_ * TanDeg(p.azimuth), gnomon_ * TanDeg(p.altitude) / CosDeg(p.azimuth)};
  }

  void StraightHourLine(HourLineRecord& line, double hour) const override {
    const double phi = latitude_;
    const double d = declination_;
    // Reduce the hour angle first, so that the half-turn below follows the line's real side
    // whatever the longitude correction.
    const double h = ReduceToHalfTurn(15.0 * (hour - 12.0) - correction_);
    double x = Atan2Deg(CosDeg(phi) * TanDeg(h), CosDeg(d) + SinDeg(d) * SinDeg(phi) * TanDeg(h));
    if (h > 90.0) x += 180.0;
    if (h < -90.0) x -= 180.0;
    line.lineAngle = x;

    const double psi = AcosDeg(CosDeg(x) * SinDeg(phi) + SinDeg(x) * SinDeg(d) * CosDeg(phi));
    // From the centre the style runs out of the wall toward the pole below the horizon on the
    // side the wall faces: the south pole for a wall facing south of east-west (|D| < 90), the
    // north pole for one facing north, in either hemisphere.
    const double towardPole = std::fabs(d) > 90.0 ? 1.0 : -1.0;
    for (int j = 1; j <= kStandardDateLineCount; ++j) {
      line.dateLineMarks[static_cast<std::size_t>(j - 1)].time =
          CrossingDistance(styleLength_, psi, towardPole * DateLineDeclination(j));
    }
  }

 private:
  double latitude_, declination_, gnomon_, styleLength_, correction_;
};

// Type 1: a horizontal plate.
class HorizontalLayout final : public DialLayout {
 public:
  HorizontalLayout(const DialModel& m)
      : DialLayout(false),
        latitude_(m.latitude),
        gnomon_(m.gnomonLength),
        styleLength_(m.styleLength),
        correction_(m.longitudeCorrection) {}

  PlanePoint Project(const SunPoint& p) const override {
    const double t = TanDeg(p.altitude);
    return {gnomon_ * SinDeg(p.azimuth) / t, -gnomon_ * CosDeg(p.azimuth) / t};
  }

  void StraightHourLine(HourLineRecord& line, double hour) const override {
    const double phi = latitude_;
    const double h = 15.0 * (hour - 12.0) - correction_;
    const double x = Atan2Deg(SinDeg(phi) * SinDeg(h), CosDeg(h));
    line.lineAngle = x;
    const double psi = AcosDeg(CosDeg(phi) * CosDeg(x));
    // The style rises from the centre toward the elevated pole.
    const double towardPole = phi >= 0 ? 1.0 : -1.0;
    for (int j = 1; j <= kStandardDateLineCount; ++j) {
      line.dateLineMarks[static_cast<std::size_t>(j - 1)].time =
          CrossingDistance(styleLength_, psi, towardPole * DateLineDeclination(j));
    }
  }

 private:
  double latitude_, gnomon_, styleLength_, correction_;
};

// Type 2: a plate parallel to the earth's axis through the east-west line; the hour lines are
// parallel and have no centre.
class PolarLayout final : public DialLayout {
 public:
  PolarLayout(const DialModel& m)
      : DialLayout(false), latitude_(m.latitude), gnomon_(m.gnomonLength) {}

  PlanePoint Project(const SunPoint& p) const override {
    const double phi = latitude_;
    const double a = p.azimuth;
    const double h = p.altitude;
    // Elevation above the plate and the direction on it (x = L tan H, y = L tan dec / cos H).
    const double e =
        AsinDeg(SinDeg(phi) * CosDeg(h) * CosDeg(a) + CosDeg(phi) * SinDeg(h));
    const double w = Atan2Deg(SinDeg(a) * CosDeg(h),
                              CosDeg(phi) * CosDeg(h) * CosDeg(a) - SinDeg(phi) * SinDeg(h));
    const double t = TanDeg(e);
    return {gnomon_ * SinDeg(w) / t, -gnomon_ * CosDeg(w) / t};
  }

  void StraightHourLine(HourLineRecord& line, double) const override {
    line.lineAngle = 0;
    for (int j = 0; j < kStandardDateLineCount; ++j) {
      line.dateLineMarks[static_cast<std::size_t>(j)].time = kPolarInfinite;
    }
  }

 private:
  double latitude_, gnomon_;
};

// Type 11: a plate inclined Z from the horizontal and declining D; the sun direction is turned
// into the plate's frame (n along its normal, r and q in it).
class InclinedDecliningLayout final : public DialLayout {
 public:
  InclinedDecliningLayout(const DialModel& m)
      : DialLayout(false),
        latitude_(m.latitude),
        declination_(m.planeDeclination),
        inclination_(m.planeInclination),
        gnomon_(m.gnomonLength),
        substyle_(m.substyleAngle),
        styleHeight_(m.styleHeight),
        correction_(m.longitudeCorrection) {}

  PlanePoint Project(const SunPoint& p) const override {
    const double a = CosDeg(p.altitude) * CosDeg(p.azimuth);   // toward south
    const double b = -CosDeg(p.altitude) * SinDeg(p.azimuth);  // toward east
    const double c = SinDeg(p.altitude);                       // up
    const double sd = SinDeg(declination_), cd = CosDeg(declination_);
    const double sz = SinDeg(inclination_), cz = CosDeg(inclination_);
    const double pp = cd * a - sd * b;
    const double q = sd * a + cd * b;
    const double n = sz * pp + cz * c;
    const double r = cz * pp - sz * c;
    const double e = AtanDeg(n / std::sqrt(r * r + q * q));
    const double w = Atan2Deg(-q, r);
    const double t = TanDeg(e);
    return {gnomon_ * SinDeg(w) / t, -gnomon_ * CosDeg(w) / t};
  }

  void StraightHourLine(HourLineRecord& line, double hour) const override {
    const double phi = latitude_;
    const double d = declination_;
    const double tilt = 90.0 - inclination_;
    // The plate's difference of longitude: the hour angle of the meridian of the plate.
    double l = AsinDeg(SinDeg(std::fabs(d)) * CosDeg(tilt) / CosDeg(std::fabs(styleHeight_)));
    const double g2 = AtanDeg(-TanDeg(tilt) / CosDeg(d));
    if ((g2 > phi) != (std::fabs(d) >= 90.0)) l = 180.0 - l;
    if (d < 0) l = -l;
    const double h = 15.0 * (hour - 12.0) - correction_;
    line.lineAngle = ReduceToHalfTurn(
        substyle_ - Atan2Deg(SinDeg(h - l) * SinDeg(styleHeight_), CosDeg(h - l)));
  }

  void FinishModernMark(HourLineRecord& line, int index) const override {
    // Distance from the dial centre, which lies on the substyle line at |L / tan(styleHeight)|
    // from the foot of the nodus.
    DialPoint& mark = line.dateLineMarks[static_cast<std::size_t>(index)];
    const double c = std::fabs(gnomon_ / TanDeg(styleHeight_));
    const double dx = mark.x + SinDeg(substyle_) * c;
    const double dy = mark.y + CosDeg(substyle_) * c;
    mark.time = std::sqrt(dx * dx + dy * dy);
  }

 private:
  double latitude_, declination_, inclination_, gnomon_, substyle_, styleHeight_, correction_;
};

void SetInclinedStyleValues(DialModel& m) {
  const double phi = m.latitude;
  const double d = m.planeDeclination;
  const double tilt = 90.0 - m.planeInclination;
  const double height = AsinDeg(SinDeg(tilt) * SinDeg(phi) - CosDeg(phi) * CosDeg(tilt) * CosDeg(d));
  double s = AsinDeg(SinDeg(std::fabs(d)) * CosDeg(phi) / CosDeg(height));
  const double g = AtanDeg(-CosDeg(d) * TanDeg(tilt));
  if (g > phi) {
    s = height >= 0 ? 180.0 - s : 360.0 - s;
  } else if (height < 0) {
    s += 180.0;
  }
  if (d < 0) s = -s;
  s = ReduceToHalfTurn(s - 180.0);
  m.styleHeight = height;
  m.substyleAngle = s;
  m.styleLength = std::fabs(m.gnomonLength / SinDeg(height));
}

void SetStyleValues(DialModel& m) {
  const double phi = m.latitude;
  const double d = m.planeDeclination;
  switch (m.dialType) {
    case 0:
      m.styleHeight = AsinDeg(CosDeg(phi) * CosDeg(d));
      m.substyleAngle = Atan2Deg(SinDeg(d), TanDeg(phi));
      m.styleLength = m.gnomonLength / SinDeg(m.styleHeight);
      break;
    case 1:
      m.styleHeight = phi;
      m.substyleAngle = 0;
      m.styleLength = m.gnomonLength / SinDeg(phi);
      break;
    case 2:
      m.styleHeight = 0;
      m.substyleAngle = 0;
      m.styleLength = kPolarInfinite;
      break;
    default:
      SetInclinedStyleValues(m);
      break;
  }
}

void FillFamilies(DialModel& m, const DialLayout& layout) {
  FamilyContext ctx = MakeFamilyContext(m, layout);
  ComputeLineFamilies(ctx, FamilyOptions{});
}

}  // namespace

void ComputePolarStyleDial(DialModel& m) {
  SetStyleValues(m);
  switch (m.dialType) {
    case 0:
      FillFamilies(m, VerticalDecliningLayout(m));
      break;
    case 1:
      FillFamilies(m, HorizontalLayout(m));
      break;
    case 2:
      FillFamilies(m, PolarLayout(m));
      break;
    default:
      FillFamilies(m, InclinedDecliningLayout(m));
      break;
  }
}

void SetInclinedDecliningStyleValues(DialModel& m) { SetInclinedStyleValues(m); }

PlanePoint ProjectOnInclinedPlate(const DialModel& m, double azimuth, double altitude) {
  SunPoint sun;
  sun.azimuth = azimuth;
  sun.altitude = altitude;
  return InclinedDecliningLayout(m).Project(sun);
}

}  // namespace sundial
