#include "geometry/DialLoader.h"

#include "geometry/ComputeDialGeometry.h"

namespace sundial {

LoadOutcome LoadDial(const std::string& path, DialModel& model, std::string* failure) {
  const LoadOutcome outcome = ReadDialFile(path, model, failure);
  if (outcome != LoadOutcome::Truncated) ComputeDialGeometry(model);
  return outcome;
}

}  // namespace sundial
