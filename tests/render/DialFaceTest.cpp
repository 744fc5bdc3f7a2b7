// The face of the line dials, drawn from hand-made lines on a recording canvas.
#include <gtest/gtest.h>

#include <algorithm>

#include "PaintFixture.h"
#include "render/DrawingResources.h"
#include "render/Labels.h"
#include "render/Titles.h"

namespace sundial {
namespace {

using namespace sundial::testing;

constexpr Rgb kYellow{238, 231, 26};
constexpr Rgb kGreen{103, 196, 20};

struct Painted {
  RecordingCanvas canvas{600, 600};  // the 200 x 200 plate at 3 px per unit, origin (0, 0)
  KeptMessages messages;
};

std::unique_ptr<Painted> Paint(const DialModel& m, int sunValid = 0) {
  auto p = std::make_unique<Painted>();
  PaintInput input = InputFor(m);
  input.sunValid = sunValid;
  input.sunAltitude = 30;
  PaintDial(input, p->canvas, p->messages);
  return p;
}

std::vector<CanvasOp> TextsWithColor(const RecordingCanvas& c, Rgb color) {
  std::vector<CanvasOp> out;
  for (const CanvasOp& op : OpsOfKind(c, CanvasOpKind::DrawText)) {
    if (op.textColor == color && op.text != kMakerAddress) out.push_back(op);
  }
  return out;
}

TEST(LineDialStages, RunInTheirFixedOrder) {
  auto m = EmptyDial(0);
  DialGeometry& g = *m->geometry;
  m->showGnomonConstruction = 1;
  m->showSolsticeLines = 1;
  m->showHorizon = 1;
  m->showItalianHours = 1;
  m->showModernHours = 1;
  m->hourLinesAll = 1;
  m->showMeanTimeRisingHalf = 1;
  m->showNoonMark = 1;
  StraightLine(g.dayCurves[0].points, kDayPointCount, -50, 10, 50, 10);
  StraightLine(g.temporaryHourCurves[0].points, 95, -60, 0, -60, 50);
  StraightLine(g.italianHourCurves[0].points, 95, -40, 0, -40, 50);
  StraightLine(g.modernHourCurves[0].points, 95, 40, 0, 40, 50);
  StraightLine(g.modernHourLines[0].meanTimeCurve, 365, 20, 0, 30, 50);
  StraightLine(g.temporaryHourCurves[12].points, 95, 0, 5, 0, 60);
  auto p = Paint(*m, 1);

  // Record the stage of every drawing operation by its pen colour.
  std::vector<std::string> stages;
  auto note = [&](const std::string& s) {
    if (stages.empty() || stages.back() != s) stages.push_back(s);
  };
  for (const CanvasOp& op : p->canvas.Ops()) {
    if (op.kind == CanvasOpKind::DrawText && op.text == kMakerAddress) note("titles");
    if (op.kind == CanvasOpKind::SetClipRect) note("clip");
    if (op.kind == CanvasOpKind::ClearClip) note("unclip");
    if (op.kind == CanvasOpKind::Ellipse) note("spot");
    if (op.kind != CanvasOpKind::LineTo) continue;
    const Rgb c = PenOf(p->canvas, op).color;
    if (c == Rgb{200, 200, 200}) note("gnomon");
    if (c == kGreen) note("green");
    if (c == Rgb{196, 41, 20}) note("italian");
    if (c == kYellow) note("yellow");
    if (c == Rgb{255, 0, 0}) note("noon");
    if (c == Rgb{146, 84, 18}) note("shadow");
  }
  const std::vector<std::string> expected = {"titles", "gnomon", "clip",   "green", "italian",
                                             "yellow", "noon",   "unclip", "shadow", "spot"};
  EXPECT_EQ(stages, expected);
}

TEST(LineDialStages, EachTypeDropsItsOwnStages) {
  struct Expect {
    int type;
    bool clip;
    bool meanTime;
    bool noonMark;
  };
  const Expect table[] = {{0, true, true, true},    {1, true, true, false},
                          {2, false, true, false},  {3, false, true, false},
                          {4, false, true, false},  {7, false, false, false},
                          {8, false, false, false}, {9, true, false, false},
                          {10, true, false, false}, {11, true, true, false}};
  for (const Expect& e : table) {
    auto m = EmptyDial(e.type);
    m->latitude = e.type == 4 ? -45 : 45;  // where the plate sees a sun due south, 30 high
    m->hourLinesAll = 1;
    m->showMeanTimeRisingHalf = 1;
    m->showNoonMark = 1;
    StraightLine(m->geometry->modernHourLines[0].meanTimeCurve, 365, 20, 0, 30, 50);
    StraightLine(m->geometry->temporaryHourCurves[12].points, 95, 0, 5, 0, 60);
    if (e.type == 3) {  // the upper face needs a northern declination: a higher noon sun
      for (auto& pt : m->geometry->modernHourLines[0].meanTimeCurve) pt.altitude = 60;
    }
    auto p = Paint(*m);
    EXPECT_EQ(!OpsOfKind(p->canvas, CanvasOpKind::SetClipRect).empty(), e.clip) << e.type;
    EXPECT_EQ(!LinesDrawnWith(p->canvas, kYellow, PenStyle::Solid).empty(), e.meanTime) << e.type;
    EXPECT_EQ(!LinesDrawnWith(p->canvas, Rgb{255, 0, 0}, PenStyle::Solid).empty(), e.noonMark)
        << e.type;
  }
}

TEST(HourLayers, SolidAndDashedLinesAlternate) {
  auto m = EmptyDial(1);  // horizontal: visibility by altitude alone, no clip
  m->showModernHours = 1;
  m->showIntermediateLines = 1;
  for (int i = 0; i < 4; ++i) {
    m->geometry->modernHourCurves[i].label = 0.5 * i;
    StraightLine(m->geometry->modernHourCurves[i].points, 95, 10.0 * i, 0, 10.0 * i, 50);
  }
  auto all = Paint(*m);
  EXPECT_EQ(LinesDrawnWith(all->canvas, kYellow, PenStyle::Solid).size(), 2u * 94);
  EXPECT_EQ(LinesDrawnWith(all->canvas, kYellow, PenStyle::Dash).size(), 2u * 94);
  // Only the solid (whole-hour) lines are labelled.
  EXPECT_EQ(TextsWithColor(all->canvas, kYellow).size(), 2u);

  m->showIntermediateLines = 0;
  auto whole = Paint(*m);
  EXPECT_EQ(LinesDrawnWith(whole->canvas, kYellow, PenStyle::Solid).size(), 2u * 94);
  EXPECT_TRUE(LinesDrawnWith(whole->canvas, kYellow, PenStyle::Dash).empty());
}

TEST(HourLayers, ShiftedItalianHoursStartDashed) {
  auto m = EmptyDial(1);
  m->showItalianHoursShifted = 1;
  m->showIntermediateLines = 0;
  for (int i = 0; i < 2; ++i) {
    m->geometry->italianHourCurves[i].label = 0.5 * i;
    StraightLine(m->geometry->italianHourCurves[i].points, 95, 10.0 * i, 0, 10.0 * i, 50);
  }
  auto p = Paint(*m);
  const auto solid = LinesDrawnWith(p->canvas, Rgb{196, 41, 20}, PenStyle::Solid);
  ASSERT_EQ(solid.size(), 94u);
  EXPECT_EQ(solid.front().x, 3 * (10 + 100));  // the line of 0.5 h is the solid one
}

TEST(HourLayers, EndLabelsOnlyOnLinesThatEndVisible) {
  auto m = EmptyDial(0);
  m->showModernHours = 1;
  auto& lines = m->geometry->modernHourCurves;
  lines[0].label = 0;
  lines[2].label = 9;
  lines[4].label = 14;
  StraightLine(lines[0].points, 95, -30, 0, -30, 50);
  StraightLine(lines[2].points, 95, 0, 0, 0, 50);
  StraightLine(lines[4].points, 95, 30, 0, 30, 50);
  BehindWall(lines[2].points[94]);  // drawn almost to the end, then behind the wall
  for (int k = 60; k < 95; ++k) lines[4].points[k].x = kNoPoint;  // ends early but visible
  auto p = Paint(*m);
  const auto labels = TextsWithColor(p->canvas, kYellow);
  ASSERT_EQ(labels.size(), 2u);
  EXPECT_EQ(labels[0].text, " 0");
  EXPECT_EQ(labels[1].text, "14");
  // Placed 2u left of the last drawn point, 3u below it: last point of line 4 is index 59.
  const int x = 3 * (30 + 100);
  const int y = static_cast<int>(3 * (50.0 * 59 / 94 + 100));
  EXPECT_EQ(labels[1].rect, (IntRect{x - 4, y + 6, x + 4, y + 16}));
}

TEST(HourLayers, ReversedLabelsCountFromTheOtherEnd) {
  auto m = EmptyDial(1);
  m->showItalianHours = 1;
  m->showBabylonianHours = 1;
  m->hourLabelsReversed = 1;
  StraightLine(m->geometry->italianHourCurves[0].points, 95, 0, 0, 0, 50);
  StraightLine(m->geometry->babylonianHourCurves[0].points, 95, 10, 0, 10, 50);
  auto p = Paint(*m);
  EXPECT_EQ(TextsWithColor(p->canvas, Rgb{196, 41, 20}).at(0).text, "24");
  EXPECT_EQ(TextsWithColor(p->canvas, Rgb{20, 196, 190}).at(0).text, " 0");
}

TEST(LineTracing, AbsentPointsAreSkippedWithoutLiftingThePen) {
  auto m = EmptyDial(1);
  m->showModernHours = 1;
  auto& pts = m->geometry->modernHourCurves[0].points;
  StraightLine(pts, 95, -50, 0, 50, 0);
  for (int k = 10; k < 95; ++k) pts[k].x = kNoPoint;
  pts[5].y = -kNoPoint;
  pts[7].x = 1e10;  // the threshold itself counts as absent
  pts[9].x = 1e40;
  pts[9].y = 1e40;
  pts[50].x = -50 + 100.0 * 50 / 94;  // one point far on: joined straight from point 8
  auto p = Paint(*m);
  std::vector<CanvasOp> path;
  for (const CanvasOp& op : p->canvas.Ops()) {
    if ((op.kind == CanvasOpKind::MoveTo || op.kind == CanvasOpKind::LineTo) &&
        PenOf(p->canvas, op).color == kYellow) {
      path.push_back(op);
    }
  }
  // MoveTo point 0, LineTo points 1-4, 6, 8 and 50: no MoveTo across the gaps.
  ASSERT_EQ(path.size(), 8u);
  EXPECT_EQ(path[0].kind, CanvasOpKind::MoveTo);
  for (std::size_t i = 1; i < path.size(); ++i) EXPECT_EQ(path[i].kind, CanvasOpKind::LineTo);
  EXPECT_EQ(path.back().x, static_cast<int>(3 * (100.0 * 50 / 94 + 50)));
}

TEST(LineTracing, ALineOfAbsentPointsDrawsNothingAndHasNoLabel) {
  auto m = EmptyDial(1);
  m->showModernHours = 1;
  auto p = Paint(*m);
  EXPECT_TRUE(LinesDrawnWith(p->canvas, kYellow, PenStyle::Solid).empty());
  EXPECT_TRUE(TextsWithColor(p->canvas, kYellow).empty());
}

TEST(DayCurves, GlyphAtTheThirdInsidePointAfterTheCurveReturns) {
  auto m = EmptyDial(0);
  m->showSolsticeLines = 1;
  m->showEquinoxLine = 1;
  m->showSignLines = 1;
  auto& g = *m->geometry;
  // Winter solstice: never interrupted, so no glyph.
  StraightLine(g.dayCurves[0].points, kDayPointCount, -90, 10, 90, 10);
  // Equinox: behind the wall for the first 10 points, then inside the plate.
  StraightLine(g.dayCurves[3].points, kDayPointCount, -90, 20, 90, 20);
  for (int i = 0; i < 10; ++i) BehindWall(g.dayCurves[3].points[i]);
  // A sign line interrupted the same way: no glyph of its own.
  StraightLine(g.dayCurves[1].points, kDayPointCount, -90, 30, 90, 30);
  for (int i = 0; i < 10; ++i) BehindWall(g.dayCurves[1].points[i]);
  // Summer solstice: returns outside the plate, then comes in: glyph at its 3rd inside point.
  StraightLine(g.dayCurves[6].points, kDayPointCount, -150, 40, 90, 40);
  BehindWall(g.dayCurves[6].points[0]);
  auto p = Paint(*m);
  const auto glyphs = TextsWithColor(p->canvas, kGreen);
  ASSERT_EQ(glyphs.size(), 2u);
  EXPECT_EQ(glyphs[0].text, std::string("^  d"));  // Aries, two spaces, Libra
  // Moved to point 10, lines to 11, 12, 13: the third is point 13.
  const int x13 = static_cast<int>(3 * (-90 + 180.0 * 13 / 240 + 100));
  EXPECT_EQ(glyphs[0].rect, (IntRect{x13, 3 * 120, x13, 3 * 120}));
  EXPECT_EQ(glyphs[1].text, std::string(1, kGlyphCancer));
  // x = -150 + i: points 1..50 lie left of the plate; 51 is the first inside.
  const int x53 = static_cast<int>(3 * (-150 + 240.0 * 53 / 240 + 100));
  EXPECT_EQ(glyphs[1].rect.left, x53);
  const RecordedObject* font = p->canvas.Object(glyphs[0].currentFont);
  ASSERT_NE(font, nullptr);
  EXPECT_EQ(font->font.face, "Wingdings");
}

TEST(DayCurves, DayCurveBoundIsTighterOnTheWall) {
  auto m = EmptyDial(0);
  m->showSolsticeLines = 1;
  StraightLine(m->geometry->dayCurves[0].points, kDayPointCount, -90, 10, 90, 10);
  for (auto& pt : m->geometry->dayCurves[0].points) pt.azimuth = 89.995;
  auto p = Paint(*m);
  EXPECT_TRUE(LinesDrawnWith(p->canvas, kGreen, PenStyle::Solid).empty());
}

TEST(DayCurves, EveryTracedUserDateLineIsDrawnWhateverItsPlace) {
  auto m = EmptyDial(1);
  auto& g = *m->geometry;
  // Lines 1 and 3 of the twelve are set; line 2 is off and its entry holds nothing useful.
  m->dateLineEnabled = {1, 0, 1};
  m->dateLineDay = {21, 0, 15};
  m->dateLineMonth = {3, 0, 8};
  m->dateLineCount = 2;
  StraightLine(g.dayCurves[7].points, kDayPointCount, -50, 10, 50, 10);
  for (auto& p : g.dayCurves[8].points) p = DialPoint{0, 0, 0, 0, 30};
  StraightLine(g.dayCurves[9].points, kDayPointCount, -50, 20, 50, 20);
  auto p = Paint(*m);
  const auto lines = LinesDrawnWith(p->canvas, kGreen, PenStyle::Solid);
  ASSERT_EQ(lines.size(), 2u * 240);
  EXPECT_EQ(lines.front().y, 3 * 110);
  EXPECT_EQ(lines.back().y, 3 * 120);
}

TEST(Labels, RomanNumeralsAndFormats) {
  EXPECT_EQ(RomanNumeral(0), "");
  EXPECT_EQ(RomanNumeral(1), "I");
  EXPECT_EQ(RomanNumeral(4), "IV");
  EXPECT_EQ(RomanNumeral(9), "IX");
  EXPECT_EQ(RomanNumeral(12), "XII");
  EXPECT_EQ(RomanNumeral(40), "XXXX");
  EXPECT_EQ(AzimuthLabelText(100), " 100");
  EXPECT_EQ(AzimuthLabelText(-170), "-170");
  EXPECT_EQ(TwoDigitText(7), " 7");
  EXPECT_EQ(TwoDigitText(100), "10");
  EXPECT_EQ(MeanTimeLabelText(12.5), "12.5");
  EXPECT_EQ(MeanTimeLabelText(8.5), " 8.5");
  EXPECT_EQ(MeanTimeLabelText(9), " 9");
  EXPECT_EQ(AscendantGlyph(0), std::string(1, kGlyphCapricorn));
  EXPECT_EQ(AscendantGlyph(24), std::string(1, kGlyphCapricorn));
  EXPECT_EQ(AscendantGlyph(6), std::string(1, kGlyphAries));
  EXPECT_EQ(AscendantGlyph(12), std::string(1, kGlyphCancer));
  EXPECT_EQ(AscendantGlyph(18), std::string(1, kGlyphLibra));
}

TEST(HourLayers, TemporaryHourNumeralsStandBetweenTheirLines) {
  auto m = EmptyDial(1);
  m->showTemporaryHours = 1;
  auto& lines = m->geometry->temporaryHourCurves;
  for (int i = 0; i <= 4; i += 2) {
    lines[i].label = 0.5 * i;
    StraightLine(lines[i].points, 95, -60 + 20.0 * i, 0, -60 + 20.0 * i, 50);
  }
  auto p = Paint(*m);
  const auto numerals = TextsWithColor(p->canvas, Rgb{20, 20, 190});
  ASSERT_EQ(numerals.size(), 2u);  // none after the first line; III stays held
  EXPECT_EQ(numerals[0].text, "I");
  EXPECT_EQ(numerals[1].text, "II");
  const int mx = (3 * 40 + 3 * 80) / 2;
  const int my = 3 * 150;
  EXPECT_EQ(numerals[0].rect, (IntRect{mx - 4, my - 20, mx + 4, my - 8}));
}

TEST(HourLayers, EclipticNumeralsOnlyWhenTheHalfLayerIsOff) {
  auto m = EmptyDial(1);
  m->showEclipticHours = 1;
  auto& lines = m->geometry->eclipticHourCurves;
  for (int i = 0; i <= 2; i += 2) {
    lines[i].label = 0.5 * i;
    StraightLine(lines[i].points, 95, -60 + 20.0 * i, 0, -60 + 20.0 * i, 50);
  }
  auto full = Paint(*m);
  const auto numerals = TextsWithColor(full->canvas, Rgb{100, 100, 100});
  ASSERT_EQ(numerals.size(), 1u);
  EXPECT_EQ(numerals[0].text, "I");
  const int mx = (3 * 40 + 3 * 80) / 2;
  EXPECT_EQ(numerals[0].rect, (IntRect{mx, 3 * 150, mx, 3 * 150}));

  m->showEclipticHalf = 1;
  auto both = Paint(*m);
  // The half layer (48 points) names its lines at their 48th point; the full layer stays quiet.
  const auto halfNumerals = TextsWithColor(both->canvas, Rgb{100, 100, 100});
  ASSERT_EQ(halfNumerals.size(), 1u);
  EXPECT_EQ(halfNumerals[0].rect.top, static_cast<int>(3 * (50.0 * 47 / 94 + 100)));
}

TEST(MeanTime, SingleHalfHourFigureIsSolidAndLabelled) {
  auto m = EmptyDial(0);
  m->singleHourLine = 1;
  m->singleHour = 12;
  m->singleHourHalf = 1;
  m->showMeanTimeRisingHalf = 1;
  m->showMeanTimeFallingHalf = 1;
  for (int line = 0; line < kModernHourLineCount; ++line) {
    auto& rec = m->geometry->modernHourLines[line];
    rec.hour = 0.5 * line;
    StraightLine(rec.meanTimeCurve, 365, line - 20.0, -10, line - 20.0, 60);
    StraightLine(rec.dateLineMarks, 7, line - 20.0, -10, line - 20.0, 60);
  }
  auto p = Paint(*m);
  const auto lines = LinesDrawnWith(p->canvas, kYellow, PenStyle::Solid);
  ASSERT_EQ(lines.size(), 365u);  // 26 December .. 25 December: 366 points
  for (const CanvasOp& op : lines) EXPECT_EQ(op.x, 3 * (25 - 20 + 100));
  const auto labels = TextsWithColor(p->canvas, kYellow);
  ASSERT_EQ(labels.size(), 1u);
  EXPECT_EQ(labels[0].text, "12.5");

  m->showModernHours = 1;  // the hour lines carry the numbers then
  auto withHours = Paint(*m);
  EXPECT_TRUE(TextsWithColor(withHours->canvas, kYellow).empty());

  m->showMeanTimeRisingHalf = 0;
  m->showMeanTimeFallingHalf = 0;
  m->showModernHours = 0;
  auto none = Paint(*m);
  EXPECT_TRUE(LinesDrawnWith(none->canvas, kYellow, PenStyle::Solid).empty());
  EXPECT_TRUE(TextsWithColor(none->canvas, kYellow).empty());

  m->singleHour = 1000;  // names no line of the dial
  m->showMeanTimeRisingHalf = 1;
  auto bad = Paint(*m);
  EXPECT_TRUE(LinesDrawnWith(bad->canvas, kYellow, PenStyle::Solid).empty());
}

TEST(Overlays, AxesAndSubstyleInLightGreyBeforeEverything) {
  auto m = EmptyDial(0);
  m->showAxes = 1;
  m->showSubstyleLine = 1;
  m->substyleAngle = 45;
  auto p = Paint(*m);
  const auto lines = LinesDrawnWith(p->canvas, Rgb{200, 200, 200}, PenStyle::Dash);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].x, 600);
  EXPECT_EQ(lines[0].y, 300);
  EXPECT_EQ(lines[2].x, 600);  // (100, 100 / tan 45)
  EXPECT_NEAR(lines[2].y, 600, 1);
  m->dialType = 3;  // the equatorial dials have no substyle line
  auto eq = Paint(*m);
  EXPECT_EQ(LinesDrawnWith(eq->canvas, Rgb{200, 200, 200}, PenStyle::Dash).size(), 2u);
}

}  // namespace
}  // namespace sundial
