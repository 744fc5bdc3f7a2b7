// Placeholders for the altitude and receiving-outline dials until their geometry is written:
// they leave the computed lines untouched.
#include "geometry/SpecialDials.h"

namespace sundial {

void ComputeAltitudeDial(DialModel& model) { (void)model; }
void ComputeReceivingOutlineDial(DialModel& model) { (void)model; }

}  // namespace sundial
