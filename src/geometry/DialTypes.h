// The compute functions of the dial types of the line and equatorial kinds, one per family of
// types, called by the dispatch of ComputeDialGeometry. Each sets the style values and fills the
// families of its types.
#pragma once

#include "geometry/DialLayout.h"
#include "model/DialModel.h"

namespace sundial {

void ComputePolarStyleDial(DialModel& model);     // types 0, 1, 2, 11
void ComputeEquatorialDial(DialModel& model);     // types 3, 4
void ComputeAnalemmaticDial(DialModel& model);    // types 5, 6
void ComputeSkyProjectionDial(DialModel& model);  // types 7, 8, 9, 10

// The inclined declining plate (type 11), which the dial traced onto a receiving outline (type
// 12) shares: its style values, and the shadow of the nodus for a sun of plain azimuth and
// altitude (degrees).
void SetInclinedDecliningStyleValues(DialModel& model);
PlanePoint ProjectOnInclinedPlate(const DialModel& model, double azimuth, double altitude);

// The context of the family routines for a model whose geometry is allocated and whose
// longitudeCorrection is set.
FamilyContext MakeFamilyContext(DialModel& model, const DialLayout& layout);

}  // namespace sundial
