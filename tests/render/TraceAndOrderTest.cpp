#include <algorithm>
// The drawing trace written from a recording, and where the titles fall in the sequence of the
// dial types with faces of their own.
#include <gtest/gtest.h>

#include <sstream>

#include "PaintFixture.h"
#include "render/Titles.h"
#include "render/TraceJson.h"

namespace sundial {
namespace {

using namespace sundial::testing;

TEST(TraceJson, OneObjectPerOperationWithDeviceCoordinates) {
  RecordingCanvas canvas(320, 200);
  const ObjectHandle pen = canvas.CreatePen(PenSpec{PenStyle::Dash, 1, {20, 196, 190}});
  canvas.SelectPen(pen);
  canvas.MoveTo(-5, 7);
  canvas.LineTo(300, 190);
  canvas.DrawText("Caf\xe9 \"A\"\\\x81", IntRect{1, 2, 3, 4}, kTextCenter | kTextNoClip);
  canvas.SetBackgroundMode(BackgroundMode::Transparent);
  std::ostringstream out;
  WriteTraceJson(canvas, out);
  const std::string json = out.str();
  EXPECT_NE(json.find("{\"width\":320,\"height\":200,\"operations\":["), std::string::npos);
  EXPECT_NE(json.find("{\"op\":\"createPen\",\"handle\":1,\"style\":\"dash\",\"width\":1,"
                      "\"color\":[20,196,190]}"),
            std::string::npos);
  EXPECT_NE(json.find("{\"op\":\"selectPen\",\"handle\":1,\"previous\":0}"), std::string::npos);
  EXPECT_NE(json.find("{\"op\":\"moveTo\",\"x\":-5,\"y\":7}"), std::string::npos);
  EXPECT_NE(json.find("{\"op\":\"lineTo\",\"x\":300,\"y\":190,\"pen\":1}"), std::string::npos);
  // Code page 1252 becomes UTF-8; quotes and backslashes are escaped.
  EXPECT_NE(json.find("\"text\":\"Caf\xc3\xa9 \\\"A\\\"\\\\\xc2\x81\""), std::string::npos);
  EXPECT_NE(json.find("\"mode\":\"transparent\""), std::string::npos);
  // Operations appear in the order they were made.
  EXPECT_LT(json.find("moveTo"), json.find("lineTo"));
  EXPECT_LT(json.find("lineTo"), json.find("drawText"));
}

// The index of the maker's line among all operations, and of the first shadow operation.
std::size_t IndexOfTitles(const RecordingCanvas& c) {
  for (std::size_t i = 0; i < c.Ops().size(); ++i) {
    if (c.Ops()[i].kind == CanvasOpKind::DrawText && c.Ops()[i].text == kMakerAddress) return i;
  }
  return c.Ops().size();
}

TEST(SpecialFaceTypes, TitlesAreDrawnAndTheShadowStageRunsLast) {
  for (int type : {5, 6, 12, 13, 14}) {
    auto m = EmptyDial(type);
    RecordingCanvas canvas(600, 400);
    KeptMessages messages;
    PaintInput input = InputFor(*m);
    input.sunValid = 1;
    input.sunAltitude = 30;
    input.clockText = " 10:00:00";
    input.equationText = " 00:01:00";
    PaintDial(input, canvas, messages);
    EXPECT_LT(IndexOfTitles(canvas), canvas.Ops().size()) << type;
    const auto texts = Texts(canvas);
    ASSERT_FALSE(texts.empty());
    // The altitude and receiving-outline faces write their scales after the titles.
    EXPECT_NE(std::find(texts.begin(), texts.end(), " 10:00:00 - EdT  00:01:00"), texts.end())
        << type;
    std::size_t clear = 0;
    for (std::size_t i = 0; i < canvas.Ops().size(); ++i) {
      if (canvas.Ops()[i].kind == CanvasOpKind::ClearClip) clear = i;
    }
    EXPECT_GT(clear, IndexOfTitles(canvas)) << type;
    EXPECT_TRUE(messages.messages.empty());
  }
}

TEST(SpecialFaceTypes, ADialWithoutComputedLinesStillGetsItsTitles) {
  auto m = EmptyDial(0);
  m->geometry.reset();
  RecordingCanvas canvas(600, 400);
  KeptMessages messages;
  PaintDial(InputFor(*m), canvas, messages);
  EXPECT_EQ(Texts(canvas), std::vector<std::string>{kMakerAddress});
}

}  // namespace
}  // namespace sundial
