// The drawing trace: the operations a RecordingCanvas received, written as JSON.
//
//   {"width": W, "height": H, "operations": [ {"op": "moveTo", "x": 10, "y": 20}, ... ]}
//
// One object per operation, in order, with device coordinates. Creations carry the object's
// description and its handle (0 when the creation failed), selections the handle selected and
// the previous one returned, drawing operations the pen, brush and font current at the time.
// Text is converted from code page 1252 (symbol-font codes are plain ASCII) to UTF-8.
#pragma once

#include <ostream>

#include "render/RecordingCanvas.h"

namespace sundial {

void WriteTraceJson(const RecordingCanvas& canvas, std::ostream& out);

}  // namespace sundial
