// The shadow of the present sun: when it is drawn, and the style line, spot and sky marker.
#include <gtest/gtest.h>

#include <cmath>

#include "PaintFixture.h"
#include "render/Shadow.h"
#include "render/Titles.h"
#include "render/Visibility.h"

namespace sundial {
namespace {

using namespace sundial::testing;

constexpr Rgb kBrown{146, 84, 18};

TEST(ShadowVisibility, VerticalDialsAtTheWallsEdge) {
  for (int type : {0, 6, 9, 10}) {
    auto m = EmptyDial(type);
    m->planeDeclination = 0;
    EXPECT_TRUE(ShadowVisible(*m, 89.99, 10)) << type;
    EXPECT_TRUE(ShadowVisible(*m, -89.99, 10)) << type;
    EXPECT_FALSE(ShadowVisible(*m, 89.991, 10)) << type;
    EXPECT_TRUE(ShadowVisible(*m, 10, 0)) << type;  // the horizon itself counts
    EXPECT_FALSE(ShadowVisible(*m, 10, -0.001)) << type;
    // The azimuth difference is wrapped once: a wall declining 170 east faces north.
    m->planeDeclination = -170;
    EXPECT_TRUE(ShadowVisible(*m, 175, 10)) << type;
    EXPECT_FALSE(ShadowVisible(*m, 0, 10)) << type;
  }
}

TEST(ShadowVisibility, HorizontalPlatesNeedTheSunAboveTheHorizon) {
  for (int type : {1, 7, 8}) {
    auto m = EmptyDial(type);
    EXPECT_FALSE(ShadowVisible(*m, 0, 0)) << type;
    EXPECT_TRUE(ShadowVisible(*m, 0, 0.001)) << type;
  }
  auto analemmatic = EmptyDial(5);
  EXPECT_TRUE(ShadowVisible(*analemmatic, 0, 0));
  for (int type : {13, 14}) {
    auto m = EmptyDial(type);
    EXPECT_FALSE(ShadowVisible(*m, 0, 0.01)) << type;
    EXPECT_TRUE(ShadowVisible(*m, 0, 0.011)) << type;
  }
}

TEST(ShadowVisibility, TiltedPlatesNeedTheSunAboveTheirPlane) {
  auto polar = EmptyDial(2);  // latitude 45: the plate faces the sky 45 degrees up in the south
  EXPECT_TRUE(ShadowVisible(*polar, 0, 1));
  EXPECT_FALSE(ShadowVisible(*polar, 180, 40));  // northern sky, behind the plate
  EXPECT_TRUE(ShadowVisible(*polar, 180, 50));
  // Equatorial upper face: lit while the sun's declination is north.
  auto upper = EmptyDial(3);
  auto lower = EmptyDial(4);
  // Noon sun at latitude 45 with declination +10 stands 55 degrees high in the south.
  EXPECT_TRUE(ShadowVisible(*upper, 0, 55));
  EXPECT_FALSE(ShadowVisible(*lower, 0, 55));
  EXPECT_FALSE(ShadowVisible(*upper, 0, 35));
  EXPECT_TRUE(ShadowVisible(*lower, 0, 35));
  EXPECT_FALSE(ShadowVisible(*lower, 0, -5));  // below the horizon, whatever the plate
  // Inclined dial standing vertical and facing south behaves as the wall.
  auto inclined = EmptyDial(11);
  inclined->planeInclination = 90;
  EXPECT_TRUE(ShadowVisible(*inclined, 89.9, 10));
  EXPECT_FALSE(ShadowVisible(*inclined, 90.1, 10));
}

TEST(PointVisibility, HourLinesOfAWallUseTheWideBound) {
  auto m = EmptyDial(0);
  EXPECT_TRUE(PointVisible(*m, 89.995, 10, false));
  EXPECT_FALSE(PointVisible(*m, 89.995, 10, true));
  EXPECT_FALSE(PointVisible(*m, 90, 10, false));
}

struct ShadowPaint {
  RecordingCanvas canvas{900, 900};  // 4.5 px per unit, u = v = 3
  KeptMessages messages;
};

std::unique_ptr<ShadowPaint> PaintSun(const DialModel& m, double azimuth, double altitude,
                                      int sunValid = 1) {
  auto p = std::make_unique<ShadowPaint>();
  PaintInput input = InputFor(m);
  input.sunValid = sunValid;
  input.sunAzimuth = azimuth;
  input.sunAltitude = altitude;
  PaintDial(input, p->canvas, p->messages);
  return p;
}

std::vector<CanvasOp> BrownOps(const RecordingCanvas& c) {
  std::vector<CanvasOp> out;
  for (const CanvasOp& op : c.Ops()) {
    if (op.kind != CanvasOpKind::LineTo && op.kind != CanvasOpKind::Ellipse) continue;
    const RecordedObject* pen = c.Object(op.currentPen);
    if (pen && pen->pen.color == kBrown) out.push_back(op);
  }
  return out;
}

// The brown operations after the titles: the shadow's (the analemmatic dials draw their brown
// date scale before their titles).
std::vector<CanvasOp> BrownOpsAfterTitles(const RecordingCanvas& c) {
  std::size_t titles = 0;
  for (std::size_t i = 0; i < c.Ops().size(); ++i) {
    if (c.Ops()[i].kind == CanvasOpKind::DrawText && c.Ops()[i].text == kMakerAddress) titles = i;
  }
  std::vector<CanvasOp> out;
  for (std::size_t i = titles; i < c.Ops().size(); ++i) {
    const CanvasOp& op = c.Ops()[i];
    if (op.kind != CanvasOpKind::LineTo && op.kind != CanvasOpKind::Ellipse) continue;
    const RecordedObject* pen = c.Object(op.currentPen);
    if (pen && pen->pen.color == kBrown) out.push_back(op);
  }
  return out;
}

TEST(Shadow, NothingBeforeTheFirstTickNorAtNight) {
  for (int type = 0; type <= 14; ++type) {
    auto m = EmptyDial(type);
    EXPECT_TRUE(BrownOpsAfterTitles(PaintSun(*m, 10, 40, 0)->canvas).empty()) << type;
    EXPECT_TRUE(BrownOpsAfterTitles(PaintSun(*m, 10, -5)->canvas).empty()) << type;
  }
}

TEST(Shadow, HorizontalDialStyleLineAndSpot) {
  auto m = EmptyDial(1);
  m->styleLength = 25 / std::sin(45 * std::acos(-1) / 180);
  m->substyleAngle = 0;
  auto p = PaintSun(*m, 0, 45);  // noon: the shadow points north, 25 units from the foot
  const auto ops = BrownOps(p->canvas);
  ASSERT_EQ(ops.size(), 2u);
  EXPECT_EQ(ops[0].kind, CanvasOpKind::LineTo);
  EXPECT_EQ(ops[0].x, 450);
  EXPECT_NEAR(ops[0].y, 4.5 * 75, 1);
  EXPECT_EQ(ops[1].kind, CanvasOpKind::Ellipse);
  const int y = static_cast<int>(4.5 * 75 + 1e-9);
  EXPECT_NEAR(ops[1].rect.top, y - 3, 1);
  EXPECT_EQ(ops[1].rect.left, 447);
  EXPECT_EQ(ops[1].rect.bottom - ops[1].rect.top, 6);
  // The line starts at the style root, 25 units south of the foot.
  const auto& all = p->canvas.Ops();
  for (std::size_t i = 1; i < all.size(); ++i) {
    if (all[i].kind == CanvasOpKind::LineTo && PenOf(p->canvas, all[i]).color == kBrown) {
      ASSERT_EQ(all[i - 1].kind, CanvasOpKind::MoveTo);
      EXPECT_EQ(all[i - 1].x, 450);
      EXPECT_NEAR(all[i - 1].y, 4.5 * 125, 1);
    }
  }
}

TEST(Shadow, EquatorialSpotIsAThirdAsHigh) {
  auto m = EmptyDial(3);
  auto p = PaintSun(*m, 20, 55);
  const auto ops = BrownOps(p->canvas);
  ASSERT_FALSE(ops.empty());
  const CanvasOp& spot = ops.back();
  ASSERT_EQ(spot.kind, CanvasOpKind::Ellipse);
  EXPECT_EQ(spot.rect.right - spot.rect.left, 6);
  EXPECT_LE(spot.rect.bottom - spot.rect.top, 2);
}

TEST(Shadow, SkyMapMarksTheSunWithAnOutlinedBlackDisc) {
  auto m = EmptyDial(7);
  m->lineExtent = 80;
  auto p = PaintSun(*m, 90, 60);  // west, 60 high: 40 units west of the centre
  const auto ops = BrownOps(p->canvas);
  ASSERT_EQ(ops.back().kind, CanvasOpKind::Ellipse);
  const CanvasOp& disc = ops.back();
  const RecordedObject* brush = p->canvas.Object(disc.currentBrush);
  ASSERT_NE(brush, nullptr);
  EXPECT_TRUE(brush->stock);
  const int x = static_cast<int>(4.5 * (100 + 40) + 1e-9);
  EXPECT_NEAR(disc.rect.left, x - 6, 1);
  EXPECT_NEAR(disc.rect.right, x + 6, 1);
  EXPECT_EQ(disc.rect.bottom - disc.rect.top, 16);  // 8/3 v on each side, truncated
}

TEST(Shadow, ClipIsRemovedBeforeTheShadow) {
  auto m = EmptyDial(0);
  auto p = PaintSun(*m, 10, 30);
  const auto& ops = p->canvas.Ops();
  std::size_t clear = 0;
  std::size_t firstBrown = 0;
  for (std::size_t i = 0; i < ops.size(); ++i) {
    if (ops[i].kind == CanvasOpKind::ClearClip && clear == 0) clear = i;
    if (ops[i].kind == CanvasOpKind::LineTo && firstBrown == 0 &&
        PenOf(p->canvas, ops[i]).color == kBrown) {
      firstBrown = i;
    }
  }
  EXPECT_GT(clear, 0u);
  EXPECT_GT(firstBrown, clear);
}

TEST(Shadow, NodusShadowOfAWall) {
  auto m = EmptyDial(0);
  m->planeDeclination = 30;
  const PlanePoint s = NodusShadow(*m, 30, 45);  // sun square to the wall, 45 high
  EXPECT_NEAR(s.x, 0, 1e-12);
  EXPECT_NEAR(s.y, 25, 1e-12);
}

}  // namespace
}  // namespace sundial
