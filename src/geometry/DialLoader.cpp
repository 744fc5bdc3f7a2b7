#include "geometry/DialLoader.h"

#include "geometry/ComputeDialGeometry.h"

namespace sundial {

LoadOutcome LoadDial(const std::string& path, DialModel& model) {
  const LoadOutcome outcome = ReadDialFile(path, model);
  if (outcome != LoadOutcome::Truncated) ComputeDialGeometry(model);
  return outcome;
}

}  // namespace sundial
