// The sundial-saver program as the desktop and XScreenSaver run it, on a private Xvfb server:
// what it shows, what ends it and how fast, and what it leaves behind. Keys and pointer moves
// are synthesised with xdotool, as a user's would arrive.
#include <gtest/gtest.h>  // before Xlib, whose macros (None, Bool) clash with its names

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xfixes.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// The sanitizers slow start-up, painting and the leak check at exit; the limits users feel
// (an ending within one or two seconds) are checked as such in the plain build.
#if defined(__SANITIZE_ADDRESS__)
constexpr int kSlowdown = 3;
#else
constexpr int kSlowdown = 1;
#endif
constexpr auto kFirstPictureWithin = milliseconds(15000);

bool WaitUntil(const std::function<bool()>& done, milliseconds limit) {
  const auto end = Clock::now() + limit;
  while (!done()) {
    if (Clock::now() > end) return false;
    std::this_thread::sleep_for(milliseconds(20));
  }
  return true;
}

int RunTool(const std::vector<std::string>& args) {
  std::vector<char*> argv;
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  pid_t pid = 0;
  if (posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return -1;
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// One run of the saver with its own profile directory.
class Saver {
 public:
  Saver(const std::vector<std::string>& args, const fs::path& config,
        const std::string& screensaverWindow = "", const std::string& path = "") {
    std::vector<std::string> env;
    for (char** e = environ; *e != nullptr; ++e) {
      const std::string entry = *e;
      if (entry.rfind("XDG_CONFIG_HOME=", 0) == 0 || entry.rfind("XSCREENSAVER_WINDOW=", 0) == 0 ||
          (!path.empty() && entry.rfind("PATH=", 0) == 0)) {
        continue;
      }
      env.push_back(entry);
    }
    env.push_back("XDG_CONFIG_HOME=" + config.string());
    if (!screensaverWindow.empty()) env.push_back("XSCREENSAVER_WINDOW=" + screensaverWindow);
    if (!path.empty()) env.push_back("PATH=" + path);
    std::vector<std::string> all{SUNDIAL_SAVER_PATH};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv, envp;
    for (std::string& arg : all) argv.push_back(arg.data());
    argv.push_back(nullptr);
    for (std::string& entry : env) envp.push_back(entry.data());
    envp.push_back(nullptr);
    // What the saver says goes to a file of the profile's folder, read by Said().
    said_ = config / "said.txt";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, said_.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), envp.data()) != 0) pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
  }
  ~Saver() {
    if (Running()) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
  }

  bool Running() {
    if (pid_ <= 0 || exited_) return false;
    int status = 0;
    if (waitpid(pid_, &status, WNOHANG) == pid_) {
      exited_ = true;
      exitCode_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    return !exited_;
  }
  // True when the process ended within `limit`.
  bool EndsWithin(milliseconds limit) {
    return WaitUntil([&] { return !Running(); }, limit);
  }
  int ExitCode() const { return exitCode_; }
  void Signal(int signal) { kill(pid_, signal); }
  // Its standard error so far.
  std::string Said() const { return SaidIn(said_.parent_path()); }
  // That of the last run with the profile folder `config`.
  static std::string SaidIn(const fs::path& config) {
    std::ifstream in(config / "said.txt");
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  pid_t Pid() const { return pid_; }

 private:
  fs::path said_;
  pid_t pid_ = -1;
  bool exited_ = false;
  int exitCode_ = -1;
};

struct Picture {
  long lit = 0;        // pixels that are not black
  long titleGrey = 0;  // pixels of the title grey (100, 100, 100) in the lowest sixth
  long nameGrey = 0;   // pixels of that grey, antialiased, in the highest sixth: a dial's name
};

class SaverProcessTest : public ::testing::Test {
 protected:
  void SetUp() override {
    display = XOpenDisplay(nullptr);
    if (display == nullptr) GTEST_SKIP() << "no X display";
    root = DefaultRootWindow(display);
    char pattern[] = "/tmp/sundial-saver-XXXXXX";
    config = mkdtemp(pattern);
    // Start every test from the same place: pointer in the middle, black root window.
    RunTool({"xdotool", "mousemove", "400", "300"});
    XSetWindowBackground(display, root, BlackPixel(display, DefaultScreen(display)));
    XClearWindow(display, root);
    XSync(display, False);
  }
  void TearDown() override {
    if (display != nullptr) XCloseDisplay(display);
    std::error_code error;
    if (!config.empty()) fs::remove_all(config, error);
  }

  void WriteProfile(const std::string& text) {
    fs::create_directories(config / "Orvantek");
    std::ofstream(config / "Orvantek" / "Screen Saver.ini") << text;
  }

  Window FindWindow(Window from, const std::string& name) {
    char* found = nullptr;
    if (XFetchName(display, from, &found) != 0 && found != nullptr) {
      const bool match = name == found;
      XFree(found);
      if (match) return from;
    }
    Window rootReturn, parent, *children = nullptr;
    unsigned count = 0;
    if (XQueryTree(display, from, &rootReturn, &parent, &children, &count) == 0) return 0;
    Window result = 0;
    for (unsigned i = 0; i < count && result == 0; ++i) result = FindWindow(children[i], name);
    if (children != nullptr) XFree(children);
    return result;
  }

  Picture Look(Window window) {
    Picture picture;
    XWindowAttributes attributes;
    if (XGetWindowAttributes(display, window, &attributes) == 0) return picture;
    XImage* image = XGetImage(display, window, 0, 0, static_cast<unsigned>(attributes.width),
                              static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
    if (image == nullptr) return picture;
    for (int y = 0; y < attributes.height; ++y) {
      for (int x = 0; x < attributes.width; ++x) {
        const unsigned long pixel = XGetPixel(image, x, y);
        const int r = static_cast<int>((pixel >> 16) & 0xFF);
        const int g = static_cast<int>((pixel >> 8) & 0xFF);
        const int b = static_cast<int>(pixel & 0xFF);
        if (pixel & 0xFFFFFF) ++picture.lit;
        if (y > attributes.height * 5 / 6 && r == g && g == b && std::abs(r - 100) <= 6) {
          ++picture.titleGrey;
        }
        if (y < attributes.height / 6 && r == g && g == b && r > 30 && r <= 106) {
          ++picture.nameGrey;
        }
      }
    }
    XDestroyImage(image);
    return picture;
  }

  bool ShowsTheDial(Window window, bool withTitle) {
    return WaitUntil(
        [&] {
          const Picture picture = Look(window);
          return picture.lit > 200 && (!withTitle || picture.titleGrey > 20);
        },
        kFirstPictureWithin);
  }

  Window WaitForWindow(const std::string& name) {
    Window found = 0;
    WaitUntil([&] { return (found = FindWindow(root, name)) != 0; }, kFirstPictureWithin);
    return found;
  }

  bool CursorIsBlank() {
    int event = 0, error = 0;
    if (!XFixesQueryExtension(display, &event, &error)) return false;
    XFixesCursorImage* cursor = XFixesGetCursorImage(display);
    if (cursor == nullptr) return false;
    bool blank = true;
    for (unsigned i = 0; i < static_cast<unsigned>(cursor->width) * cursor->height; ++i) {
      if ((cursor->pixels[i] >> 24) != 0) blank = false;  // any visible pixel
    }
    XFree(cursor);
    return blank;
  }

  Window MakeWindow(int width, int height) {
    const Window window = XCreateSimpleWindow(display, root, 20, 20, static_cast<unsigned>(width),
                                              static_cast<unsigned>(height), 0, 0, 0);
    XMapWindow(display, window);
    XSync(display, False);
    return window;
  }

  Display* display = nullptr;
  Window root = 0;
  fs::path config;
};

TEST_F(SaverProcessTest, FullScreenShowsTheDialWithoutACursorAndAKeyEndsIt) {
  Saver saver({"/s"}, config);
  const Window window = WaitForWindow("Screen Saver");
  ASSERT_NE(window, 0u);
  EXPECT_TRUE(ShowsTheDial(window, true));
  EXPECT_TRUE(CursorIsBlank());
  EXPECT_TRUE(saver.Running());

  RunTool({"xdotool", "key", "space"});
  EXPECT_TRUE(saver.EndsWithin(milliseconds(2000 * kSlowdown)));
  EXPECT_EQ(saver.ExitCode(), 0);
  XSync(display, False);
  EXPECT_EQ(FindWindow(root, "Screen Saver"), 0u);
}

TEST_F(SaverProcessTest, FullScreenEndsOnAButton) {
  Saver saver({"-S"}, config);
  ASSERT_NE(WaitForWindow("Screen Saver"), 0u);
  RunTool({"xdotool", "click", "1"});
  EXPECT_TRUE(saver.EndsWithin(milliseconds(2000 * kSlowdown)));
}

TEST_F(SaverProcessTest, AMoveOfThreePixelsKeepsTheSaverAndOneOfFourEndsIt) {
  Saver saver({"/s"}, config);
  const Window window = WaitForWindow("Screen Saver");
  ASSERT_NE(window, 0u);
  ASSERT_TRUE(ShowsTheDial(window, false));
  RunTool({"xdotool", "mousemove_relative", "--", "3", "-3"});
  EXPECT_FALSE(saver.EndsWithin(milliseconds(2000)));
  RunTool({"xdotool", "mousemove_relative", "--", "-7", "0"});  // 4 pixels left of the start
  EXPECT_TRUE(saver.EndsWithin(milliseconds(2000 * kSlowdown)));
  EXPECT_EQ(saver.ExitCode(), 0);
}

TEST_F(SaverProcessTest, TheMouseThresholdComesFromTheProfile) {
  WriteProfile("[Screen Savers]\nMouse Threshold=10\n");
  Saver saver({"/s"}, config);
  ASSERT_NE(WaitForWindow("Screen Saver"), 0u);
  RunTool({"xdotool", "mousemove_relative", "--", "0", "10"});
  EXPECT_FALSE(saver.EndsWithin(milliseconds(1500)));
  RunTool({"xdotool", "mousemove_relative", "--", "0", "1"});
  EXPECT_TRUE(saver.EndsWithin(milliseconds(2000 * kSlowdown)));
}

TEST_F(SaverProcessTest, SigtermEndsTheSaverAtOnceAndFreesItsWindowAndGrabs) {
  Saver saver({"/s"}, config);
  const Window window = WaitForWindow("Screen Saver");
  ASSERT_NE(window, 0u);
  ASSERT_TRUE(ShowsTheDial(window, false));
  saver.Signal(SIGTERM);
  EXPECT_TRUE(saver.EndsWithin(milliseconds(1000 * kSlowdown)));
  EXPECT_EQ(saver.ExitCode(), 0);
  XSync(display, False);
  EXPECT_EQ(FindWindow(root, "Screen Saver"), 0u);
  const Window probe = MakeWindow(10, 10);
  EXPECT_EQ(XGrabKeyboard(display, probe, False, GrabModeAsync, GrabModeAsync, CurrentTime),
            GrabSuccess);
  XUngrabKeyboard(display, CurrentTime);
}

TEST_F(SaverProcessTest, RootDrawsOnTheRootWindowOnlyAndIgnoresInput) {
  Saver saver({"-root"}, config);
  EXPECT_TRUE(ShowsTheDial(root, true));
  EXPECT_EQ(FindWindow(root, "Screen Saver"), 0u);
  RunTool({"xdotool", "key", "space"});
  RunTool({"xdotool", "mousemove_relative", "--", "50", "50"});
  EXPECT_FALSE(saver.EndsWithin(milliseconds(1500)));
  saver.Signal(SIGINT);
  EXPECT_TRUE(saver.EndsWithin(milliseconds(1000 * kSlowdown)));
  EXPECT_EQ(saver.ExitCode(), 0);
}

TEST_F(SaverProcessTest, RootDrawsOnTheXScreenSaverWindowWhichMustBeAWindowNumber) {
  const Window given = MakeWindow(400, 300);
  char id[32];
  std::snprintf(id, sizeof id, "0x%lx", given);
  {
    Saver saver({"-root"}, config, id);
    EXPECT_TRUE(ShowsTheDial(given, false));
    saver.Signal(SIGTERM);
    EXPECT_TRUE(saver.EndsWithin(milliseconds(1000 * kSlowdown)));
  }
  XDestroyWindow(display, given);
  XClearWindow(display, root);
  XSync(display, False);
  // An unreadable window number is an error, not a reason to draw on the root window.
  Saver wrong({"-root"}, config, "window-7");
  EXPECT_TRUE(wrong.EndsWithin(milliseconds(1000 * kSlowdown)));
  EXPECT_EQ(wrong.ExitCode(), 1);
  EXPECT_EQ(Look(root).lit, 0);
}

TEST_F(SaverProcessTest, AWrongCommandLineChangesNothingAndSaysSo) {
  const std::string profile = "[Velquarin]\nFileName=/home/me/dials/mine.vqr\n";
  WriteProfile(profile);
  for (const auto& args : std::vector<std::vector<std::string>>{
           {"-delay"}, {"-speed", "3"}, {"-count"}, {"--bogus"}, {"-window-id"},
           {"-window-id", "0xZZ"}, {"-dial"}, {"/s", "-root"}, {"/x"}, {"/q"}, {"/"}, {"/p"}}) {
    SCOPED_TRACE(args[0]);
    Saver saver(args, config);
    ASSERT_TRUE(saver.EndsWithin(milliseconds(2000 * kSlowdown)));
    EXPECT_EQ(saver.ExitCode(), 2);
    const std::string said = saver.Said();
    EXPECT_EQ(said.rfind("sundial-saver: ", 0), 0u) << said;
    EXPECT_EQ(said.find("\nUsage:"), said.find('\n')) << said;
    std::ifstream file(config / "Orvantek" / "Screen Saver.ini");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()),
              profile);
    EXPECT_EQ(FindWindow(root, "Screen Saver"), 0u);
  }
}

TEST_F(SaverProcessTest, AFileGivenOnTheCommandLineIsShownAndTheProfileKept) {
  const std::string profile = "[Velquarin]\nFileName=/nowhere/missing.vqr\n";
  WriteProfile(profile);
  const std::string example = SUNDIAL_SOURCE_DIR "/examples/type-12-receiving-ellipse-torino.vqr";
  // The profile's dial is missing: the built-in dial, without a name above it. The given one
  // carries its file's name at the top.
  const auto nameInPreview = [&](const std::vector<std::string>& args) {
    const Window parent = MakeWindow(400, 300);
    char id[32];
    std::snprintf(id, sizeof id, "0x%lx", parent);
    std::vector<std::string> all{"-window-id", id};
    all.insert(all.end(), args.begin(), args.end());
    Saver saver(all, config);
    EXPECT_TRUE(ShowsTheDial(parent, false));
    std::this_thread::sleep_for(milliseconds(300));
    const long name = Look(parent).nameGrey;
    XDestroyWindow(display, parent);
    XSync(display, False);
    EXPECT_TRUE(saver.EndsWithin(milliseconds(2000 * kSlowdown)));
    return name;
  };
  EXPECT_EQ(nameInPreview({}), 0);
  // One line in XScreenSaver's log says which dial file could not be shown, and why.
  const auto saidOnce = [&](const std::string& what) {
    const std::string said = Saver::SaidIn(config);
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
    EXPECT_NE(said.find(what), std::string::npos) << said;
  };
  saidOnce("'/nowhere/missing.vqr' cannot be shown (No such file or directory)");
  EXPECT_EQ(nameInPreview({"--file", SUNDIAL_SOURCE_DIR "/README.md"}), 0);
  saidOnce("README.md' cannot be shown (it holds values no dial can have)");
  EXPECT_GT(nameInPreview({"--file", example}), 20);
  EXPECT_EQ(Saver::SaidIn(config), "");
  std::ifstream file(config / "Orvantek" / "Screen Saver.ini");
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()),
            profile);
}

TEST_F(SaverProcessTest, TheWindowModeIsAnOrdinaryWindowThatClosingEnds) {
  Saver saver({"-window"}, config);
  const Window window = WaitForWindow("Sundial");
  ASSERT_NE(window, 0u);
  EXPECT_TRUE(ShowsTheDial(window, true));
  XWindowAttributes attributes;
  XGetWindowAttributes(display, window, &attributes);
  EXPECT_FALSE(attributes.override_redirect);
  EXPECT_EQ(attributes.map_state, IsViewable);

  // The hints a window manager and a desktop go by, as xprop reads them.
  std::string hints;
  if (std::FILE* xprop = popen(("xprop -id " + std::to_string(window)).c_str(), "r")) {
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, xprop)) > 0;) hints.append(buffer, n);
    pclose(xprop);
  }
  for (const std::string& expected :
       {std::string("program specified minimum size: 320 by 200"),
        std::string("WM_CLASS(STRING) = \"sundial-saver\", \"SundialSaver\""),
        "_NET_WM_PID(CARDINAL) = " + std::to_string(saver.Pid()),
        std::string("_NET_WM_NAME(UTF8_STRING) = \"Sundial\""),
        std::string("Icon (16 x 16):"), std::string("Icon (48 x 48):")}) {
    EXPECT_NE(hints.find(expected), std::string::npos) << expected << "\n" << hints.substr(0, 2000);
  }

  // The window manager's close button: a WM_DELETE_WINDOW message.
  Atom* protocols = nullptr;
  int count = 0;
  const Atom deleteWindow = XInternAtom(display, "WM_DELETE_WINDOW", False);
  ASSERT_NE(XGetWMProtocols(display, window, &protocols, &count), 0);
  const bool offered = std::find(protocols, protocols + count, deleteWindow) != protocols + count;
  XFree(protocols);
  ASSERT_TRUE(offered);
  XEvent close{};
  close.xclient.type = ClientMessage;
  close.xclient.window = window;
  close.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
  close.xclient.format = 32;
  close.xclient.data.l[0] = static_cast<long>(deleteWindow);
  close.xclient.data.l[1] = CurrentTime;
  XSendEvent(display, window, False, NoEventMask, &close);
  XSync(display, False);
  EXPECT_TRUE(saver.EndsWithin(milliseconds(1000 * kSlowdown)));
  EXPECT_EQ(saver.ExitCode(), 0);
  XSync(display, False);
  EXPECT_EQ(FindWindow(root, "Sundial"), 0u);
}

TEST_F(SaverProcessTest, PreviewsDrawInsideTheirWindowAndEndWithIt) {
  for (const bool xscreensaverStyle : {true, false}) {
    SCOPED_TRACE(xscreensaverStyle ? "-window-id" : "/p");
    const Window parent = MakeWindow(320, 240);
    char hex[32], decimal[32];
    std::snprintf(hex, sizeof hex, "0x%lx", parent);
    std::snprintf(decimal, sizeof decimal, "%lu", parent);
    Saver saver(xscreensaverStyle ? std::vector<std::string>{"-window-id", hex}
                                  : std::vector<std::string>{"/p", decimal},
                config);
    EXPECT_TRUE(ShowsTheDial(parent, false));
    const Window preview = FindWindow(parent, "Preview");
    ASSERT_NE(preview, 0u);

    XResizeWindow(display, parent, 200, 150);
    XSync(display, False);
    EXPECT_TRUE(WaitUntil(
        [&] {
          XWindowAttributes attributes;
          XGetWindowAttributes(display, preview, &attributes);
          return attributes.width == 200 && attributes.height == 150;
        },
        milliseconds(2000 * kSlowdown)));

    XDestroyWindow(display, parent);
    XSync(display, False);
    EXPECT_TRUE(saver.EndsWithin(milliseconds(2000 * kSlowdown)));
    EXPECT_EQ(saver.ExitCode(), 0);
  }
}

TEST_F(SaverProcessTest, AWindowIdThatNamesNoWindowEndsAtOnce) {
  for (const auto& args : std::vector<std::vector<std::string>>{
           {"/p", "123456789"}, {"-window-id", "0x7ff0001"}, {"-window-id", "nonsense"}}) {
    SCOPED_TRACE(args.back());
    Saver saver(args, config);
    EXPECT_TRUE(saver.EndsWithin(milliseconds(1000 * kSlowdown)));
    EXPECT_NE(saver.ExitCode(), 0);
  }
}

TEST_F(SaverProcessTest, ConfigureStoresTheChosenDialRefusesWhatIsNoDialAndCancelStoresNothing) {
  const fs::path bin = config / "bin";
  fs::create_directories(bin);
  const auto fakeZenity = [&](const std::string& script) {
    std::ofstream(bin / "zenity") << "#!/bin/sh\n" << script;
    fs::permissions(bin / "zenity", fs::perms::owner_all);
  };
  const fs::path dial = config / "my dials" / "my dial.vqr";
  fs::create_directories(dial.parent_path());
  fs::copy_file(SUNDIAL_SOURCE_DIR "/examples/type-01-horizontal-greenwich.vqr", dial);
  fakeZenity("echo '" + dial.string() + "'\n");
  {
    Saver configure({"/c"}, config, "", bin.string() + ":/usr/bin:/bin");
    ASSERT_TRUE(configure.EndsWithin(milliseconds(3000 * kSlowdown)));
    EXPECT_EQ(configure.ExitCode(), 0);
  }
  const auto stored = [&] {
    std::ifstream profile(config / "Orvantek" / "Screen Saver.ini");
    return std::string((std::istreambuf_iterator<char>(profile)), std::istreambuf_iterator<char>());
  };
  const std::string chosen = "[Velquarin]\nFileName=" + dial.string() + "\n";
  EXPECT_EQ(stored(), chosen);

  // A path that is no readable dial is refused with one line, and the choice stays.
  const fs::path text = config / "garbage.vqr";
  std::ofstream(text) << "not a dial\n";
  for (const auto& [answer, why] : std::vector<std::pair<std::string, std::string>>{
           {(config / "gone.vqr").string(), "No such file or directory"},
           {config.string(), "not a regular file"},
           {text.string(), "it ends inside an item"}}) {
    SCOPED_TRACE(answer);
    fakeZenity("echo '" + answer + "'\n");
    Saver refused({"/c"}, config, "", bin.string() + ":/usr/bin:/bin");
    ASSERT_TRUE(refused.EndsWithin(milliseconds(3000 * kSlowdown)));
    EXPECT_EQ(refused.ExitCode(), 1);
    const std::string said = refused.Said();
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
    EXPECT_NE(said.find(answer), std::string::npos) << said;
    EXPECT_NE(said.find(why), std::string::npos) << said;
    EXPECT_EQ(stored(), chosen);
  }

  // Without a display the chooser cannot run: one line, status 1, and no chooser started.
  fakeZenity("touch '" + (config / "started").string() + "'\n");
  Saver noDisplay({"/c", "-display", ":4711"}, config, "", bin.string() + ":/usr/bin:/bin");
  ASSERT_TRUE(noDisplay.EndsWithin(milliseconds(3000 * kSlowdown)));
  EXPECT_EQ(noDisplay.ExitCode(), 1);
  EXPECT_EQ(noDisplay.Said(), "sundial-saver: cannot open the X display :4711\n");
  EXPECT_FALSE(fs::exists(config / "started"));

  fakeZenity("exit 1\n");
  Saver cancelled({}, config, "", bin.string() + ":/usr/bin:/bin");  // no switch: configure
  ASSERT_TRUE(cancelled.EndsWithin(milliseconds(3000 * kSlowdown)));
  EXPECT_EQ(cancelled.ExitCode(), 0);
  EXPECT_EQ(stored(), chosen);
}

TEST_F(SaverProcessTest, TheExampleSwitchStoresTheInstalledExampleAndPasswordDoesNothing) {
  Saver example({"d"}, config);
  ASSERT_TRUE(example.EndsWithin(milliseconds(2000 * kSlowdown)));
  EXPECT_EQ(example.ExitCode(), 0);
  std::ifstream profile(config / "Orvantek" / "Screen Saver.ini");
  std::string text((std::istreambuf_iterator<char>(profile)), std::istreambuf_iterator<char>());
  EXPECT_NE(text.find("[Velquarin]\nFileName=/"), std::string::npos) << text;
  EXPECT_NE(text.find("/share/sundial-saver/examples/esempio - tolvanet.vqr\n"), std::string::npos)
      << text;

  Saver password({"/a", "42"}, config);
  EXPECT_TRUE(password.EndsWithin(milliseconds(2000 * kSlowdown)));
  EXPECT_EQ(password.ExitCode(), 0);
}

TEST_F(SaverProcessTest, AFifoAsDialFileOrAsProfileGivesTheDefaultDial) {
  // Opened the ordinary way, a FIFO without a writer would block the saver for ever.
  const fs::path fifo = config / "dial.vqr";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  WriteProfile("[Velquarin]\nFileName=" + fifo.string() + "\n");
  const Window given = MakeWindow(400, 300);
  char id[32];
  std::snprintf(id, sizeof id, "0x%lx", given);
  {
    Saver saver({"-window-id", id}, config);
    EXPECT_TRUE(ShowsTheDial(given, false));
    saver.Signal(SIGTERM);
    EXPECT_TRUE(saver.EndsWithin(milliseconds(1000 * kSlowdown)));
    EXPECT_EQ(saver.ExitCode(), 0);
  }
  fs::remove(config / "Orvantek" / "Screen Saver.ini");
  ASSERT_EQ(mkfifo((config / "Orvantek" / "Screen Saver.ini").c_str(), 0600), 0);
  XClearWindow(display, given);
  XSync(display, False);
  Saver saver({"-window-id", id}, config);
  EXPECT_TRUE(ShowsTheDial(given, false));
  saver.Signal(SIGHUP);
  EXPECT_TRUE(saver.EndsWithin(milliseconds(1000 * kSlowdown)));
  EXPECT_EQ(saver.ExitCode(), 0);
}

TEST_F(SaverProcessTest, ASignalEndsTheSaverDuringItsFirstLoadAndALongPaint) {
  // The dial traced onto a receiving outline computes its year traces in its first paint, and a
  // window this large takes long to paint; neither may hold back the end.
  WriteProfile("[Velquarin]\nFileName=" + std::string(SUNDIAL_SOURCE_DIR) +
               "/examples/type-12-receiving-ellipse-torino.vqr\n");
  const Window large = MakeWindow(8192, 8192);
  char id[32];
  std::snprintf(id, sizeof id, "0x%lx", large);
  for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
    SCOPED_TRACE(signal);
    Saver saver({"-window-id", id}, config);
    std::this_thread::sleep_for(milliseconds(300));
    ASSERT_TRUE(saver.Running());
    saver.Signal(signal);
    EXPECT_TRUE(saver.EndsWithin(milliseconds(1000 * kSlowdown)));
    EXPECT_EQ(saver.ExitCode(), 0);
  }
}

TEST_F(SaverProcessTest, TheExampleSwitchFailsWhenTheProfileCannotBeStored) {
  // A file where the profile's directory should be.
  std::ofstream(config / "Orvantek") << "in the way";
  Saver blocked({"d"}, config);
  ASSERT_TRUE(blocked.EndsWithin(milliseconds(2000 * kSlowdown)));
  EXPECT_NE(blocked.ExitCode(), 0);
}

}  // namespace
