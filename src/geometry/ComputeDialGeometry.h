// ComputeDialGeometry: turns the parameters of a dial into its computed lines. Runs once per
// completed load; writes longitudeCorrection, the three style values (and, for the altitude
// dials, re-bases the plate limits) and the arrays of model.geometry (allocated zeroed on the
// first run; model.fine as well for the receiving-outline dial). No result, no failure: points
// that cannot exist are stored as the markers of model/DialGeometry.h.
#pragma once

#include "model/DialModel.h"

namespace sundial {

void ComputeDialGeometry(DialModel& model);

// Correction of the mean-time figures, degrees: the second zone's hours and minutes plus the
// longitude, or 0 when the second zone is not given (99).
double MeanTimeCorrection(const DialModel& model);

}  // namespace sundial
