#include "render/DrawingResources.h"

#include <cmath>

namespace sundial {

namespace {

ObjectHandle MakeFont(Canvas& canvas, MessageReporter& reporter, const char* face, int height,
                      int charset, const char* failure) {
  const ObjectHandle font = canvas.CreateFont(FontSpec{face, height, charset});
  if (font == kNoObject) reporter.ShowMessage(failure);
  return font;
}

ObjectHandle MakePen(Canvas& canvas, MessageReporter& reporter, PenStyle style, int width,
                     Rgb color) {
  const ObjectHandle pen = canvas.CreatePen(PenSpec{style, width, color});
  if (pen == kNoObject) reporter.ShowMessage(kPenCreateError);
  return pen;
}

ObjectHandle CheckBrush(MessageReporter& reporter, ObjectHandle brush) {
  if (brush == kNoObject) reporter.ShowMessage(kBrushCreateError);
  return brush;
}

}  // namespace

void CreateBackgroundBrush(Canvas& canvas, DrawingResources& res) {
  res.brushBackground = canvas.CreateSolidBrush(colors::kBlack);
}

void CreateFonts(Canvas& canvas, MessageReporter& reporter, int height, DrawingResources& res) {
  const double h = height;
  const int smallHeight = static_cast<int>(std::trunc(0.02 * h));
  const int titleHeight = static_cast<int>(std::trunc(0.04 * h));
  const int glyphHeight = static_cast<int>(std::trunc(h / 30));
  res.fontSmall = MakeFont(canvas, reporter, "Arial", smallHeight, kAnsiCharset, kFontCreateError);
  res.fontTitle = MakeFont(canvas, reporter, "Arial", titleHeight, kAnsiCharset, kFontCreateError);
  res.fontGlyph =
      MakeFont(canvas, reporter, "Wingdings", glyphHeight, kSymbolCharset, kFont3CreateError);
  res.fontLarge = MakeFont(canvas, reporter, "Arial", glyphHeight, kAnsiCharset, kFont3CreateError);
}

void CreatePensAndBrushes(Canvas& canvas, MessageReporter& reporter, int lineUnitX,
                          int thinWidth, DrawingResources& res) {
  using PS = PenStyle;
  res.penWhiteWide = MakePen(canvas, reporter, PS::Solid, lineUnitX, colors::kWhite);
  res.penBrownWide = MakePen(canvas, reporter, PS::Solid, lineUnitX, colors::kBrown);
  res.penGreen = MakePen(canvas, reporter, PS::Solid, thinWidth, colors::kGreen);
  res.penYellow = MakePen(canvas, reporter, PS::Solid, thinWidth, colors::kYellow);
  res.penYellowDash = MakePen(canvas, reporter, PS::Dash, thinWidth, colors::kYellow);
  res.penRed = MakePen(canvas, reporter, PS::Solid, thinWidth, colors::kRed);
  res.penRedDash = MakePen(canvas, reporter, PS::Dash, thinWidth, colors::kRed);
  res.penTeal = MakePen(canvas, reporter, PS::Solid, thinWidth, colors::kTeal);
  res.penTealDash = MakePen(canvas, reporter, PS::Dash, thinWidth, colors::kTeal);
  res.penBlue = MakePen(canvas, reporter, PS::Solid, thinWidth, colors::kBlue);
  res.penBlueDash = MakePen(canvas, reporter, PS::Dash, thinWidth, colors::kBlue);
  res.penGrey = MakePen(canvas, reporter, PS::Solid, thinWidth, colors::kGrey);
  res.penGreyDash = MakePen(canvas, reporter, PS::Dash, thinWidth, colors::kGrey);
  res.penLightGreyDash = MakePen(canvas, reporter, PS::Dash, thinWidth, colors::kLightGrey);
  res.penPureRed = MakePen(canvas, reporter, PS::Solid, thinWidth, colors::kPureRed);

  res.brushBlack = CheckBrush(reporter, canvas.StockBlackBrush());
  res.brushBrown = CheckBrush(reporter, canvas.CreateSolidBrush(colors::kBrown));
  res.brushPale = CheckBrush(reporter, canvas.CreateSolidBrush(colors::kPale));
}

void ReleaseDrawingResources(Canvas& canvas, DrawingResources& res) {
  const ObjectHandle owned[] = {
      res.penWhiteWide, res.penBrownWide, res.penGreen,     res.penYellow,
      res.penYellowDash, res.penRed,      res.penRedDash,   res.penTeal,
      res.penTealDash,  res.penBlue,      res.penBlueDash,  res.penGrey,
      res.penGreyDash,  res.penLightGreyDash, res.penPureRed, res.brushBrown,
      res.brushPale,    res.fontSmall,    res.fontTitle,    res.fontGlyph,
      res.fontLarge,    res.brushBackground};
  for (ObjectHandle object : owned) {
    if (object != kNoObject) canvas.DeleteObject(object);
  }
  res = DrawingResources{};
}

ObjectHandle FontSelector::Select(ObjectHandle font) {
  const ObjectHandle previous = canvas_.SelectFont(font);
  const bool failed = font == kNoObject || (previous == kNoObject && selectedBefore_);
  if (failed) {
    reporter_.ShowMessage(kFontSelectError);
  } else {
    selectedBefore_ = true;
  }
  return previous;
}

}  // namespace sundial
