// The faces of the analemmatic (5, 6), receiving-outline (12) and altitude (13, 14) dials, drawn
// on a RecordingCanvas.

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <sstream>
#include <string>

#include "PaintFixture.h"
#include "geometry/DialLoader.h"
#include "render/PlaneMapping.h"
#include "render/SpecialFaces.h"
#include "render/Titles.h"
#include "render/TraceJson.h"

namespace sundial::testing {
namespace {

constexpr Rgb kBrown{146, 84, 18};
constexpr Rgb kGreen{103, 196, 20};
constexpr Rgb kYellow{238, 231, 26};
constexpr Rgb kTeal{20, 196, 190};
constexpr Rgb kRed{196, 41, 20};
constexpr Rgb kBlue{20, 20, 190};

std::size_t FirstIndex(const RecordingCanvas& c, auto pred) {
  for (std::size_t i = 0; i < c.Ops().size(); ++i) {
    if (pred(c.Ops()[i])) return i;
  }
  return c.Ops().size();
}

auto DrawnWith(const RecordingCanvas& c, CanvasOpKind kind, Rgb color) {
  return [&c, kind, color](const CanvasOp& op) {
    return op.kind == kind && PenOf(c, op).color == color;
  };
}

auto MakerLine() {
  return [](const CanvasOp& op) {
    return op.kind == CanvasOpKind::DrawText && op.text == kMakerAddress;
  };
}

void Paint(const DialModel& m, RecordingCanvas& canvas, double altitude = -10) {
  KeptMessages messages;
  PaintInput input = InputFor(m);
  input.sunValid = 1;
  input.sunAltitude = altitude;
  PaintDial(input, canvas, messages);
  EXPECT_TRUE(messages.messages.empty());
}

// An analemmatic dial with one solid day curve, the hour marks of hours 0 and 1 and the date
// scale filled in.
std::unique_ptr<DialModel> AnalemmaticDial(int type) {
  auto m = EmptyDial(type);
  m->showSolsticeLines = 1;
  m->showModernHours = 1;
  DialGeometry& g = *m->geometry;
  StraightLine(g.dayCurves[0].points, kDayPointCount, -50, 40, 50, 40);
  for (int line : {0, 2}) {
    g.modernHourLines[line].hour = line / 2;
    StraightLine(g.modernHourLines[line].dateLineMarks, kStandardDateLineCount, -60 + 10 * line,
                 -50, -60 + 10 * line, 50);
  }
  for (int j = 0; j < kStandardDateLineCount; ++j) g.analemmaticScale[j] = {0, 30.0 - 10 * j};
  return m;
}

TEST(AnalemmaticFace, StagesRunCurvesMarksScaleTitlesShadow) {
  for (int type : {5, 6}) {
    auto m = AnalemmaticDial(type);
    m->showHorizon = 1;
    RecordingCanvas c(600, 600);
    Paint(*m, c, 30);
    const std::size_t curves = FirstIndex(c, DrawnWith(c, CanvasOpKind::LineTo, kGreen));
    const std::size_t marks = FirstIndex(c, DrawnWith(c, CanvasOpKind::Ellipse, kYellow));
    const std::size_t scale = FirstIndex(c, DrawnWith(c, CanvasOpKind::Ellipse, kBrown));
    const std::size_t titles = FirstIndex(c, MakerLine());
    const std::size_t clip = FirstIndex(c, [](const CanvasOp& op) {
      return op.kind == CanvasOpKind::SetClipRect;
    });
    const std::size_t unclip = FirstIndex(c, [](const CanvasOp& op) {
      return op.kind == CanvasOpKind::ClearClip;
    });
    EXPECT_LT(curves, marks) << type;
    EXPECT_LT(marks, unclip) << type;
    EXPECT_LT(unclip, scale) << type;
    EXPECT_LT(scale, titles) << type;
    // Only the declining wall is clipped at the horizon, before its day curves.
    if (type == 6) {
      EXPECT_LT(clip, curves);
    } else {
      EXPECT_EQ(clip, c.Ops().size());
    }
    // The stick's shadow comes after the titles.
    std::size_t lastBrownLine = 0;
    for (std::size_t i = 0; i < c.Ops().size(); ++i) {
      if (DrawnWith(c, CanvasOpKind::LineTo, kBrown)(c.Ops()[i])) lastBrownLine = i;
    }
    EXPECT_GT(lastBrownLine, titles) << type;
  }
}

TEST(AnalemmaticFace, MidnightHasItsMarksButNoNumber) {
  auto m = AnalemmaticDial(5);
  RecordingCanvas c(600, 600);
  Paint(*m, c);
  int marks = 0;
  for (const CanvasOp& op : c.Ops()) marks += DrawnWith(c, CanvasOpKind::Ellipse, kYellow)(op);
  EXPECT_EQ(marks, 14);
  const auto texts = Texts(c);
  EXPECT_NE(std::find(texts.begin(), texts.end(), " 1"), texts.end());
  EXPECT_EQ(std::find(texts.begin(), texts.end(), " 0"), texts.end());
  // The scale carries Capricorn, Aries and Libra, and Cancer, in the symbol font.
  EXPECT_NE(std::find(texts.begin(), texts.end(), "g"), texts.end());
  EXPECT_NE(std::find(texts.begin(), texts.end(), "^   d"), texts.end());
  EXPECT_NE(std::find(texts.begin(), texts.end(), "a"), texts.end());
}

// An altitude dial whose lines are vertical strokes standing at x = index of the line, so that
// the drawn lines can be told apart by their x.
std::unique_ptr<DialModel> AltitudeDial(int type) {
  auto m = EmptyDial(type);
  m->plateXMin = 0;
  m->plateYMin = 0;
  DialGeometry& g = *m->geometry;
  auto fill = [](auto& curves, int count) {
    for (int i = 0; i < count; ++i) StraightLine(curves[i].points, kYearPointCount, i, 10, i, 60);
  };
  fill(g.modernHourCurves, kModernHourLineCount);
  fill(g.italianHourCurves, kModernHourLineCount);
  fill(g.azimuthLineCurves, kAzimuthLineCount);
  fill(g.temporaryHourCurves, kHalfDayLineCount);
  for (int i = 0; i < 13; ++i) StraightLine(g.dayCurves[i].points, kDayPointCount, 7 * i, 0, 7 * i, 90);
  return m;
}

std::set<int> LinesDrawn(const RecordingCanvas& c, const DeviceFrame& f, Rgb color) {
  std::set<int> lines;
  for (const CanvasOp& op : LinesDrawnWith(c, color, PenStyle::Solid)) {
    for (int i = 0; i < kModernHourLineCount; ++i) {
      int x, y;
      if (f.Map(i, 30, x, y) && x == op.x) lines.insert(i);
    }
  }
  return lines;
}

std::set<int> Range(int first, int last, int step = 2) {
  std::set<int> s;
  for (int i = first; i <= last; i += step) s.insert(i);
  return s;
}

TEST(AltitudeFace, LayerRangesFollowAfternoonAndMorningSwitches) {
  struct Case {
    int afternoon, morning;
    std::set<int> modern, italian, temporary, azimuth;
  };
  const Case cases[] = {
      {0, 0, Range(0, 46), Range(0, 46), Range(0, 24), Range(0, 36)},
      {1, 0, Range(24, 46), Range(34, 46), Range(12, 24), Range(0, 18)},
      {0, 1, Range(0, 24), Range(0, 34), Range(0, 12), Range(18, 36)},
      {1, 1, {24}, {34}, {12}, {18}},
  };
  for (const Case& k : cases) {
    auto m = AltitudeDial(13);
    m->showModernHours = 1;
    m->afternoonOnly = k.afternoon;
    m->morningOnly = k.morning;
    RecordingCanvas c(900, 600);
    Paint(*m, c);
    const DeviceFrame f = DeviceFrame::For(*m, 900, 600);
    EXPECT_EQ(LinesDrawn(c, f, kYellow), k.modern) << k.afternoon << k.morning;

    m->showModernHours = 0;
    m->showItalianHours = 1;
    RecordingCanvas ci(900, 600);
    Paint(*m, ci);
    EXPECT_EQ(LinesDrawn(ci, f, kRed), k.italian) << k.afternoon << k.morning;

    m->showItalianHours = 0;
    m->showTemporaryHours = 1;
    RecordingCanvas ct(900, 600);
    Paint(*m, ct);
    EXPECT_EQ(LinesDrawn(ct, f, kBlue), k.temporary) << k.afternoon << k.morning;

    // Azimuth lines every 10 degrees from the meridian: the afternoon sun is in the west.
    m->showTemporaryHours = 0;
    m->showAzimuthLines = 1;
    RecordingCanvas ca(900, 600);
    Paint(*m, ca);
    EXPECT_EQ(LinesDrawn(ca, f, kTeal), k.azimuth) << k.afternoon << k.morning;
  }
}

TEST(AltitudeFace, StagesAndMonthNumbersOfTheCalendarScale) {
  auto m = AltitudeDial(14);
  m->showModernHours = 1;
  m->showNoonMark = 1;
  RecordingCanvas c(900, 600);
  Paint(*m, c);
  const std::size_t titles = FirstIndex(c, MakerLine());
  const std::size_t curves = FirstIndex(c, DrawnWith(c, CanvasOpKind::LineTo, kGreen));
  const std::size_t hours = FirstIndex(c, DrawnWith(c, CanvasOpKind::LineTo, kYellow));
  const std::size_t noon = FirstIndex(c, DrawnWith(c, CanvasOpKind::LineTo, Rgb{255, 0, 0}));
  EXPECT_LT(titles, curves);
  EXPECT_LT(curves, hours);
  EXPECT_LT(hours, noon);
  EXPECT_LT(noon, c.Ops().size());

  // The month numbers run 1 to 12 from left to right, each between its two month lines.
  std::vector<std::string> numbers;
  int lastX = -1;
  const DeviceFrame f = DeviceFrame::For(*m, 900, 600);
  for (std::size_t i = 0; i < c.Ops().size(); ++i) {
    const CanvasOp& op = c.Ops()[i];
    if (op.kind != CanvasOpKind::DrawText || c.Object(op.currentFont) == nullptr) continue;
    if (c.Object(op.currentFont)->font.height != 600 / 30) continue;
    if (op.text.find('\n') != std::string::npos) continue;
    numbers.push_back(op.text);
    EXPECT_GT(op.rect.left, lastX);
    lastX = op.rect.left;
    const int n = static_cast<int>(numbers.size());
    EXPECT_EQ(op.rect.left, (f.ClampedX(7 * (n - 1)) + f.ClampedX(7 * n)) / 2);
  }
  const std::vector<std::string> expected{" 1", " 2", " 3", " 4", " 5", " 6",
                                          " 7", " 8", " 9", "10", "11", "12"};
  EXPECT_EQ(numbers, expected);
}

TEST(AltitudeFace, DeclinationScaleCarriesTheSignPairs) {
  auto m = AltitudeDial(13);
  RecordingCanvas c(900, 600);
  Paint(*m, c);
  const auto texts = Texts(c);
  for (const char* pair : {"g\nf", "h\ne", "i\nd", "^\nc", "_\nb", "`\na"}) {
    EXPECT_NE(std::find(texts.begin(), texts.end(), pair), texts.end()) << pair;
  }
}

// A type-12 dial with the fine traces allocated (all absent) and a horizontal plate.
std::unique_ptr<DialModel> OutlineDial() {
  auto m = EmptyDial(12);
  m->fine = std::make_unique<FineDialGeometry>();
  const DialPoint absent{0, kNoPoint, kNoPoint, 0, -90};
  for (auto& c : m->fine->dayCurvesFine) c.points.fill(absent);
  for (auto& c : m->fine->modernHourCurvesFine) c.points.fill(absent);
  m->extraSwitch1 = 1;
  return m;
}

TEST(ReceivingOutlineFace, UserDateLineIsLabelledDaySlashMonth) {
  auto m = OutlineDial();
  m->dateLineEnabled[0] = 1;
  m->dateLineDay[0] = 15;
  m->dateLineMonth[0] = 8;
  auto& points = m->fine->dayCurvesFine[13].points;
  // Below the horizon first, then into the light: the date goes at the third inside point.
  StraightLine(points, 10, -50, 20, 40, 20);
  points[0].altitude = -5;
  RecordingCanvas c(600, 600);
  Paint(*m, c);
  const auto texts = Texts(c);
  EXPECT_NE(std::find(texts.begin(), texts.end(), "15/8"), texts.end());
  // The month lines carry the four quarter days and the year's end.
  auto& january = m->fine->dayCurvesFine[0].points;
  StraightLine(january, 10, -50, 20, 40, 20);
  january[0].altitude = -5;
  RecordingCanvas c2(600, 600);
  Paint(*m, c2);
  const auto texts2 = Texts(c2);
  EXPECT_NE(std::find(texts2.begin(), texts2.end(), "1/1"), texts2.end());
}

TEST(ReceivingOutlineFace, AJumpOfMoreThanTenUnitsLiftsThePen) {
  auto m = OutlineDial();
  m->showModernHours = 1;
  auto& points = m->fine->modernHourCurvesFine[0].points;
  StraightLine(points, 6, 0, 0, 50, 0);  // 0, 10, 20, 30, 40, 50: steps of 10 units are joined
  points[3].x = 40.5;                    // 20.5 past the previous point: a jump
  RecordingCanvas c(600, 600);
  Paint(*m, c);
  const auto lines = LinesDrawnWith(c, kYellow, PenStyle::Solid);
  // Joined: 0-10, 10-20, then after the jump 40.5-40 and 40-50.
  EXPECT_EQ(lines.size(), 4u);
  const DeviceFrame f = DeviceFrame::For(*m, 600, 600);
  int jx, jy;
  ASSERT_TRUE(f.Map(40.5, 0, jx, jy));
  bool movedToJump = false;
  for (const CanvasOp& op : c.Ops()) {
    if (op.kind == CanvasOpKind::MoveTo && op.x == jx && op.y == jy) movedToJump = true;
  }
  EXPECT_TRUE(movedToJump);

  // Traced backward through the year when extraSwitch1 is clear: the same line, from its end.
  m->extraSwitch1 = 0;
  for (int i = 0; i < 6; ++i) std::swap(points[i], points[kFineYearPointCount - 1 - i]);
  RecordingCanvas back(600, 600);
  Paint(*m, back);
  EXPECT_EQ(LinesDrawnWith(back, kYellow, PenStyle::Solid).size(), 4u);
}

TEST(ReceivingOutlineFace, BelowTheHorizonIsDrawnOnlyWithoutShowHorizon) {
  auto m = OutlineDial();
  m->showModernHours = 1;
  auto& points = m->fine->modernHourCurvesFine[0].points;
  StraightLine(points, 4, 0, 0, 15, 0);
  // A plate that tilts toward the north sees a sun a little below the horizon.
  m->planeInclination = 30;
  m->planeDeclination = 180;
  for (int i = 0; i < 4; ++i) {
    points[i].azimuth = 180;
    points[i].altitude = -5;
  }
  RecordingCanvas c(600, 600);
  Paint(*m, c);
  EXPECT_EQ(LinesDrawnWith(c, kYellow, PenStyle::Solid).size(), 3u);
  m->showHorizon = 1;
  RecordingCanvas h(600, 600);
  Paint(*m, h);
  EXPECT_EQ(LinesDrawnWith(h, kYellow, PenStyle::Solid).size(), 0u);
}

TEST(ReceivingOutlineFace, LightDecidedAtLoadDrawsWhatThePaintDecides) {
  DialModel m;
  ASSERT_EQ(LoadDial(std::string(SUNDIAL_SOURCE_DIR) + "/examples/type-12-receiving-ellipse-torino.vqr", m),
            LoadOutcome::File);
  ASSERT_NE(m.fine, nullptr);
  // Layers whose lines pass in and out of the light: almucantars (points flagged valid or not),
  // the horizon (whose lines are temporary hours as well), and the shifted Italian hours
  // without their intermediate lines.
  m.showAlmucantars = 1;
  m.showHorizon = 1;
  m.showTemporaryHours = 1;
  m.showItalianHours = 0;
  m.showItalianHoursShifted = 1;
  m.showIntermediateLines = 0;
  auto paint = [&](FineLightCache* light) {
    RecordingCanvas c(800, 600);
    KeptMessages messages;
    PaintInput input = InputFor(m);
    input.sunValid = 1;
    input.sunAltitude = -10;
    input.fineLight = light;
    PaintDial(input, c, messages);
    std::ostringstream out;
    WriteTraceJson(c, out);
    return out.str();
  };
  const std::string decidedInThePaint = paint(nullptr);
  FineLightCache light;
  DecideFineLight(m, light);
  EXPECT_TRUE(paint(&light) == decidedInThePaint);
}

}  // namespace
}  // namespace sundial::testing
