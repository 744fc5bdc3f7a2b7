#include "render/SpecialFaces.h"

namespace sundial {

// The shadows of the analemmatic, receiving-outline and altitude dials are still to be drawn.

void DrawAltitudeShadow(PaintContext& /*ctx*/) {}

void DrawAnalemmaticShadow(PaintContext& /*ctx*/, ObjectHandle /*previousBrush*/) {}

void DrawReceivingSurfaceShadow(PaintContext& /*ctx*/, ObjectHandle /*previousBrush*/) {}

}  // namespace sundial
