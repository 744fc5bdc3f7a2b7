// The GDI canvas drawn into a DIB and read back pixel by pixel.
#include "platform/win32/GdiCanvas.h"

#include <gtest/gtest.h>

namespace sundial::win32 {
namespace {

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kBrown{146, 84, 18};
constexpr Rgb kGreen{103, 196, 20};
constexpr Rgb kRed{196, 41, 20};
constexpr Rgb kWhite{255, 255, 255};

class GdiCanvasTest : public ::testing::Test {
 protected:
  GdiCanvasTest() : canvas(200, 100) {}
  void SetUp() override {
    ASSERT_TRUE(canvas.Valid());
    black = canvas.StockBlackBrush();
    canvas.FillRect({0, 0, 200, 100}, black);
  }
  int CountPixels(const IntRect& r, Rgb c) const {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) n += canvas.PixelAt(x, y) == c ? 1 : 0;
    return n;
  }
  GdiCanvas canvas;
  ObjectHandle black = kNoObject;
};

TEST_F(GdiCanvasTest, FillsWithStockAndSolidBrushes) {
  EXPECT_EQ(canvas.PixelAt(0, 0), kBlack);
  EXPECT_EQ(canvas.PixelAt(199, 99), kBlack);
  const ObjectHandle brown = canvas.CreateSolidBrush(kBrown);
  ASSERT_NE(brown, kNoObject);
  canvas.FillRect({10, 10, 20, 30}, brown);
  EXPECT_EQ(canvas.PixelAt(10, 10), kBrown);
  EXPECT_EQ(canvas.PixelAt(19, 29), kBrown);
  EXPECT_EQ(canvas.PixelAt(20, 10), kBlack);  // right and bottom edges excluded
  EXPECT_EQ(canvas.PixelAt(10, 30), kBlack);
}

TEST_F(GdiCanvasTest, SolidLinesLeaveOutTheirEndPixelAndWidePensAreWide) {
  const ObjectHandle thin = canvas.CreatePen({PenStyle::Solid, 1, kGreen});
  const ObjectHandle wide = canvas.CreatePen({PenStyle::Solid, 5, kWhite});
  ASSERT_NE(thin, kNoObject);
  ASSERT_NE(wide, kNoObject);
  canvas.SelectPen(thin);
  canvas.MoveTo(10, 20);
  canvas.LineTo(50, 20);
  EXPECT_EQ(CountPixels({10, 20, 50, 21}, kGreen), 40);
  EXPECT_EQ(canvas.PixelAt(50, 20), kBlack);
  EXPECT_EQ(canvas.PixelAt(30, 19), kBlack);
  EXPECT_EQ(canvas.PixelAt(30, 21), kBlack);

  canvas.SelectPen(wide);
  canvas.MoveTo(100, 10);
  canvas.LineTo(100, 90);
  EXPECT_EQ(canvas.PixelAt(98, 50), kWhite);
  EXPECT_EQ(canvas.PixelAt(102, 50), kWhite);
  EXPECT_EQ(canvas.PixelAt(105, 50), kBlack);

  // A width of 0 (a window narrower than 300 pixels) still draws a one-pixel line.
  const ObjectHandle hairline = canvas.CreatePen({PenStyle::Solid, 0, kRed});
  canvas.SelectPen(hairline);
  canvas.MoveTo(10, 80);
  canvas.LineTo(40, 80);
  EXPECT_EQ(CountPixels({10, 80, 40, 81}, kRed), 30);
}

TEST_F(GdiCanvasTest, DashedPensLeaveGapsThatKeepTheTransparentBackground) {
  canvas.SetBackgroundMode(BackgroundMode::Transparent);
  const ObjectHandle dash = canvas.CreatePen({PenStyle::Dash, 1, kRed});
  canvas.SelectPen(dash);
  canvas.MoveTo(0, 50);
  canvas.LineTo(200, 50);
  const int red = CountPixels({0, 50, 200, 51}, kRed);
  EXPECT_GT(red, 80);
  EXPECT_LT(red, 190);
  EXPECT_EQ(red + CountPixels({0, 50, 200, 51}, kBlack), 200);

  // The same length traced in 3-pixel steps, as the hour lines are: the pattern runs on across
  // the joints instead of starting afresh (and almost solid) at every step.
  canvas.MoveTo(0, 60);
  for (int x = 3; x < 200; x += 3) canvas.LineTo(x, 60);
  canvas.LineTo(200, 60);
  for (int x = 0; x < 200; ++x) {
    ASSERT_EQ(canvas.PixelAt(x, 60), canvas.PixelAt(x, 50)) << "at x = " << x;
  }
  // A move ends the run: the next run starts its own pattern, as a new line does.
  canvas.MoveTo(0, 70);
  canvas.LineTo(100, 70);
  canvas.MoveTo(100, 72);
  canvas.LineTo(200, 72);
  for (int x = 0; x < 100; ++x) {
    ASSERT_EQ(canvas.PixelAt(x, 70), canvas.PixelAt(x, 50)) << "at x = " << x;
    ASSERT_EQ(canvas.PixelAt(100 + x, 72), canvas.PixelAt(x, 50)) << "at x = " << 100 + x;
  }
}

TEST_F(GdiCanvasTest, WideDashedPensAreDashedAsManyTimesLongerWithGapsLeftClear) {
  // A geometric pen's gaps are never filled, whatever the background mode.
  canvas.SetBackgroundMode(BackgroundMode::Opaque);
  canvas.SetBackgroundColor(kBrown);
  canvas.SelectPen(canvas.CreatePen({PenStyle::Dash, 2, kRed}));
  canvas.MoveTo(0, 50);
  canvas.LineTo(200, 50);
  // Dashes of 36 pixels and gaps of 12, two rows deep.
  EXPECT_EQ(CountPixels({0, 49, 36, 51}, kRed), 72);
  EXPECT_EQ(CountPixels({36, 40, 48, 60}, kBlack), 240);
  EXPECT_EQ(CountPixels({48, 49, 84, 51}, kRed), 72);
}

TEST_F(GdiCanvasTest, EllipsesAreOutlinedWithThePenAndFilledWithTheBrush) {
  const ObjectHandle pen = canvas.CreatePen({PenStyle::Solid, 1, kWhite});
  const ObjectHandle brush = canvas.CreateSolidBrush(kBrown);
  canvas.SelectPen(pen);
  canvas.SelectBrush(brush);
  canvas.Ellipse(50, 20, 91, 61);
  EXPECT_EQ(canvas.PixelAt(70, 40), kBrown);
  EXPECT_EQ(canvas.PixelAt(50, 40), kWhite);  // leftmost point of the outline
  EXPECT_EQ(canvas.PixelAt(52, 22), kBlack);  // outside the curve, inside the box
  EXPECT_EQ(canvas.PixelAt(95, 40), kBlack);
}

TEST_F(GdiCanvasTest, ClipRectangleConfinesDrawingUntilCleared) {
  const ObjectHandle pen = canvas.CreatePen({PenStyle::Solid, 1, kGreen});
  canvas.SelectPen(pen);
  canvas.SetClipRect({50, 0, 100, 100});
  canvas.MoveTo(0, 10);
  canvas.LineTo(200, 10);
  EXPECT_EQ(CountPixels({0, 10, 200, 11}, kGreen), 50);
  EXPECT_EQ(canvas.PixelAt(49, 10), kBlack);
  EXPECT_EQ(canvas.PixelAt(100, 10), kBlack);
  canvas.ClearClip();
  canvas.MoveTo(0, 12);
  canvas.LineTo(200, 12);
  EXPECT_EQ(CountPixels({0, 12, 200, 13}, kGreen), 200);
}

TEST_F(GdiCanvasTest, DrawsTextOfTheCurrentFontAndColourInsideItsRectangle) {
  const ObjectHandle arial = canvas.CreateFont({"Arial", 24, kAnsiCharset});
  const ObjectHandle wingdings = canvas.CreateFont({"Wingdings", 24, kSymbolCharset});
  ASSERT_NE(arial, kNoObject);
  ASSERT_NE(wingdings, kNoObject);
  ASSERT_EQ(canvas.SelectFont(arial), kNoObject);
  canvas.SetBackgroundMode(BackgroundMode::Transparent);
  canvas.SetTextColor(kWhite);
  canvas.DrawText("Meridiana", {0, 0, 200, 40}, kTextCenter | kTextNoClip);
  EXPECT_GT(CountPixels({0, 0, 200, 40}, kWhite), 30);
  EXPECT_EQ(CountPixels({0, 40, 200, 100}, kWhite), 0);
  // Centred: ink on both halves, none at the far edges.
  EXPECT_GT(CountPixels({0, 0, 100, 40}, kWhite), 10);
  EXPECT_GT(CountPixels({100, 0, 200, 40}, kWhite), 10);
  EXPECT_EQ(CountPixels({0, 0, 10, 40}, kWhite), 0);

  // The symbol font draws the zodiac codes; a line break starts a second line lower down.
  EXPECT_EQ(canvas.SelectFont(wingdings), arial);
  canvas.SetTextColor(kGreen);
  canvas.DrawText("^_`\n^_`", {0, 40, 100, 100}, kTextLeft);
  EXPECT_GT(CountPixels({0, 40, 100, 64}, kGreen), 10);
  EXPECT_GT(CountPixels({0, 64, 100, 100}, kGreen), 10);
}

TEST_F(GdiCanvasTest, SelectionReturnsThePreviousObjectOfItsKindAndRefusesStrangers) {
  const ObjectHandle a = canvas.CreatePen({PenStyle::Solid, 1, kRed});
  const ObjectHandle b = canvas.CreatePen({PenStyle::Dash, 1, kGreen});
  const ObjectHandle brush = canvas.CreateSolidBrush(kBrown);
  EXPECT_EQ(canvas.SelectPen(a), kNoObject);
  EXPECT_EQ(canvas.SelectPen(b), a);
  EXPECT_EQ(canvas.SelectPen(brush), kNoObject);  // a brush is no pen
  EXPECT_EQ(canvas.SelectPen(kNoObject), kNoObject);
  EXPECT_EQ(canvas.SelectPen(9999), kNoObject);
  EXPECT_EQ(canvas.SelectPen(a), b);  // the failed selections changed nothing
  EXPECT_EQ(canvas.SelectBrush(brush), kNoObject);
  EXPECT_EQ(canvas.SelectBrush(black), brush);

  // Deleting the selected pen puts the DC's own pen back; the handle is dead afterwards.
  canvas.DeleteObject(a);
  EXPECT_EQ(canvas.SelectPen(a), kNoObject);
  canvas.DeleteObject(a);
  canvas.DeleteObject(black);  // the stock brush is never really deleted
  canvas.MoveTo(0, 0);
  canvas.LineTo(10, 10);
}

TEST(GdiCanvasCopy, CopiesToAnotherDcWithBitBlt) {
  GdiCanvas source(40, 30);
  GdiCanvas target(40, 30);
  const ObjectHandle brown = source.CreateSolidBrush(kBrown);
  source.FillRect({0, 0, 40, 30}, brown);
  target.FillRect({0, 0, 40, 30}, target.StockBlackBrush());
  source.CopyTo(target.Dc(), 0, 0, 40, 30);
  EXPECT_EQ(target.PixelAt(0, 0), kBrown);
  EXPECT_EQ(target.PixelAt(39, 29), kBrown);
}

TEST(GdiCanvasCompatible, CompatibleWithTheScreen) {
  HDC screen = GetDC(nullptr);
  {
    GdiCanvas canvas(screen, 64, 48);
    EXPECT_TRUE(canvas.Valid());
    EXPECT_EQ(canvas.Width(), 64);
    EXPECT_EQ(canvas.Height(), 48);
  }
  ReleaseDC(nullptr, screen);
}

}  // namespace
}  // namespace sundial::win32
