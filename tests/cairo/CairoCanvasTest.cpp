// Small pictures drawn on the Cairo canvas, checked pixel by pixel against the drawing rules the
// dial was designed with.
#include <gtest/gtest.h>

#include <cairo.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <filesystem>
#include <string>

#include "platform/cairo/CairoCanvas.h"
#include "platform/cairo/CairoPicture.h"

namespace sundial {
namespace {

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kRed{196, 41, 20};
constexpr Rgb kYellow{238, 231, 26};
constexpr Rgb kBrown{146, 84, 18};
constexpr Rgb kWhite{255, 255, 255};

// A black image of w x h pixels with a canvas on it.
class Picture {
 public:
  Picture(int w, int h)
      : surface_(cairo_image_surface_create(CAIRO_FORMAT_RGB24, w, h)),
        cr_(cairo_create(surface_)) {
    canvas_ = std::make_unique<CairoCanvas>(cr_, w, h);
    black_ = canvas_->StockBlackBrush();
    canvas_->FillRect({0, 0, w, h}, black_);
  }
  ~Picture() {
    canvas_.reset();
    cairo_destroy(cr_);
    cairo_surface_destroy(surface_);
  }
  CairoCanvas& canvas() { return *canvas_; }

  Rgb At(int x, int y) {
    canvas_->Flush();
    const unsigned char* data = cairo_image_surface_get_data(surface_);
    const int stride = cairo_image_surface_get_stride(surface_);
    std::uint32_t px;
    std::memcpy(&px, data + y * stride + x * 4, 4);
    return Rgb{static_cast<std::uint8_t>(px >> 16), static_cast<std::uint8_t>(px >> 8),
               static_cast<std::uint8_t>(px)};
  }
  // Number of pixels of the box [l, r) x [t, b) that are not black.
  int Lit(int l, int t, int r, int b) {
    int n = 0;
    for (int y = t; y < b; ++y)
      for (int x = l; x < r; ++x)
        if (!(At(x, y) == kBlack)) ++n;
    return n;
  }
  void Line(int x0, int y0, int x1, int y1) {
    canvas_->MoveTo(x0, y0);
    canvas_->LineTo(x1, y1);
  }

 private:
  cairo_surface_t* surface_;
  cairo_t* cr_;
  std::unique_ptr<CairoCanvas> canvas_;
  ObjectHandle black_ = kNoObject;
};

::testing::AssertionResult Is(Rgb expected, Rgb got) {
  if (expected == got) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "expected " << int(expected.r) << "," << int(expected.g)
                                       << "," << int(expected.b) << " got " << int(got.r) << ","
                                       << int(got.g) << "," << int(got.b);
}

// Within the smoothing of a curved or slanted edge.
::testing::AssertionResult Near(Rgb expected, Rgb got) {
  auto close = [](int a, int b) { return a - b <= 40 && b - a <= 40; };
  if (close(expected.r, got.r) && close(expected.g, got.g) && close(expected.b, got.b))
    return ::testing::AssertionSuccess();
  return Is(expected, got);
}

TEST(CairoCanvasLines, ThinSolidLineIsCrispInPenColourAndLeavesOutItsEndPixel) {
  Picture p(40, 40);
  for (int width : {0, 1}) {
    SCOPED_TRACE(width);
    p.canvas().SelectPen(p.canvas().CreatePen({PenStyle::Solid, width, kRed}));
    p.Line(5, 10 + width * 10, 25, 10 + width * 10);
    const int y = 10 + width * 10;
    for (int x = 5; x < 25; ++x) EXPECT_TRUE(Is(kRed, p.At(x, y))) << x;
    EXPECT_TRUE(Is(kBlack, p.At(25, y)));
    EXPECT_TRUE(Is(kBlack, p.At(4, y)));
    EXPECT_EQ(0, p.Lit(0, y - 1, 40, y));
    EXPECT_EQ(0, p.Lit(0, y + 1, 40, y + 2));
  }
  // Vertical, drawn upwards: the end pixel is the upper one.
  p.Line(30, 30, 30, 5);
  EXPECT_TRUE(Near(kRed, p.At(30, 30)));
  EXPECT_TRUE(Is(kRed, p.At(30, 6)));
  EXPECT_TRUE(Is(kBlack, p.At(30, 5)));
  EXPECT_EQ(0, p.Lit(29, 0, 30, 40) + p.Lit(31, 0, 32, 40));
}

TEST(CairoCanvasLines, PolylineTurnsWithoutGapsAndLeavesOutOnlyItsLastPixel) {
  Picture p(40, 40);
  p.canvas().SelectPen(p.canvas().CreatePen({PenStyle::Solid, 1, kRed}));
  p.canvas().MoveTo(5, 5);
  p.canvas().LineTo(15, 5);
  p.canvas().LineTo(15, 15);
  p.canvas().LineTo(25, 15);
  for (int x = 5; x <= 15; ++x) EXPECT_TRUE(Is(kRed, p.At(x, 5))) << x;
  for (int y = 5; y <= 15; ++y) EXPECT_TRUE(Is(kRed, p.At(15, y))) << y;
  for (int x = 15; x < 25; ++x) EXPECT_TRUE(Is(kRed, p.At(x, 15))) << x;
  EXPECT_TRUE(Is(kBlack, p.At(25, 15)));
  EXPECT_EQ(11 + 10 + 9, p.Lit(0, 0, 40, 40)) << "no pixel beside the path";
}

TEST(CairoCanvasLines, WidePenIsAsWideAsAsked) {
  Picture p(40, 40);
  p.canvas().SelectPen(p.canvas().CreatePen({PenStyle::Solid, 5, kWhite}));
  p.Line(5, 20, 35, 20);
  for (int y = 18; y <= 22; ++y) EXPECT_TRUE(Is(kWhite, p.At(20, y))) << y;
  EXPECT_TRUE(Is(kBlack, p.At(20, 17)));
  EXPECT_TRUE(Is(kBlack, p.At(20, 23)));
}

TEST(CairoCanvasLines, DashPatternIsEighteenOnSixOffAndRunsOnAlongThePolyline) {
  Picture p(80, 20);
  p.canvas().SetBackgroundMode(BackgroundMode::Transparent);
  p.canvas().SelectPen(p.canvas().CreatePen({PenStyle::Dash, 1, kYellow}));
  p.Line(0, 5, 60, 5);
  EXPECT_TRUE(Is(kYellow, p.At(0, 5)));
  EXPECT_TRUE(Is(kYellow, p.At(17, 5)));
  EXPECT_EQ(0, p.Lit(18, 5, 24, 6)) << "the first gap";
  EXPECT_TRUE(Is(kYellow, p.At(24, 5)));
  EXPECT_TRUE(Is(kYellow, p.At(41, 5)));
  EXPECT_EQ(0, p.Lit(42, 5, 48, 6));

  // The same line in short pieces keeps the pattern: the gap still falls on 18..23.
  p.canvas().MoveTo(0, 12);
  for (int x = 5; x <= 60; x += 5) p.canvas().LineTo(x, 12);
  EXPECT_TRUE(Is(kYellow, p.At(10, 12)));
  EXPECT_EQ(0, p.Lit(18, 12, 24, 13));
  EXPECT_TRUE(Is(kYellow, p.At(30, 12)));
}

TEST(CairoCanvasLines, OpaqueModeFillsTheDashGapsWithTheBackgroundColour) {
  Picture p(40, 10);
  p.canvas().SetBackgroundMode(BackgroundMode::Opaque);
  p.canvas().SetBackgroundColor(kBrown);
  p.canvas().SelectPen(p.canvas().CreatePen({PenStyle::Dash, 1, kYellow}));
  p.Line(0, 5, 30, 5);
  EXPECT_TRUE(Is(kYellow, p.At(3, 5)));
  EXPECT_TRUE(Is(kBrown, p.At(20, 5)));
}

TEST(CairoCanvasLines, WideDashedPenIsDashedAsManyTimesLongerWithGapsLeftClear) {
  Picture p(200, 100);
  p.canvas().SetBackgroundMode(BackgroundMode::Opaque);  // not for a wide pen's gaps
  p.canvas().SetBackgroundColor(kBrown);
  p.canvas().SelectPen(p.canvas().CreatePen({PenStyle::Dash, 2, kYellow}));
  p.Line(0, 50, 200, 50);
  // Dashes of 36 pixels and gaps of 12, two rows deep, as GDI's geometric pen draws them.
  EXPECT_EQ(72, p.Lit(0, 49, 36, 51));
  EXPECT_EQ(0, p.Lit(36, 40, 48, 60));
  EXPECT_EQ(72, p.Lit(48, 49, 84, 51));
}

TEST(CairoCanvasLines, FarPointsAreCutWithoutLosingTheLine) {
  Picture p(40, 40);
  p.canvas().SelectPen(p.canvas().CreatePen({PenStyle::Solid, 1, kRed}));
  p.Line(-100000000, 7, 100000000, 7);
  p.Line(20, -(1 << 27), 20, 1 << 27);
  for (int x : {0, 13, 39}) EXPECT_TRUE(Is(kRed, p.At(x, 7))) << x;
  for (int y : {0, 30, 39}) EXPECT_TRUE(Is(kRed, p.At(20, y))) << y;
  // A far diagonal keeps its direction: through (20, 20) at 45 degrees.
  p.Line(20 - 50000000, 20 - 50000000, 20 + 50000000, 20 + 50000000);
  EXPECT_TRUE(Near(kRed, p.At(30, 30)));
  EXPECT_EQ(0, p.Lit(30, 33, 31, 40));
}

TEST(CairoCanvasShapes, EllipseIsOutlinedWithThePenAndFilledWithTheBrushInsideItsBox) {
  Picture p(40, 40);
  p.canvas().SelectPen(p.canvas().CreatePen({PenStyle::Solid, 1, kRed}));
  p.canvas().SelectBrush(p.canvas().CreateSolidBrush(kBrown));
  p.canvas().Ellipse(10, 10, 31, 31);
  EXPECT_TRUE(Is(kBrown, p.At(20, 20)));
  EXPECT_TRUE(Near(kRed, p.At(10, 20))) << "left edge on the box's first column";
  EXPECT_TRUE(Near(kRed, p.At(20, 30))) << "bottom edge on the box's last row";
  EXPECT_TRUE(Is(kBlack, p.At(31, 20))) << "the right edge of the box is outside";
  EXPECT_TRUE(Is(kBlack, p.At(11, 11))) << "a corner of the box";
}

TEST(CairoCanvasShapes, FillRectLeavesOutTheRightAndBottomEdges) {
  Picture p(20, 20);
  p.canvas().FillRect({2, 3, 8, 9}, p.canvas().CreateSolidBrush(kBrown));
  EXPECT_TRUE(Is(kBrown, p.At(2, 3)));
  EXPECT_TRUE(Is(kBrown, p.At(7, 8)));
  EXPECT_TRUE(Is(kBlack, p.At(8, 5)));
  EXPECT_TRUE(Is(kBlack, p.At(5, 9)));
  EXPECT_EQ(36, p.Lit(0, 0, 20, 20));
}

TEST(CairoCanvasShapes, ClipRectangleHoldsUntilCleared) {
  Picture p(40, 20);
  p.canvas().SelectPen(p.canvas().CreatePen({PenStyle::Solid, 1, kRed}));
  p.canvas().SetClipRect({10, 0, 20, 20});
  p.Line(0, 5, 40, 5);
  EXPECT_TRUE(Is(kBlack, p.At(9, 5)));
  EXPECT_TRUE(Is(kRed, p.At(10, 5)));
  EXPECT_TRUE(Is(kRed, p.At(19, 5)));
  EXPECT_TRUE(Is(kBlack, p.At(20, 5)));
  p.canvas().ClearClip();
  p.Line(0, 10, 40, 10);
  EXPECT_TRUE(Is(kRed, p.At(2, 10)));
  EXPECT_TRUE(Is(kRed, p.At(30, 10)));
}

TEST(CairoCanvasObjects, SelectionReturnsThePreviousObjectAndRefusesOthers) {
  Picture p(10, 10);
  CairoCanvas& c = p.canvas();
  const ObjectHandle pen = c.CreatePen({PenStyle::Solid, 1, kRed});
  const ObjectHandle brush = c.CreateSolidBrush(kBrown);
  const ObjectHandle font = c.CreateFont({"Arial", 12, kAnsiCharset});
  const ObjectHandle firstPen = c.SelectPen(pen);
  EXPECT_NE(kNoObject, firstPen) << "a fresh canvas has a pen selected";
  EXPECT_EQ(pen, c.SelectPen(firstPen));
  EXPECT_EQ(kNoObject, c.SelectPen(brush)) << "a brush is not a pen";
  EXPECT_EQ(kNoObject, c.SelectFont(kNoObject));
  EXPECT_EQ(kNoObject, c.SelectFont(12345));
  const ObjectHandle firstFont = c.SelectFont(font);
  EXPECT_NE(kNoObject, firstFont);
  EXPECT_EQ(font, c.SelectFont(firstFont));
  // Deleting the selected pen leaves it drawable.
  c.SelectPen(pen);
  c.DeleteObject(pen);
  p.Line(0, 2, 5, 2);
  EXPECT_TRUE(Is(kRed, p.At(1, 2)));
}

TEST(CairoCanvasText, TextHangsFromTheTopEdgeAndIsAlignedAsAsked) {
  Picture p(200, 60);
  CairoCanvas& c = p.canvas();
  c.SelectFont(c.CreateFont({"Arial", 20, kAnsiCharset}));
  c.SetTextColor(kWhite);
  c.SetBackgroundMode(BackgroundMode::Transparent);
  c.DrawText("IIII", {100, 10, 100, 10}, kTextLeft | kTextNoClip);
  EXPECT_GT(p.Lit(100, 10, 140, 30), 20) << "left: starts at the left edge, below the top";
  EXPECT_EQ(0, p.Lit(0, 0, 99, 60));
  EXPECT_EQ(0, p.Lit(0, 0, 200, 10)) << "nothing above the top edge";

  Picture q(200, 60);
  q.canvas().SetTextColor(kWhite);
  q.canvas().SelectFont(q.canvas().CreateFont({"Arial", 20, kAnsiCharset}));
  q.canvas().SetBackgroundMode(BackgroundMode::Transparent);
  q.canvas().DrawText("IIII", {100, 10, 100, 10}, kTextCenter | kTextNoClip);
  EXPECT_GT(q.Lit(80, 10, 100, 30), 5);
  EXPECT_GT(q.Lit(100, 10, 120, 30), 5);

  Picture r(200, 60);
  r.canvas().SetTextColor(kWhite);
  r.canvas().SelectFont(r.canvas().CreateFont({"Arial", 20, kAnsiCharset}));
  r.canvas().SetBackgroundMode(BackgroundMode::Transparent);
  r.canvas().DrawText("IIII\nII", {0, 10, 100, 50}, kTextRight);
  EXPECT_GT(r.Lit(60, 10, 100, 30), 10);
  EXPECT_EQ(0, r.Lit(101, 0, 200, 60)) << "right-aligned text ends at the right edge";
  EXPECT_GT(r.Lit(60, 32, 100, 55), 5) << "the second line lies below the first";
}

TEST(CairoCanvasText, OpaqueTextFillsItsCellWithTheBackgroundColour) {
  Picture p(120, 40);
  CairoCanvas& c = p.canvas();
  c.SelectFont(c.CreateFont({"Arial", 20, kAnsiCharset}));
  c.SetTextColor(kWhite);
  c.SetBackgroundColor(kBrown);
  c.SetBackgroundMode(BackgroundMode::Opaque);
  c.DrawText("x", {10, 10, 10, 10}, kTextLeft);
  EXPECT_TRUE(Is(kBrown, p.At(11, 11)));
}

TEST(CairoCanvasText, SymbolFontDrawsTheZodiacAndTheBell) {
  EXPECT_EQ("\u2648", SymbolFontToUtf8("\x5E"));
  EXPECT_EQ("\u2651", SymbolFontToUtf8("\x67"));  // Capricorn
  EXPECT_EQ("\u2653", SymbolFontToUtf8("\x69"));
  EXPECT_EQ("\u2648  \u264E", SymbolFontToUtf8("\x5E  \x64"));
  const std::string bell = SymbolFontToUtf8("\x25");
  EXPECT_TRUE(bell == "\U0001F514" || bell == "\u237E");
  EXPECT_EQ("", SymbolFontToUtf8(std::string(2, '\0')));

  for (char code : {'\x67', '\x61', '\x25'}) {
    SCOPED_TRACE(int(code));
    Picture p(60, 60);
    CairoCanvas& c = p.canvas();
    c.SelectFont(c.CreateFont({"Wingdings", 30, kSymbolCharset}));
    c.SetTextColor(Rgb{103, 196, 20});
    c.SetBackgroundMode(BackgroundMode::Transparent);
    c.DrawText(std::string(1, code), {30, 10, 30, 10}, kTextCenter | kTextNoClip);
    EXPECT_GT(p.Lit(0, 10, 60, 45), 30);
  }
}

// The five codes code page 1252 leaves unassigned, and a NUL, draw nothing: the text around them
// comes out as without them.
TEST(CairoCanvasText, UnassignedCodesDrawNothing) {
  auto draw = [](const std::string& text) {
    Picture p(80, 40);
    CairoCanvas& c = p.canvas();
    c.SelectFont(c.CreateFont({"Arial", 20, kAnsiCharset}));
    c.SetTextColor(Rgb{255, 255, 255});
    c.SetBackgroundMode(BackgroundMode::Transparent);
    c.DrawText(text, {4, 4, 4, 4}, kTextLeft | kTextNoClip);
    return p.Lit(0, 0, 80, 40);
  };
  const int plain = draw("ab");
  EXPECT_GT(plain, 20);
  EXPECT_EQ(draw(std::string("a\x81\x8D\x8F\x90\x9D", 6) + std::string(1, '\0') + "b"), plain);
}

TEST(CairoPicture, WritesPngSvgAndPdfAndReportsAnUnwritablePath) {
  const auto dir = std::filesystem::temp_directory_path() / "sundial-cairo-test";
  std::filesystem::create_directories(dir);
  auto draw = [](Canvas& c) {
    c.SelectPen(c.CreatePen({PenStyle::Solid, 1, kRed}));
    c.MoveTo(0, 0);
    c.LineTo(20, 20);
    c.DrawText("12", {5, 5, 5, 5}, kTextLeft);
  };
  for (const char* name : {"a.png", "a.svg", "a.pdf"}) {
    const auto path = (dir / name).string();
    std::filesystem::remove(path);
    auto format = PictureFormatFromPath(path);
    ASSERT_TRUE(format.has_value());
    EXPECT_EQ("", WritePicture(path, *format, 30, 30, draw));
    EXPECT_GT(std::filesystem::file_size(path), 50u) << name;
  }
  EXPECT_FALSE(PictureFormatFromPath("a.gif").has_value());
  EXPECT_EQ(PictureFormat::Png, PictureFormatFromPath("A.PNG"));
  for (PictureFormat f : {PictureFormat::Png, PictureFormat::Svg, PictureFormat::Pdf}) {
    EXPECT_NE("", WritePicture("/nonexistent-dir/x.out", f, 10, 10, draw));
  }
}

}  // namespace
}  // namespace sundial
