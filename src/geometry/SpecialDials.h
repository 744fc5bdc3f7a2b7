// The dial types that read the line families in their own way: the altitude (cylinder) dials
// 13 and 14, whose x comes from the date of a point (a declination or a calendar scale) and whose
// hour families run over their own dates, and the receiving-outline dial 12, which traces every
// family day by day over the year into model.fine.
//
// Each is called by ComputeDialGeometry after longitudeCorrection is set and model.geometry is
// allocated; it sets the style values and fills its families with the layout, date schemes and
// family routines of geometry/DialLayout.h, geometry/Families.h and the time formulas of
// geometry/HourFormulas.h.
#pragma once

#include "model/DialModel.h"

namespace sundial {

void ComputeAltitudeDial(DialModel& model);          // types 13 and 14
void ComputeReceivingOutlineDial(DialModel& model);  // type 12

}  // namespace sundial
