// Field-by-field comparison of two dial models for reader tests.
#pragma once

#include <string>
#include <vector>

#include "model/DialModel.h"

namespace sundial::test {

// The names of the parameter fields (modelReady and longitudeCorrection included) in which `a`
// and `b` differ; two NaNs count as equal.
std::vector<std::string> DifferingParameters(const DialModel& a, const DialModel& b);

}  // namespace sundial::test
