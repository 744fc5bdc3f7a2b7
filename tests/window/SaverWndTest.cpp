// The full-screen saver's close rules: what ends the saver, when the password is asked for, and
// what a refused password leaves behind.
#include <gtest/gtest.h>

#include "WindowFakes.h"
#include "window/CSaverWnd.h"

namespace sundial {
namespace {

using testing::FakeHost;

struct Saver {
  explicit Saver(SaverSettings settings = {}, CursorPoint cursor = {100, 200},
                 std::uint32_t tick = 5000)
      : clock(LocalClockReading{}), wnd(host, clock, path) {
    host.cursor = cursor;
    host.tick = tick;
    wnd.OnCreate(settings);
  }
  FakeHost host;
  FixedLocalClock clock;
  std::string path;
  CSaverWnd wnd;
};

TEST(SaverWndCreate, TakesCursorTickAndSettings) {
  Saver s(SaverSettings{10, 7}, {3, 4}, 1234);
  EXPECT_EQ((CursorPoint{3, 4}), s.wnd.lastCursor);
  EXPECT_EQ(1234u, s.wnd.startTick);
  EXPECT_EQ(10u, s.wnd.passwordDelay);
  EXPECT_EQ(7, s.wnd.mouseThreshold);
  EXPECT_EQ(0, s.wnd.inPasswordCheck);
  EXPECT_EQ(0, s.wnd.closeRequested);
  EXPECT_EQ(0, s.wnd.sunValid);
  EXPECT_EQ(0, SaverSettings{}.passwordDelay);
  EXPECT_EQ(3, SaverSettings{}.mouseThreshold);
}

TEST(SaverWndInput, MouseMustMoveBeyondTheThresholdOnEitherAxis) {
  struct Move {
    int dx, dy;
    bool closes;
  };
  for (const Move m : {Move{3, 0, false}, Move{0, 3, false}, Move{-3, 3, false}, Move{4, 0, true},
                       Move{0, 4, true}, Move{-4, 0, true}, Move{0, -4, true}, Move{0, 0, false}}) {
    SCOPED_TRACE(::testing::Message() << m.dx << "," << m.dy);
    Saver s;
    s.host.cursor = {100 + m.dx, 200 + m.dy};
    s.wnd.OnMouseMove();
    EXPECT_EQ(m.closes ? 1 : 0, s.host.closeRequests);
    EXPECT_EQ(m.closes ? 1 : 0, s.wnd.closeRequested);
  }
}

TEST(SaverWndInput, KeysButtonsAndDeactivationRequestClose) {
  Saver keys;
  keys.wnd.OnUserInput();
  EXPECT_EQ(1, keys.host.closeRequests);
  EXPECT_EQ(1, keys.wnd.closeRequested);

  Saver activation;
  activation.wnd.OnActivate(true);
  activation.wnd.OnActivateApp(true);
  EXPECT_EQ(0, activation.host.closeRequests) << "becoming active is no reason to close";
  activation.wnd.OnActivate(false);
  EXPECT_EQ(1, activation.host.closeRequests);
  activation.wnd.OnActivateApp(false);
  EXPECT_EQ(2, activation.host.closeRequests);
}

TEST(SaverWndInput, InputDuringThePasswordDialogIsLeftToTheDialog) {
  Saver s;
  s.wnd.inPasswordCheck = 1;
  s.host.cursor = {500, 500};
  s.wnd.OnMouseMove();
  s.wnd.OnUserInput();
  s.wnd.OnActivate(false);
  s.wnd.OnActivateApp(false);
  EXPECT_EQ(0, s.host.closeRequests);
  EXPECT_TRUE(s.wnd.ShowsCursor());
  EXPECT_TRUE(s.wnd.AllowsNcActivate(false));
  s.wnd.inPasswordCheck = 0;
  EXPECT_FALSE(s.wnd.ShowsCursor());
  EXPECT_FALSE(s.wnd.AllowsNcActivate(false));
  EXPECT_TRUE(s.wnd.AllowsNcActivate(true));
}

TEST(SaverWndClose, CloseNotRequestedByTheSaverIsIgnored) {
  Saver s;
  s.host.tick += 60000;
  s.wnd.OnClose();
  EXPECT_EQ(0, s.host.destroyed);
  EXPECT_EQ(0, s.host.passwordChecks);
  EXPECT_FALSE(CSaverWnd::AcceptsSystemCommand(SystemCommand::Close));
  EXPECT_FALSE(CSaverWnd::AcceptsSystemCommand(SystemCommand::ScreenSave));
  EXPECT_TRUE(CSaverWnd::AcceptsSystemCommand(SystemCommand::Other));
}

TEST(SaverWndClose, GracePeriodClosesWithoutPassword) {
  struct Case {
    std::uint32_t delaySeconds;
    std::uint32_t elapsedMs;
    bool asksPassword;
  };
  for (const Case c : {Case{0, 0, false}, Case{0, 1, true}, Case{10, 10000, false},
                       Case{10, 10001, true}, Case{10, 3000, false}}) {
    SCOPED_TRACE(::testing::Message() << c.delaySeconds << " s, " << c.elapsedMs << " ms");
    Saver s(SaverSettings{c.delaySeconds, 3});
    s.wnd.OnUserInput();
    s.host.tick += c.elapsedMs;
    s.wnd.OnClose();
    EXPECT_EQ(c.asksPassword ? 1 : 0, s.host.passwordChecks);
    EXPECT_EQ(1, s.host.destroyed);
  }
}

TEST(SaverWndClose, GracePeriodSurvivesTheTickCountWrapping) {
  Saver s(SaverSettings{10, 3}, {0, 0}, 0xFFFFFF00u);
  s.wnd.OnUserInput();
  s.host.tick = 0x100;  // 512 ms later, past the wrap
  s.wnd.OnClose();
  EXPECT_EQ(0, s.host.passwordChecks);
  EXPECT_EQ(1, s.host.destroyed);

  // A delay whose milliseconds do not fit 32 bits still holds.
  Saver longDelay(SaverSettings{5000000, 3});
  longDelay.wnd.OnUserInput();
  longDelay.host.tick += 4000000000u;
  longDelay.wnd.OnClose();
  EXPECT_EQ(0, longDelay.host.passwordChecks);
}

TEST(SaverWndClose, RefusedPasswordKeepsTheSaverAndRetakesTheCursor) {
  Saver s(SaverSettings{0, 3});
  s.host.passwordAccepted = false;
  int flagDuringCheck = -1;
  s.host.duringPasswordCheck = [&] {
    flagDuringCheck = s.wnd.inPasswordCheck;
    s.host.cursor = {700, 50};  // where the user left the mouse in the dialog
  };
  s.host.cursor = {110, 200};
  s.wnd.OnMouseMove();
  ASSERT_EQ(1, s.host.closeRequests);
  s.host.tick += 1000;
  s.wnd.OnClose();
  EXPECT_EQ(1, flagDuringCheck);
  EXPECT_EQ(1, s.host.passwordChecks);
  EXPECT_EQ(0, s.host.destroyed);
  EXPECT_EQ(0, s.wnd.inPasswordCheck);
  EXPECT_EQ(1, s.wnd.closeRequested);
  EXPECT_EQ((CursorPoint{700, 50}), s.wnd.lastCursor);

  // Resting the mouse where the dialog left it does not ask again; the next real move does.
  s.host.duringPasswordCheck = nullptr;
  s.host.cursor = {702, 52};
  s.wnd.OnMouseMove();
  EXPECT_EQ(1, s.host.closeRequests);
  s.host.cursor = {710, 52};
  s.wnd.OnMouseMove();
  EXPECT_EQ(2, s.host.closeRequests);
  s.host.passwordAccepted = true;
  s.wnd.OnClose();
  EXPECT_EQ(2, s.host.passwordChecks);
  EXPECT_EQ(1, s.host.destroyed);
}

TEST(SaverWndClose, CloseArrivingDuringThePasswordDialogClosesAtOnce) {
  Saver s(SaverSettings{0, 3});
  s.host.passwordAccepted = false;
  s.host.duringPasswordCheck = [&] { s.wnd.OnClose(); };  // the dialog's nested loop
  s.wnd.OnUserInput();
  s.host.tick += 1000;
  s.wnd.OnClose();
  EXPECT_EQ(1, s.host.passwordChecks);
  EXPECT_EQ(1, s.host.destroyed);
}

}  // namespace
}  // namespace sundial
