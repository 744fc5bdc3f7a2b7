// Loading a dial for display: read the dial file, then, for every completed load (the file as
// written, an invalid file replaced by the default dial, a missing file), compute its geometry
// once. A truncated file leaves modelReady at 0 and the geometry uncomputed.
#pragma once

#include <string>

#include "model/DialFileReader.h"
#include "model/DialModel.h"

namespace sundial {

// `failure`, when given, receives the reason of a Missing outcome.
LoadOutcome LoadDial(const std::string& path, DialModel& model, std::string* failure = nullptr);

}  // namespace sundial
