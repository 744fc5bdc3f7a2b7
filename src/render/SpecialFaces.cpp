#include "render/SpecialFaces.h"

namespace sundial {

// The faces of these dial types are still to be drawn; until then the picture shows their
// titles and nothing else of the face.

void DrawAnalemmaticFace(PaintContext& /*ctx*/) {}

void DrawReceivingSurfaceFace(PaintContext& /*ctx*/) {}

void DrawAltitudeFace(PaintContext& /*ctx*/) {}

}  // namespace sundial
