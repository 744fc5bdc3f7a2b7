// The dial window's tick and lazy load: the clock reading goes to the sun model in standard time
// for the right zone, the texts and the day come from the same reading, and the dial file is read
// on the first paint only.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "astro/SunState.h"
#include "render/RecordingCanvas.h"
#include "window/CDialWnd.h"
#include "WindowFakes.h"

namespace sundial {
namespace {

using testing::CollectingReporter;
using testing::FakeHost;

LocalClockReading Reading(int year, int month, int day, int hour, int minute, int second, int dst,
                          long bias) {
  LocalClockReading r;
  r.year = year;
  r.month = month;
  r.day = day;
  r.hour = hour;
  r.minute = minute;
  r.second = second;
  r.daylightSaving = dst;
  r.biasMinutesWest = bias;
  return r;
}

struct Window {
  explicit Window(const LocalClockReading& reading, std::string path = "")
      : clock(reading), dialFilePath(std::move(path)), wnd(host, clock, dialFilePath) {
    wnd.OnCreate();
  }
  FakeHost host;
  FixedLocalClock clock;
  std::string dialFilePath;
  CDialWnd wnd;
};

bool DrewText(const RecordingCanvas& canvas, const std::string& part) {
  for (const CanvasOp& op : canvas.Ops()) {
    if (op.kind == CanvasOpKind::DrawText && op.text.find(part) != std::string::npos) return true;
  }
  return false;
}

std::filesystem::path TempFile(const std::string& name, const std::string& bytes) {
  const auto path = std::filesystem::temp_directory_path() / ("sundial-window-" + name);
  std::ofstream(path, std::ios::binary) << bytes;
  return path;
}

constexpr double kLatitude = 45.5;
constexpr double kLongitude = -9.2;  // east of Greenwich

TEST(DialWndTick, PassesTheZoneSplitFromTheBiasToTheSunModel) {
  struct Case {
    long bias;
    int zoneHours;
    unsigned zoneMinutes;
  };
  for (const Case c : {Case{-60, 1, 0}, Case{-330, 5, 30}, Case{210, -3, 30}, Case{0, 0, 0}}) {
    SCOPED_TRACE(c.bias);
    Window w(Reading(2010, 7, 15, 14, 5, 9, 0, c.bias));
    w.wnd.model.latitude = kLatitude;
    w.wnd.model.longitude = kLongitude;
    w.wnd.OnTimer();
    const SunState expected =
        ComputeSunState(2010, 7, 15, 14, 5, 9, c.zoneHours, c.zoneMinutes, kLatitude, kLongitude);
    EXPECT_DOUBLE_EQ(expected.sunAzimuth, w.wnd.sunAzimuth);
    EXPECT_DOUBLE_EQ(expected.sunAltitude, w.wnd.sunAltitude);
    EXPECT_DOUBLE_EQ(expected.sunDeclination, w.wnd.sunDeclination);
    EXPECT_EQ(FormatEquationText(expected.equationOfTimeSeconds), w.wnd.equationText);
    EXPECT_EQ(" 14:05:09", w.wnd.clockText);
    EXPECT_EQ(196, w.wnd.dayOfYear);
    EXPECT_EQ(1, w.wnd.sunValid);
    EXPECT_EQ(1, w.host.invalidations);
  }
}

TEST(DialWndTick, DaylightSavingLowersTheHourForTheSunButNotOnTheClock) {
  Window w(Reading(2010, 7, 15, 0, 30, 0, 1, -60));
  w.wnd.model.latitude = kLatitude;
  w.wnd.model.longitude = kLongitude;
  w.wnd.OnTimer();
  EXPECT_EQ(" 00:30:00", w.wnd.clockText);
  const SunState hourMinusOne = ComputeSunState(2010, 7, 15, -1, 30, 0, 1, 0, kLatitude, kLongitude);
  EXPECT_DOUBLE_EQ(hourMinusOne.sunAzimuth, w.wnd.sunAzimuth);
  // Hour -1 is 23:30 standard time of the day before: the sun is far below the horizon.
  const SunState dayBefore = ComputeSunState(2010, 7, 14, 23, 30, 0, 1, 0, kLatitude, kLongitude);
  EXPECT_NEAR(dayBefore.sunAltitude, w.wnd.sunAltitude, 1e-6);
  EXPECT_LT(w.wnd.sunAltitude, -15);
  EXPECT_EQ(196, w.wnd.dayOfYear) << "the day of the clock, not of standard time";

  // An unknown daylight-saving state (negative flag) is taken as standard time.
  Window u(Reading(2010, 7, 15, 12, 0, 0, -1, -60));
  u.wnd.OnTimer();
  EXPECT_DOUBLE_EQ(ComputeSunState(2010, 7, 15, 12, 0, 0, 1, 0, 0, 0).sunAzimuth,
                   u.wnd.sunAzimuth);
}

TEST(DialWndTick, EquationOfTimeTextCarriesItsSign) {
  // Mid-February the sun is some fourteen minutes slow of the mean sun, early November sixteen
  // minutes fast.
  Window feb(Reading(2010, 2, 11, 12, 0, 0, 0, -60));
  feb.wnd.OnTimer();
  EXPECT_EQ("-00:14:", feb.wnd.equationText.substr(0, 7));
  Window nov(Reading(2010, 11, 3, 12, 0, 0, 0, -60));
  nov.wnd.OnTimer();
  EXPECT_EQ(" 00:16:", nov.wnd.equationText.substr(0, 7));
}

TEST(DialWndPaint, NoClockLineBeforeTheFirstTick) {
  Window w(Reading(2010, 7, 15, 14, 0, 0, 0, -60));
  CollectingReporter reporter;
  EXPECT_EQ(0, w.wnd.sunValid);
  RecordingCanvas before(800, 600);
  ASSERT_TRUE(w.wnd.OnPaint(before, reporter));
  EXPECT_FALSE(DrewText(before, " - EdT "));
  w.wnd.OnTimer();
  RecordingCanvas after(800, 600);
  ASSERT_TRUE(w.wnd.OnPaint(after, reporter));
  EXPECT_TRUE(DrewText(after, " 14:00:00 - EdT "));
  EXPECT_TRUE(reporter.messages.empty());
}

TEST(DialWndLoad, MissingFileGivesTheDefaultDialAndEmptiesThePathOnce) {
  Window w(Reading(2010, 7, 15, 14, 0, 0, 0, -60), "/nonexistent/dial.vqr");
  CollectingReporter reporter;
  RecordingCanvas canvas(400, 300);
  EXPECT_EQ(0, w.wnd.fileLoaded);
  EXPECT_TRUE(w.wnd.OnPaint(canvas, reporter));
  EXPECT_EQ(1, w.wnd.fileLoaded);
  EXPECT_EQ(DialLoadState::Missing, w.wnd.loadState);
  EXPECT_EQ(1, w.wnd.model.modelReady);
  EXPECT_EQ("", w.dialFilePath);

  // Later paints do not read again: a path set afterwards is left alone.
  w.dialFilePath = "/nonexistent/other.vqr";
  EXPECT_TRUE(w.wnd.OnPaint(canvas, reporter));
  EXPECT_EQ("/nonexistent/other.vqr", w.dialFilePath);
}

TEST(DialWndLoad, DialFileIsReadOnTheFirstPaintOnly) {
  const auto source = std::filesystem::path(SUNDIAL_SOURCE_DIR) / "examples" /
                      "type-07-orthographic-horizontal-stockholm.vqr";
  const auto path = std::filesystem::temp_directory_path() / "sundial-window-once.vqr";
  std::filesystem::copy_file(source, path, std::filesystem::copy_options::overwrite_existing);
  Window w(Reading(2010, 7, 15, 14, 0, 0, 0, -60), path.string());
  EXPECT_EQ(0, w.wnd.model.modelReady) << "nothing is read before the first paint";
  CollectingReporter reporter;
  RecordingCanvas first(400, 300);
  EXPECT_TRUE(w.wnd.OnPaint(first, reporter));
  EXPECT_EQ(DialLoadState::File, w.wnd.loadState);
  EXPECT_EQ(7, w.wnd.model.dialType);
  EXPECT_EQ(path.string(), w.dialFilePath);

  // The file changes under the window: the window keeps the dial it read.
  TempFile("once.vqr", "broken");
  RecordingCanvas second(400, 300);
  EXPECT_TRUE(w.wnd.OnPaint(second, reporter));
  EXPECT_EQ(DialLoadState::File, w.wnd.loadState);
  EXPECT_EQ(7, w.wnd.model.dialType);
  EXPECT_EQ(first.Ops().size(), second.Ops().size());
  std::filesystem::remove(path);
}

TEST(DialWndLoad, TruncatedFileShowsTheDefaultDialInsteadOfADarkWindow) {
  const auto path = TempFile("truncated.vqr", std::string("\x01\x00\x00\x00\x00\x00", 6));
  Window w(Reading(2010, 7, 15, 14, 0, 0, 0, -60), path.string());
  CollectingReporter reporter;
  RecordingCanvas canvas(400, 300);
  EXPECT_TRUE(w.wnd.OnPaint(canvas, reporter)) << "something is drawn on the first paint";
  EXPECT_FALSE(canvas.Ops().empty());
  EXPECT_EQ(DialLoadState::Truncated, w.wnd.loadState);
  EXPECT_EQ(1, w.wnd.fileLoaded) << "the file is not read again every second";
  EXPECT_EQ("", w.dialFilePath) << "the default dial does not carry the broken file's name";

  DialModel reference;
  ApplyDefaultDial(reference, false);
  EXPECT_EQ(reference.dialType, w.wnd.model.dialType);
  EXPECT_EQ(reference.latitude, w.wnd.model.latitude);
  EXPECT_EQ(reference.plateXMax, w.wnd.model.plateXMax);
  std::filesystem::remove(path);
}

}  // namespace
}  // namespace sundial
