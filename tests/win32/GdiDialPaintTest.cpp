// The built-in default dial painted by the dial window on the GDI canvas, compared with the
// exact sequence of operations the same paint makes on a recording canvas: the plate's lines must
// come out in their pens' colours where the painter put them, and the titles must be there.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/win32/GdiCanvas.h"
#include "render/RecordingCanvas.h"
#include "window/CDialWnd.h"

namespace sundial::win32 {
namespace {

struct NoHost : DialWndHost {
  void Invalidate() override { ++invalidations; }
  int invalidations = 0;
};

struct KeptMessages : MessageReporter {
  void ShowMessage(const std::string& text) override { messages.push_back(text); }
  std::vector<std::string> messages;
};

// 21 June 2010, 17:30 summer time in the zone one hour east: mid-afternoon at the default dial's
// place, the sun well up in front of its wall and the shadow long.
LocalClockReading SummerAfternoon() {
  LocalClockReading r;
  r.year = 2010;
  r.month = 6;
  r.day = 21;
  r.hour = 17;
  r.minute = 30;
  r.daylightSaving = 1;
  r.biasMinutesWest = -60;
  return r;
}

bool NearColour(const GdiCanvas& canvas, int x, int y, Rgb colour) {
  for (int dy = -1; dy <= 1; ++dy)
    for (int dx = -1; dx <= 1; ++dx)
      if (canvas.PixelAt(x + dx, y + dy) == colour) return true;
  return false;
}

class GdiDialPaint : public ::testing::Test {
 protected:
  static constexpr int kWidth = 900;
  static constexpr int kHeight = 600;

  void SetUp() override {
    // As in the window: the first paint loads the dial, the tick then finds the sun for its place.
    dial.OnCreate();
    RecordingCanvas first{kWidth, kHeight};
    ASSERT_TRUE(dial.OnPaint(first, recordedMessages));
    dial.OnTimer();
    ASSERT_EQ(dial.sunValid, 1);
    ASSERT_TRUE(gdi.Valid());
    ASSERT_TRUE(dial.OnPaint(gdi, gdiMessages));
    ASSERT_TRUE(dial.OnPaint(recording, recordedMessages));
  }

  std::string path;  // empty: the built-in default dial
  NoHost host;
  FixedLocalClock clock{SummerAfternoon()};
  CDialWnd dial{host, clock, path};
  GdiCanvas gdi{kWidth, kHeight};
  RecordingCanvas recording{kWidth, kHeight};
  KeptMessages gdiMessages;
  KeptMessages recordedMessages;
};

TEST_F(GdiDialPaint, EveryDrawingObjectIsCreated) {
  EXPECT_TRUE(gdiMessages.messages.empty()) << gdiMessages.messages.front();
  EXPECT_EQ(dial.loadState, DialLoadState::Missing);
}

TEST_F(GdiDialPaint, SolidLinesLieInTheirPensColoursWhereThePainterDrewThem) {
  int checked = 0;
  int found = 0;
  std::string misses;
  int fromX = 0;
  int fromY = 0;
  for (const CanvasOp& op : recording.Ops()) {
    if (op.kind == CanvasOpKind::MoveTo) {
      fromX = op.x;
      fromY = op.y;
      continue;
    }
    if (op.kind != CanvasOpKind::LineTo) continue;
    const RecordedObject* pen = recording.Object(op.currentPen);
    const int dx = op.x - fromX;
    const int dy = op.y - fromY;
    const int midX = fromX + dx / 2;
    const int midY = fromY + dy / 2;
    const int x0 = fromX;
    const int y0 = fromY;
    fromX = op.x;
    fromY = op.y;
    if (pen == nullptr || pen->pen.style != PenStyle::Solid) continue;
    if (dx * dx + dy * dy < 64) continue;  // too short to tell
    if (midX < 1 || midY < 1 || midX >= kWidth - 1 || midY >= kHeight - 1) continue;
    ++checked;
    if (NearColour(gdi, midX, midY, pen->pen.color)) {
      ++found;
    } else if (misses.size() < 400) {
      misses += " (" + std::to_string(x0) + "," + std::to_string(y0) + ")-(" +
                std::to_string(op.x) + "," + std::to_string(op.y) + ")";
    }
  }
  ASSERT_GT(checked, 50);
  // Later lines may cover earlier ones here and there, never most of them.
  EXPECT_GE(found * 100, checked * 90) << found << " of " << checked << ", missing:" << misses;
}

TEST_F(GdiDialPaint, ThePresentShadowIsBrownAndTheTitlesAreWritten) {
  const Rgb brown{146, 84, 18};
  const Rgb grey{100, 100, 100};
  int brownPixels = 0;
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) brownPixels += gdi.PixelAt(x, y) == brown ? 1 : 0;
  EXPECT_GT(brownPixels, 20) << "sun altitude " << dial.sunAltitude;

  // Every grey title has ink in the rows just below its rectangle's top edge.
  int titles = 0;
  for (const CanvasOp& op : recording.Ops()) {
    if (op.kind != CanvasOpKind::DrawText || !(op.textColor == grey) || op.text.empty()) continue;
    const RecordedObject* font = recording.Object(op.currentFont);
    ASSERT_NE(font, nullptr);
    int ink = 0;
    for (int y = op.rect.top; y < op.rect.top + font->font.height && y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x) {
        const Rgb p = gdi.PixelAt(x, y);
        ink += (p.r > 40 && p.r == p.g && p.g == p.b) ? 1 : 0;
      }
    EXPECT_GT(ink, 10) << "no ink for the title \"" << op.text << "\"";
    ++titles;
  }
  EXPECT_GE(titles, 2);
}

}  // namespace
}  // namespace sundial::win32
