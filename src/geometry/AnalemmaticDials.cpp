// Analemmatic dials: the hour points lie on an ellipse of semi-major axis M = lineExtent and a
// vertical gnomon is set on the date scale along the minor axis; horizontal (type 5) or on a
// vertical plate declining D (type 6). Only the modern hours, the standard day curves and the
// date scale exist.
#include <cmath>

#include "astro/DailySunTables.h"
#include "geometry/AngleMath.h"
#include "geometry/DialTypes.h"
#include "geometry/Families.h"

namespace sundial {

namespace {

class AnalemmaticLayout final : public DialLayout {
 public:
  AnalemmaticLayout(const DialModel& m)
      : DialLayout(m.dialType == 6),
        latitude_(m.latitude),
        declination_(m.planeDeclination),
        extent_(m.lineExtent),
        correction_(m.longitudeCorrection),
        declining_(m.dialType == 6) {}

  // The hour point of hour angle a on the ellipse.
  PlanePoint HourPoint(double a) const {
    const double phi = latitude_;
    if (!declining_) return {extent_ * SinDeg(a), -extent_ * SinDeg(phi) * CosDeg(a)};
    const double d = declination_;
    return {extent_ * (CosDeg(d) * SinDeg(a) - SinDeg(d) * SinDeg(phi) * CosDeg(a)),
            extent_ * CosDeg(phi) * CosDeg(a)};
  }

  PlanePoint Project(const SunPoint& p) const override { return HourPoint(p.hourAngle); }

  void StraightHourLine(HourLineRecord& line, double hour) const override {
    const PlanePoint pt = HourPoint(ReduceToHalfTurn(15.0 * (hour - 12.0) - correction_));
    line.lineAngle = Atan2Deg(-pt.x, -pt.y);
  }

  void FinishModernMark(HourLineRecord& line, int index) const override {
    DialPoint& mark = line.dateLineMarks[static_cast<std::size_t>(index)];
    mark.time = std::sqrt(mark.x * mark.x + mark.y * mark.y);
  }

  // Where the movable gnomon stands for the sun of declination `dec`.
  PlanePoint GnomonPosition(double dec) const {
    const double phi = latitude_;
    if (!declining_) return {0.0, -extent_ * CosDeg(phi) * TanDeg(dec)};
    return {-extent_ * SinDeg(declination_) * CosDeg(phi) * TanDeg(dec),
            -extent_ * SinDeg(phi) * TanDeg(dec)};
  }

 private:
  double latitude_, declination_, extent_, correction_;
  bool declining_;
};

}  // namespace

void ComputeAnalemmaticDial(DialModel& m) {
  const AnalemmaticLayout layout(m);
  DialGeometry& g = *m.geometry;
  for (int j = 1; j <= kStandardDateLineCount; ++j) {
    g.analemmaticScale[static_cast<std::size_t>(j - 1)] = layout.GnomonPosition(DateLineDeclination(j));
  }
  m.styleHeight = 90;
  m.styleLength = m.gnomonLength;
  if (m.dialType == 6) {
    // The direction of the gnomon's track, toward the summer solstice.
    const PlanePoint summer = g.analemmaticScale[kStandardDateLineCount - 1];
    m.substyleAngle = Atan2Deg(summer.x, summer.y);
  } else {
    m.substyleAngle = 0;
  }

  FamilyContext ctx = MakeFamilyContext(m, layout);
  LabelModernHours(ctx);
  ComputeModernHourLines(ctx, StandardDateScheme());
  ComputeStandardDayCurves(ctx);
}

}  // namespace sundial
