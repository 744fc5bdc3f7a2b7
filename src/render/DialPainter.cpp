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

// Sets up one paint (background, fonts, pens and brushes, in their fixed order), runs `stages`
// and releases everything again.
template <typename Stages>
void Paint(const PaintInput& input, Canvas& canvas, MessageReporter& reporter, bool background,
           Stages stages) {
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
  if (background) canvas.FillRect(IntRect{0, 0, width, height}, ctx.res.brushBackground);

  CreateFonts(canvas, reporter, height, ctx.res);
  const ObjectHandle initialFont = ctx.fonts.Select(ctx.res.fontSmall);
  CreatePensAndBrushes(canvas, reporter, ctx.frame.lineUnitX, ThinPenWidth(input.dpi), ctx.res);
  canvas.SetBackgroundMode(BackgroundMode::Transparent);

  const ReplacedObjects initial = stages(ctx);

  canvas.SetTextColor(colors::kBlack);
  // The canvas gets its own objects back before ours are released.
  if (initial.pen != kNoObject) canvas.SelectPen(initial.pen);
  if (initial.brush != kNoObject) canvas.SelectBrush(initial.brush);
  ctx.fonts.Restore(initialFont);
  ReleaseDrawingResources(canvas, ctx.res);
}

}  // namespace

int ThinPenWidth(int dpi) {
  // Halves round up; written without dpi + 48 so that no value of dpi overflows.
  const int width = dpi / kBaseDpi + (dpi % kBaseDpi >= kBaseDpi / 2 ? 1 : 0);
  return width < 1 ? 1 : width;
}

void PaintDial(const PaintInput& input, Canvas& canvas, MessageReporter& reporter) {
  Paint(input, canvas, reporter, true, DrawDialPicture);
}

void PaintClockLine(const PaintInput& input, Canvas& canvas, MessageReporter& reporter) {
  Paint(input, canvas, reporter, false, [](PaintContext& ctx) {
    const ObjectHandle previousFont = ctx.fonts.Select(ctx.res.fontTitle);
    ctx.canvas.SetBackgroundMode(BackgroundMode::Opaque);
    DrawClockLine(ctx);
    ctx.fonts.Restore(previousFont);
    return ReplacedObjects{};
  });
}

void PaintShadow(const PaintInput& input, Canvas& canvas, MessageReporter& reporter) {
  Paint(input, canvas, reporter, false, [](PaintContext& ctx) {
    // The pen and brush a face leaves selected for the shadow: those of the common overlays.
    const ObjectHandle pen = ctx.canvas.SelectPen(ctx.res.penWhiteWide);
    const ObjectHandle brush = ctx.canvas.SelectBrush(ctx.res.brushBlack);
    DrawShadow(ctx);
    return ReplacedObjects{pen, brush};
  });
}

}  // namespace sundial
