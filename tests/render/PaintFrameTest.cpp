// The frame of a paint: the plate's fit into the window, the drawing objects and their failure
// messages, and the titles.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "PaintFixture.h"
#include "render/DrawingResources.h"
#include "render/PlaneMapping.h"
#include "render/Titles.h"

namespace sundial {
namespace {

using testing::EmptyDial;
using testing::InputFor;
using testing::KeptMessages;
using testing::OpsOfKind;
using testing::Texts;

TEST(PlateFit, TallWindowFillsTheWidthAndCentresVertically) {
  auto m = EmptyDial(0);
  m->plateXMax = 100;
  m->plateXMin = -100;  // 200 wide
  m->plateYMin = -50;
  m->plateYMax = 50;    // 100 high
  const PlateFit fit = FitPlate(*m, 400, 400);
  EXPECT_DOUBLE_EQ(fit.scale, 2.0);
  EXPECT_EQ(fit.originX, 0);
  EXPECT_EQ(fit.originY, 100);
}

TEST(PlateFit, EqualProportionsTakeTheHeightBranch) {
  auto m = EmptyDial(0);  // 200 x 200
  const PlateFit fit = FitPlate(*m, 300, 300);
  EXPECT_DOUBLE_EQ(fit.scale, 1.5);
  EXPECT_EQ(fit.originX, 0);
  EXPECT_EQ(fit.originY, 0);
  const PlateFit wide = FitPlate(*m, 501, 300);
  EXPECT_DOUBLE_EQ(wide.scale, 1.5);
  EXPECT_EQ(wide.originX, 100);  // trunc((501 - 300) / 2)
  EXPECT_EQ(wide.originY, 0);
}

TEST(PlateFit, AltitudeDialsShrinkToNinetyPercentBelowAFivePercentMargin) {
  for (int type : {13, 14}) {
    auto m = EmptyDial(type);
    const PlateFit fit = FitPlate(*m, 501, 300);
    EXPECT_DOUBLE_EQ(fit.scale, 1.5 * 0.9);
    EXPECT_EQ(fit.originX, 100);  // not re-centred for the smaller scale
    EXPECT_EQ(fit.originY, 15);
    const PlateFit tall = FitPlate(*m, 200, 401);
    EXPECT_DOUBLE_EQ(tall.scale, 0.9);
    EXPECT_EQ(tall.originY, 20);  // trunc(0.05 * 401), not the centring offset
  }
}

TEST(PlateFit, PlaneToDeviceTruncatesTowardZeroFromThePlateCorner) {
  auto m = EmptyDial(0);
  EXPECT_EQ(PlaneToDeviceX(-99.9, *m, 10, 20, 1.5), 10);   // 0.15 px
  EXPECT_EQ(PlaneToDeviceX(-101, *m, 10, 20, 1.5), 9);     // -1.5 px -> -1
  EXPECT_EQ(PlaneToDeviceY(0, *m, 10, 20, 1.5), 170);
}

TEST(PlateFit, DegeneratePlateGetsAFiniteScale) {
  auto m = EmptyDial(0);
  m->plateXMax = m->plateXMin;
  m->plateYMax = m->plateYMin;
  const PlateFit fit = FitPlate(*m, 300, 200);
  EXPECT_TRUE(std::isfinite(fit.scale));
  EXPECT_GT(fit.scale, 0);
}

TEST(LineUnits, NarrowWindowHasZeroWidePens) {
  auto m = EmptyDial(0);
  EXPECT_EQ(DeviceFrame::For(*m, 299, 299).lineUnitX, 0);
  EXPECT_EQ(DeviceFrame::For(*m, 300, 599).lineUnitX, 1);
  EXPECT_EQ(DeviceFrame::For(*m, 300, 599).lineUnitY, 1);

  RecordingCanvas canvas(299, 200);
  KeptMessages messages;
  PaintDial(InputFor(*m), canvas, messages);
  const auto pens = OpsOfKind(canvas, CanvasOpKind::CreatePen);
  ASSERT_EQ(pens.size(), 15u);
  EXPECT_EQ(pens[0].pen.width, 0);  // white wide
  EXPECT_EQ(pens[1].pen.width, 0);  // brown wide
}

TEST(LineUnits, ThinPensFollowTheDpiWidePensAndFontsTheCanvas) {
  EXPECT_EQ(ThinPenWidth(96), 1);
  EXPECT_EQ(ThinPenWidth(143), 1);
  EXPECT_EQ(ThinPenWidth(144), 2);  // halves round up
  EXPECT_EQ(ThinPenWidth(192), 2);
  EXPECT_EQ(ThinPenWidth(288), 3);
  EXPECT_EQ(ThinPenWidth(0), 1);
  EXPECT_EQ(ThinPenWidth(-200), 1);
  EXPECT_EQ(ThinPenWidth(std::numeric_limits<int>::max()), std::numeric_limits<int>::max() / 96);

  auto m = EmptyDial(0);
  KeptMessages messages;
  RecordingCanvas at96(900, 600);
  PaintDial(InputFor(*m), at96, messages);
  PaintInput input = InputFor(*m);
  input.dpi = 192;
  RecordingCanvas at192(900, 600);
  PaintDial(input, at192, messages);

  const auto pens96 = OpsOfKind(at96, CanvasOpKind::CreatePen);
  const auto pens192 = OpsOfKind(at192, CanvasOpKind::CreatePen);
  ASSERT_EQ(pens96.size(), 15u);
  ASSERT_EQ(pens192.size(), 15u);
  for (std::size_t i = 0; i < pens96.size(); ++i) {
    const bool wide = i < 2;
    EXPECT_EQ(pens192[i].pen.width, wide ? pens96[i].pen.width : 2) << i;
    EXPECT_EQ(pens192[i].pen.style, pens96[i].pen.style) << i;
  }
  const auto fonts96 = OpsOfKind(at96, CanvasOpKind::CreateFont);
  const auto fonts192 = OpsOfKind(at192, CanvasOpKind::CreateFont);
  ASSERT_EQ(fonts192.size(), fonts96.size());
  for (std::size_t i = 0; i < fonts96.size(); ++i) EXPECT_EQ(fonts192[i].font, fonts96[i].font);
}

TEST(DrawingResources, CreatedInTableOrderAndAllReleased) {
  auto m = EmptyDial(0);
  RecordingCanvas canvas(900, 600);
  KeptMessages messages;
  PaintDial(InputFor(*m), canvas, messages);
  EXPECT_TRUE(messages.messages.empty());

  const auto& ops = canvas.Ops();
  ASSERT_GE(ops.size(), 2u);
  EXPECT_EQ(ops[0].kind, CanvasOpKind::CreateSolidBrush);
  EXPECT_EQ(ops[0].color, (Rgb{0, 0, 0}));
  EXPECT_EQ(ops[1].kind, CanvasOpKind::FillRect);
  EXPECT_EQ(ops[1].rect, (IntRect{0, 0, 900, 600}));

  const auto fonts = OpsOfKind(canvas, CanvasOpKind::CreateFont);
  ASSERT_EQ(fonts.size(), 4u);
  EXPECT_EQ(fonts[0].font, (FontSpec{"Arial", 12, kAnsiCharset}));
  EXPECT_EQ(fonts[1].font, (FontSpec{"Arial", 24, kAnsiCharset}));
  EXPECT_EQ(fonts[2].font, (FontSpec{"Wingdings", 20, kSymbolCharset}));
  EXPECT_EQ(fonts[3].font, (FontSpec{"Arial", 20, kAnsiCharset}));

  const auto pens = OpsOfKind(canvas, CanvasOpKind::CreatePen);
  const PenSpec expected[] = {
      {PenStyle::Solid, 3, {255, 255, 255}}, {PenStyle::Solid, 3, {146, 84, 18}},
      {PenStyle::Solid, 1, {103, 196, 20}},  {PenStyle::Solid, 1, {238, 231, 26}},
      {PenStyle::Dash, 1, {238, 231, 26}},   {PenStyle::Solid, 1, {196, 41, 20}},
      {PenStyle::Dash, 1, {196, 41, 20}},    {PenStyle::Solid, 1, {20, 196, 190}},
      {PenStyle::Dash, 1, {20, 196, 190}},   {PenStyle::Solid, 1, {20, 20, 190}},
      {PenStyle::Dash, 1, {20, 20, 190}},    {PenStyle::Solid, 1, {150, 150, 150}},
      {PenStyle::Dash, 1, {150, 150, 150}},  {PenStyle::Dash, 1, {200, 200, 200}},
      {PenStyle::Solid, 1, {255, 0, 0}}};
  ASSERT_EQ(pens.size(), std::size(expected));
  for (std::size_t i = 0; i < pens.size(); ++i) EXPECT_EQ(pens[i].pen, expected[i]) << i;

  const auto brushes = OpsOfKind(canvas, CanvasOpKind::CreateSolidBrush);
  ASSERT_EQ(brushes.size(), 3u);
  EXPECT_EQ(brushes[1].color, (Rgb{146, 84, 18}));
  EXPECT_EQ(brushes[2].color, (Rgb{248, 248, 182}));

  // fontSmall is made current before the pens are made.
  std::size_t selectSmall = 0;
  std::size_t firstPen = 0;
  for (std::size_t i = 0; i < ops.size(); ++i) {
    if (ops[i].kind == CanvasOpKind::SelectFont && ops[i].handle == fonts[0].handle &&
        selectSmall == 0) {
      selectSmall = i;
    }
    if (ops[i].kind == CanvasOpKind::CreatePen && firstPen == 0) firstPen = i;
  }
  EXPECT_GT(selectSmall, 0u);
  EXPECT_LT(selectSmall, firstPen);

  // Fonts before pens before brushes, the stock black brush between pens and brown brush.
  std::vector<CanvasOpKind> creations;
  for (const CanvasOp& op : ops) {
    if (op.kind == CanvasOpKind::CreateFont || op.kind == CanvasOpKind::CreatePen ||
        op.kind == CanvasOpKind::CreateSolidBrush || op.kind == CanvasOpKind::StockBlackBrush) {
      creations.push_back(op.kind);
    }
  }
  ASSERT_EQ(creations.size(), 1u + 4 + 15 + 3);
  EXPECT_EQ(creations[5], CanvasOpKind::CreatePen);
  EXPECT_EQ(creations[20], CanvasOpKind::StockBlackBrush);

  // Every created object is deleted, the stock brush is not.
  const auto deletes = OpsOfKind(canvas, CanvasOpKind::DeleteObject);
  EXPECT_EQ(deletes.size(), 1u + 4 + 15 + 2);
  for (const CanvasOp& d : deletes) {
    const RecordedObject* o = canvas.Object(d.handle);
    ASSERT_NE(o, nullptr);
    EXPECT_FALSE(o->stock);
  }
  // Deleted objects are no longer current when they go.
  EXPECT_EQ(ops.back().kind, CanvasOpKind::DeleteObject);
}

TEST(DrawingResources, EachFailureShowsItsText) {
  struct Case {
    CanvasOpKind kind;
    int nth;
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {CanvasOpKind::CreateFont, 0, {kFontCreateError, kFontSelectError}},  // fontSmall
      {CanvasOpKind::CreateFont, 1, {kFontCreateError, kFontSelectError}},  // fontTitle
      {CanvasOpKind::CreateFont, 2, {kFont3CreateError}},                    // fontGlyph
      {CanvasOpKind::CreateFont, 3, {kFont3CreateError}},                    // fontLarge
      {CanvasOpKind::CreatePen, 7, {kPenCreateError}},
      {CanvasOpKind::StockBlackBrush, 0, {kBrushCreateError}},
      {CanvasOpKind::CreateSolidBrush, 1, {kBrushCreateError}},  // brown
      {CanvasOpKind::CreateSolidBrush, 2, {kBrushCreateError}},  // pale
      {CanvasOpKind::CreateSolidBrush, 0, {}},                   // background: not tested
  };
  for (const Case& c : cases) {
    auto m = EmptyDial(0);
    RecordingCanvas canvas(900, 600);
    canvas.FailCreation(c.kind, c.nth);
    KeptMessages messages;
    PaintDial(InputFor(*m), canvas, messages);
    EXPECT_EQ(messages.messages, c.expected) << CanvasOpName(c.kind) << " " << c.nth;
    // Painting went on to the end.
    EXPECT_EQ(canvas.Ops().back().kind, CanvasOpKind::DeleteObject);
  }
}

TEST(DrawingResources, EveryPenFailureIsReportedOnce) {
  auto m = EmptyDial(0);
  RecordingCanvas canvas(900, 600);
  canvas.FailCreation(CanvasOpKind::CreatePen, -1);
  KeptMessages messages;
  PaintDial(InputFor(*m), canvas, messages);
  EXPECT_EQ(messages.messages, std::vector<std::string>(15, kPenCreateError));
}

TEST(DrawingResources, FailedFontSelectionIsReported) {
  auto m = EmptyDial(0);
  RecordingCanvas canvas(900, 600);
  canvas.FailFontSelection(true);
  KeptMessages messages;
  PaintDial(InputFor(*m), canvas, messages);
  ASSERT_FALSE(messages.messages.empty());
  for (const std::string& text : messages.messages) EXPECT_EQ(text, kFontSelectError);
}

TEST(Titles, DialNameIsTheFileNameCutAtTheExactExtension) {
  EXPECT_EQ(DialNameFromPath("C:\\Dials\\Torino.vqr"), "Torino");
  EXPECT_EQ(DialNameFromPath("C:\\Dials\\Torino.VQR"), "");  // capitals: no title
  EXPECT_EQ(DialNameFromPath("Torino.vqr"), "Torino");
  EXPECT_EQ(DialNameFromPath("C:\\a.vqr\\b.vqr.bak"), "b");   // first ".vqr" of the name
  EXPECT_EQ(DialNameFromPath("/home/x/meridiana.vqr"), "meridiana");
  EXPECT_EQ(DialNameFromPath(""), "");
}

TEST(Titles, ClockLineOnlyAfterTheFirstTick) {
  auto m = EmptyDial(0);
  PaintInput input = InputFor(*m);
  input.dialFilePath = "C:\\Dials\\Torino.vqr";
  input.clockText = " 14:05:09";
  input.equationText = "-00:02:05";
  {
    RecordingCanvas canvas(900, 600);
    KeptMessages messages;
    PaintDial(input, canvas, messages);
    EXPECT_EQ(Texts(canvas), (std::vector<std::string>{kMakerAddress, "Torino"}));
  }
  input.sunValid = 1;
  RecordingCanvas canvas(900, 600);
  KeptMessages messages;
  PaintDial(input, canvas, messages);
  const auto texts = OpsOfKind(canvas, CanvasOpKind::DrawText);
  ASSERT_EQ(texts.size(), 3u);
  EXPECT_EQ(texts[0].rect, (IntRect{30, 570, 180, 600}));
  EXPECT_EQ(texts[0].flags & kTextRight, 0u);
  EXPECT_EQ(texts[1].rect, (IntRect{0, 0, 900, 12}));
  EXPECT_NE(texts[1].flags & kTextCenter, 0u);
  EXPECT_EQ(texts[2].text, " 14:05:09 - EdT -00:02:05");
  EXPECT_EQ(texts[2].rect, (IntRect{770, 570, 870, 600}));
  EXPECT_NE(texts[2].flags & kTextRight, 0u);
  for (const CanvasOp& t : texts) {
    EXPECT_EQ(t.textColor, (Rgb{100, 100, 100}));
    const RecordedObject* font = canvas.Object(t.currentFont);
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font->font.height, 24);  // fontTitle
  }
}

}  // namespace
}  // namespace sundial
