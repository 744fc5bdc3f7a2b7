// Sky maps: the sun's place on the sky mapped onto a disc of radius M = lineExtent, on the
// horizontal plane (zenith at the centre, horizon at M; orthographic type 7, stereographic
// type 8) or on a vertical plane declining D (the plate's normal at the centre, its own great
// circle at M; orthographic type 9, stereographic type 10). Lines become a sun-path diagram.
#include <cmath>

#include "geometry/AngleMath.h"
#include "geometry/DialTypes.h"
#include "geometry/Families.h"

namespace sundial {

namespace {

class SkyMapLayout final : public DialLayout {
 public:
  SkyMapLayout(const DialModel& m)
      : DialLayout(m.dialType == 9 || m.dialType == 10), type_(m.dialType), extent_(m.lineExtent) {}

  PlanePoint Project(const SunPoint& p) const override {
    const double a = p.azimuth;  // from the plate's direction for types 9 and 10
    const double h = p.altitude;
    const double m = extent_;
    switch (type_) {
      case 7:
        return {m * CosDeg(h) * SinDeg(a), -m * CosDeg(h) * CosDeg(a)};
      case 8: {
        const double r = m * TanDeg(45.0 - h / 2.0);
        return {r * SinDeg(a), -r * CosDeg(a)};
      }
      case 9:
        return {m * CosDeg(h) * SinDeg(a), m * SinDeg(h)};
      default: {
        const double k = 1.0 + CosDeg(h) * CosDeg(a);
        return {m * CosDeg(h) * SinDeg(a) / k, m * SinDeg(h) / k};
      }
    }
  }

  // The radius of each date-line mark, and the hour line's angle at the last mark (the summer
  // solstice, date line 7).
  void FinishModernMark(HourLineRecord& line, int index) const override {
    DialPoint& mark = line.dateLineMarks[static_cast<std::size_t>(index)];
    mark.time = std::sqrt(mark.x * mark.x + mark.y * mark.y);
    line.lineAngle = Atan2Deg(-mark.x, -mark.y);
  }

 private:
  int type_;
  double extent_;
};

}  // namespace

void ComputeSkyProjectionDial(DialModel& m) {
  m.styleHeight = 90;
  m.styleLength = m.gnomonLength;
  m.substyleAngle = (m.dialType == 9 || m.dialType == 10)
                        ? Atan2Deg(SinDeg(m.planeDeclination), TanDeg(m.latitude))
                        : 0.0;
  const SkyMapLayout layout(m);
  FamilyContext ctx = MakeFamilyContext(m, layout);
  FamilyOptions options;
  options.meanTimeFigures = false;
  ComputeLineFamilies(ctx, options);
}

}  // namespace sundial
