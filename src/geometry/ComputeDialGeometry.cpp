#include "geometry/ComputeDialGeometry.h"

#include <cmath>
#include <memory>

#include "geometry/DialTypes.h"
#include "geometry/SpecialDials.h"

namespace sundial {

double MeanTimeCorrection(const DialModel& m) {
  if (m.secondZoneHours == kNoTimeZone) return 0.0;
  const double sign = std::copysign(1.0, static_cast<double>(m.secondZoneHours));
  return 15.0 * m.secondZoneHours + sign * std::fabs(static_cast<double>(m.secondZoneMinutes)) * 0.25 +
         m.longitude;
}

FamilyContext MakeFamilyContext(DialModel& model, const DialLayout& layout) {
  return FamilyContext{model,
                       *model.geometry,
                       layout,
                       model.latitude,
                       model.planeDeclination,
                       model.longitudeCorrection,
                       MeanTimeCorrection(model)};
}

void ComputeDialGeometry(DialModel& model) {
  model.longitudeCorrection = LongitudeCorrection(model);
  if (model.dialType < 0 || model.dialType > 14) return;  // no such dial: nothing else to do
  if (!model.geometry) model.geometry = std::make_unique<DialGeometry>();
  if (model.dialType != 12) model.fine.reset();  // the fine traces belong to type 12 alone

  switch (model.dialType) {
    case 0:
    case 1:
    case 2:
    case 11:
      ComputePolarStyleDial(model);
      break;
    case 3:
    case 4:
      ComputeEquatorialDial(model);
      break;
    case 5:
    case 6:
      ComputeAnalemmaticDial(model);
      break;
    case 7:
    case 8:
    case 9:
    case 10:
      ComputeSkyProjectionDial(model);
      break;
    case 12:  // traced onto a receiving outline: geometry/SpecialDials.h
      ComputeReceivingOutlineDial(model);
      break;
    case 13:  // altitude dials: geometry/SpecialDials.h
    case 14:
      ComputeAltitudeDial(model);
      break;
    default:
      break;
  }
}

}  // namespace sundial
