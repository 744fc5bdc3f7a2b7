#include "render/DialPainter.h"

#include "render/DialFace.h"
#include "render/PaintContext.h"
#include "render/Shadow.h"
#include "render/SpecialFaces.h"
#include "render/Titles.h"

namespace sundial {

namespace {

// The face, titles and shadow of the dial type, in the order that type lays them down.
// Returns the pen and brush that the face's own replaced.
ReplacedObjects DrawDialPicture(PaintContext& ctx) {
  const ReplacedObjects replaced = DrawCommonOverlays(ctx);
  switch (ctx.model.dialType) {
    case 5:
    case 6:
      DrawAnalemmaticFace(ctx);
      DrawTitles(ctx);
      break;
    case 12:
      DrawTitles(ctx);
      DrawReceivingSurfaceFace(ctx);
      break;
    case 13:
    case 14:
      DrawTitles(ctx);
      DrawAltitudeFace(ctx);
      break;
    default:
      DrawLineDialFace(ctx);  // opens with the titles
      break;
  }
  DrawShadow(ctx);
  return replaced;
}

}  // namespace

void PaintDial(const PaintInput& input, Canvas& canvas, MessageReporter& reporter) {
  const DialModel& model = input.model;
  const int width = canvas.Width();
  const int height = canvas.Height();
  PaintContext ctx{canvas,
                   reporter,
                   input,
                   model,
                   model.geometry.get(),
                   DeviceFrame::For(model, width, height),
                   DrawingResources{},
                   FontSelector{canvas, reporter}};

  CreateBackgroundBrush(canvas, ctx.res);
  canvas.FillRect(IntRect{0, 0, width, height}, ctx.res.brushBackground);

  CreateFonts(canvas, reporter, height, ctx.res);
  const ObjectHandle initialFont = ctx.fonts.Select(ctx.res.fontSmall);
  CreatePensAndBrushes(canvas, reporter, ctx.frame.lineUnitX, ctx.res);
  canvas.SetBackgroundMode(BackgroundMode::Transparent);

  const ReplacedObjects initial = DrawDialPicture(ctx);

  canvas.SetTextColor(colors::kBlack);
  // The canvas gets its own objects back before ours are released.
  if (initial.pen != kNoObject) canvas.SelectPen(initial.pen);
  if (initial.brush != kNoObject) canvas.SelectBrush(initial.brush);
  ctx.fonts.Restore(initialFont);
  ReleaseDrawingResources(canvas, ctx.res);
}

}  // namespace sundial
