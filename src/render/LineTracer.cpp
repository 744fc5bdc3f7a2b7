#include "render/LineTracer.h"

#include <cmath>

#include "model/DialGeometry.h"

namespace sundial {

bool IsAbsentPoint(double x, double y) {
  // The negated comparisons also pass over NaN, which no marker rule would catch.
  return !(std::fabs(x) < kNoPointThreshold) || !(std::fabs(y) < kNoPointThreshold);
}

void LineTracer::Begin() {
  penDown_ = false;
  havePoint_ = false;
}

LineTracer::Step LineTracer::Trace(double x, double y, bool visible) {
  if (IsAbsentPoint(x, y)) return Step::Skipped;
  havePoint_ = true;
  lastX_ = x;
  lastY_ = y;
  if (!visible) {
    pen_.MoveTo(x, y);
    penDown_ = false;
    return Step::Hidden;
  }
  if (penDown_) {
    pen_.LineTo(x, y);
    return Step::Drawn;
  }
  pen_.MoveTo(x, y);
  penDown_ = true;
  return Step::Started;
}

bool LineTracer::LastPoint(int& px, int& py) const {
  return havePoint_ && frame_.Map(lastX_, lastY_, px, py);
}

bool LineTracer::LastPointInsidePlate(const DialModel& m) const {
  return havePoint_ && m.plateXMin < lastX_ && lastX_ < m.plateXMax && m.plateYMin < lastY_ &&
         lastY_ < m.plateYMax;
}

}  // namespace sundial
