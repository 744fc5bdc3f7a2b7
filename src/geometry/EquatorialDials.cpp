// Equatorial dials: a plate parallel to the equator with a gnomon perpendicular to it, seen on
// its upper (northern) face (type 3) or its lower (southern) face (type 4). The hour lines are
// the radii of the hour angle; a date lies on the circle of radius |L / tan(declination)|.
#include <cmath>

#include "astro/DailySunTables.h"
#include "geometry/AngleMath.h"
#include "geometry/DialTypes.h"
#include "geometry/Families.h"

namespace sundial {

namespace {

double FiniteOrNoPoint(double v) { return std::isfinite(v) ? v : kNoPoint; }

class EquatorialLayout final : public DialLayout {
 public:
  EquatorialLayout(const DialModel& m)
      : DialLayout(false),
        latitude_(m.latitude),
        gnomon_(m.gnomonLength),
        styleLength_(m.styleLength),
        correction_(m.longitudeCorrection),
        face_(m.dialType == 4 ? -1.0 : 1.0) {}

  // Any sun direction: through its declination e and hour angle w.
  PlanePoint Project(const SunPoint& p) const override {
    const double phi = latitude_;
    const double a = p.azimuth;
    const double h = p.altitude;
    const double e = AsinDeg(SinDeg(phi) * SinDeg(h) - CosDeg(phi) * CosDeg(h) * CosDeg(a));
    const double w = Atan2Deg(SinDeg(a) * CosDeg(h),
                              SinDeg(phi) * CosDeg(h) * CosDeg(a) + CosDeg(phi) * SinDeg(h));
    const double t = TanDeg(e);
    return {FiniteOrNoPoint(gnomon_ * SinDeg(w) / t),
            FiniteOrNoPoint(-face_ * gnomon_ * CosDeg(w) / t)};
  }

  // Modern hours and day curves: straight from the hour angle and the date's declination.
  PlanePoint ProjectOnHourCircle(const SunPoint& p) const override {
    const double r = std::fabs(gnomon_ / TanDeg(p.date.declination));
    return {FiniteOrNoPoint(face_ * SinDeg(p.hourAngle) * r),
            FiniteOrNoPoint(-CosDeg(p.hourAngle) * r)};
  }

  void StraightHourLine(HourLineRecord& line, double hour) const override {
    const double h = ReduceToHalfTurn(15.0 * (hour - 12.0) - correction_);
    line.lineAngle = face_ * h;
    for (int j = 1; j <= kStandardDateLineCount; ++j) {
      line.dateLineMarks[static_cast<std::size_t>(j - 1)].time =
          FiniteOrNoPoint(std::fabs(styleLength_ / TanDeg(DateLineDeclination(j))));
    }
  }

  // The crossing lies on the hour line at the distance found above (kNoPoint on the equinox
  // line, where the shadow runs off to infinity).
  void FinishModernMark(HourLineRecord& line, int index) const override {
    DialPoint& mark = line.dateLineMarks[static_cast<std::size_t>(index)];
    mark.x = FiniteOrNoPoint(SinDeg(line.lineAngle) * mark.time);
    mark.y = FiniteOrNoPoint(-CosDeg(line.lineAngle) * mark.time);
  }

 private:
  double latitude_, gnomon_, styleLength_, correction_, face_;
};

}  // namespace

void ComputeEquatorialDial(DialModel& m) {
  m.styleHeight = 90;
  m.styleLength = m.gnomonLength;
  m.substyleAngle = 0;
  const EquatorialLayout layout(m);
  FamilyContext ctx = MakeFamilyContext(m, layout);
  ComputeLineFamilies(ctx, FamilyOptions{});
}

}  // namespace sundial
