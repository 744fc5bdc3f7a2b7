// The built-in default dial painted by the dial window on the GDI canvas, compared with the
// exact sequence of operations the same paint makes on a recording canvas: the plate's lines must
// come out in their pens' colours where the painter put them, and the titles must be there.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/win32/GdiCanvas.h"
#include "platform/win32/GdiPixelSurface.h"
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

// A dial window that keeps its picture on a DIB section repaints, once a second, only where the
// clock line and the shadow were and now are, and shows only those rectangles: each picture so
// shown equals a whole paint of the same instant, pixel for pixel, for every dial type, through a
// day (sunrise, sunset), with the clock set back and forward, across midnight, into and out of
// daylight saving and after a resize.
LocalClockReading Tick(int day, int hour, int minute, int second, int dst) {
  LocalClockReading r = SummerAfternoon();
  r.day = day;
  r.hour = hour;
  r.minute = minute;
  r.second = second;
  r.daylightSaving = dst;
  return r;
}

TEST(GdiKeptPicture, EveryTickEqualsAWholePaintForEveryDial) {
  // The source tree as Wine shows it, on its drive of the Unix root.
  const std::filesystem::path examples =
      std::filesystem::path("Z:" SUNDIAL_SOURCE_DIR) / "examples";
  std::vector<std::string> dials{""};
  for (const auto& entry : std::filesystem::directory_iterator(examples)) {
    if (entry.path().extension() == ".vqr") dials.push_back(entry.path().string());
  }
  std::sort(dials.begin() + 1, dials.end());
  ASSERT_GT(dials.size(), 15u);

  std::vector<LocalClockReading> ticks;
  for (int h : {0, 3, 4, 5, 6, 7, 8, 12, 17, 19, 20, 21, 22}) ticks.push_back(Tick(21, h, 20, 0, 0));
  ticks.push_back(Tick(21, 22, 20, 1, 0));
  ticks.push_back(Tick(21, 21, 20, 1, 0));  // the clock set back an hour
  ticks.push_back(Tick(21, 21, 21, 2, 0));  // and forward a minute
  ticks.push_back(Tick(21, 23, 59, 59, 0));
  ticks.push_back(Tick(22, 0, 0, 0, 0));
  ticks.push_back(Tick(22, 2, 0, 0, 1));
  ticks.push_back(Tick(22, 14, 0, 0, 1));
  ticks.push_back(Tick(22, 13, 0, 1, 0));  // daylight saving ends
  ticks.push_back(Tick(22, 13, 0, 2, 0));

  for (const std::string& dialPath : dials) {
    SCOPED_TRACE(dialPath.empty() ? std::string("default dial") : dialPath);
    NoHost host;
    FixedLocalClock clock(Tick(21, 0, 0, 0, 0));
    std::string keptPath = dialPath;
    std::string wholePath = dialPath;
    CDialWnd kept(host, clock, keptPath);
    CDialWnd whole(host, clock, wholePath);
    kept.OnCreate();
    whole.OnCreate();
    int w = 331;
    int h = 217;
    auto frame = std::make_unique<GdiPixelSurface>(w, h);
    auto screen = std::make_unique<GdiCanvas>(w, h);
    KeptPicture picture;
    KeptMessages messages;
    std::vector<IntRect> changed;
    // The screen is shown the rectangles that changed, as the window is.
    auto show = [&] {
      for (const IntRect& r : changed) {
        BitBlt(screen->Dc(), r.left, r.top, r.right - r.left, r.bottom - r.top, frame->Dc(),
               r.left, r.top, SRCCOPY);
      }
    };
    ASSERT_TRUE(kept.OnPaintKept(picture, *frame, messages, changed));
    show();
    for (std::size_t i = 0; i < ticks.size(); ++i) {
      const LocalClockReading& t = ticks[i];
      SCOPED_TRACE("day " + std::to_string(t.day) + " " + std::to_string(t.hour) + ":" +
                   std::to_string(t.minute) + ":" + std::to_string(t.second));
      const bool resized = i == ticks.size() - 2;
      if (resized) {
        w = 402;
        h = 289;
        frame = std::make_unique<GdiPixelSurface>(w, h);
        screen = std::make_unique<GdiCanvas>(w, h);
      }
      clock.Set(t);
      kept.OnTimer();
      whole.OnTimer();
      ASSERT_TRUE(kept.OnPaintKept(picture, *frame, messages, changed));
      show();
      GdiCanvas reference(w, h);
      ASSERT_TRUE(whole.OnPaint(reference, messages));
      GdiFlush();
      int differing = 0;
      int firstX = -1, firstY = -1;
      for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
          const std::size_t at = static_cast<std::size_t>(y) * w + x;
          if ((screen->Pixels()[at] & 0xFFFFFF) == (reference.Pixels()[at] & 0xFFFFFF)) continue;
          if (differing++ == 0) {
            firstX = x;
            firstY = y;
          }
        }
      }
      EXPECT_EQ(differing, 0) << "first at (" << firstX << ", " << firstY << ")";
      if (differing != 0) break;
    }
  }
}

}  // namespace
}  // namespace sundial::win32
