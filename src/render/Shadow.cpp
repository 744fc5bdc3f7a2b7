#include "render/Shadow.h"

#include "render/DialFace.h"
#include "render/SpecialFaces.h"
#include "render/Visibility.h"

namespace sundial {

PlanePoint NodusShadow(const DialModel& /*model*/, double /*sunAzimuth*/, double /*sunAltitude*/) {
  return {0, 0};
}

void DrawShadow(PaintContext& ctx) {
  if (!ctx.input.sunValid) return;
  ctx.canvas.ClearClip();
}

}  // namespace sundial
