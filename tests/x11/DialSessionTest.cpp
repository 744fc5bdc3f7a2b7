// The dial behind the X window: the close rules of the full-screen saver as the X events drive
// them, and an hour of ticks and paints with a simulated clock (run under the sanitizers, this is
// where a leak of a surface, a canvas or a font per paint would show).
#include <gtest/gtest.h>  // before Xlib, whose macros (None, Bool) clash with its names

#include <X11/Xlib.h>

#include <chrono>
#include <memory>
#include <thread>
#include <string>

#include "DialSession.h"
#include "X11Connection.h"
#include "window/LocalClock.h"

namespace sundial::x11 {
namespace {

LocalClockReading SummerMorning() {
  LocalClockReading reading;
  reading.year = 2010;
  reading.month = 7;
  reading.day = 15;
  reading.hour = 9;
  reading.daylightSaving = 1;
  reading.biasMinutesWest = -60;
  return reading;
}

class DialSessionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!connection.Ok()) GTEST_SKIP() << "no X display";
    display = connection.display();
  }

  void Pump(DialSession& session) {
    XSync(display, False);
    while (XPending(display) > 0) {
      XEvent event;
      XNextEvent(display, &event);
      session.window().HandleEvent(event);
    }
    session.window().Update();
  }

  X11Connection connection;
  Display* display = nullptr;
  std::string dialFilePath;  // empty: the built-in default dial
  FixedLocalClock clock{SummerMorning()};
};

TEST_F(DialSessionTest, WithinTheGracePeriodInputClosesWithoutAPasswordStep) {
  SaverSettings settings;
  settings.passwordDelay = 3600;
  auto session = DialSession::FullScreen(connection, dialFilePath, clock, settings);
  ASSERT_TRUE(session);
  ASSERT_NE(session->saver(), nullptr);
  Pump(*session);
  session->window().HandleEvent([&] {
    XEvent key{};
    key.type = KeyPress;
    key.xany.window = session->window().window();
    return key;
  }());
  EXPECT_TRUE(session->window().Alive()) << "the close is posted, not run inside the key event";
  session->window().Update();
  EXPECT_FALSE(session->window().Alive());
  EXPECT_EQ(session->passwordChecks(), 0);
}

TEST_F(DialSessionTest, AfterTheGracePeriodThePasswordStepRunsAndLetsTheUserLeave) {
  auto session = DialSession::FullScreen(connection, dialFilePath, clock, SaverSettings{});
  ASSERT_TRUE(session);
  // No grace period: any time after the start counts (the start millisecond itself does not).
  std::this_thread::sleep_for(std::chrono::milliseconds(5));
  XEvent focus{};
  focus.xfocus.window = session->window().window();
  focus.type = FocusIn;
  session->window().HandleEvent(focus);
  focus.type = FocusOut;
  focus.xfocus.mode = NotifyNormal;
  focus.xfocus.detail = NotifyNonlinear;
  session->window().HandleEvent(focus);
  session->window().Update();
  EXPECT_EQ(session->passwordChecks(), 1);
  EXPECT_FALSE(session->window().Alive());
}

TEST_F(DialSessionTest, AMoveWithinTheThresholdKeepsTheSaver) {
  SaverSettings settings;
  settings.mouseThreshold = 1000000;
  auto session = DialSession::FullScreen(connection, dialFilePath, clock, settings);
  ASSERT_TRUE(session);
  XEvent motion{};
  motion.type = MotionNotify;
  motion.xany.window = session->window().window();
  session->window().HandleEvent(motion);
  session->window().Update();
  EXPECT_TRUE(session->window().Alive());
}

TEST_F(DialSessionTest, AnHourOfTicksPaintsEverySecondWithTheSimulatedClock) {
  const Window parent = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 160, 100,
                                            0, 0, 0);
  XMapWindow(display, parent);
  auto session = DialSession::Preview(connection, parent, dialFilePath, clock);
  ASSERT_TRUE(session);
  Pump(*session);
  EXPECT_EQ(session->dial().fileLoaded, 1);

  LocalClockReading now = SummerMorning();
  for (int second = 0; second < 3600; ++second) {
    now.second = second % 60;
    now.minute = second / 60;
    clock.Set(now);
    session->window().Tick();
    Pump(*session);
  }
  EXPECT_EQ(session->dial().sunValid, 1);
  EXPECT_EQ(session->dial().clockText, " 09:59:59");
  EXPECT_TRUE(session->window().Alive());
}

}  // namespace
}  // namespace sundial::x11
