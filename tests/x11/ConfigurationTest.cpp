// The Linux configuration: the saver settings read from the profile, and the file chooser
// run as a child process (a stand-in "zenity" on $PATH plays the user).
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "FileChooser.h"
#include "X11Platform.h"
#include "app/IniProfile.h"
#include "app/SaverApp.h"
#include "window/LocalClock.h"

namespace sundial::x11 {
namespace {

namespace fs = std::filesystem;

class TempDir {
 public:
  TempDir() {
    char pattern[] = "/tmp/sundial-x11-XXXXXX";
    path_ = mkdtemp(pattern);
  }
  ~TempDir() {
    std::error_code error;
    fs::remove_all(path_, error);
  }
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

std::string Slurp(const fs::path& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

void WriteFile(const fs::path& path, const std::string& text) {
  std::ofstream out(path);
  out << text;
}

TEST(SaverSettings, ComeFromTheScreenSaversSectionWithTheirDefaults) {
  TempDir dir;
  IniProfile profile(dir.path() / "p.ini");
  SaverSettings settings = ReadSaverSettings(profile);
  EXPECT_EQ(settings.passwordDelay, 0u);
  EXPECT_EQ(settings.mouseThreshold, 3);

  profile.Write(kSaverSettingsSection, kPasswordDelayName, " 10 ");
  profile.Write(kSaverSettingsSection, kMouseThresholdName, "12");
  settings = ReadSaverSettings(profile);
  EXPECT_EQ(settings.passwordDelay, 10u);
  EXPECT_EQ(settings.mouseThreshold, 12);

  // Values that are not whole numbers in range keep the defaults.
  profile.Write(kSaverSettingsSection, kPasswordDelayName, "-4");
  profile.Write(kSaverSettingsSection, kMouseThresholdName, "3 pixels");
  settings = ReadSaverSettings(profile);
  EXPECT_EQ(settings.passwordDelay, 0u);
  EXPECT_EQ(settings.mouseThreshold, 3);
  profile.Write(kSaverSettingsSection, kMouseThresholdName, "99999999999");
  EXPECT_EQ(ReadSaverSettings(profile).mouseThreshold, 3);
}

FileChooserRequest DialRequest(const std::string& initial) {
  FileChooserRequest request;
  request.title = kChooseDialTitle;
  request.filter = kDialFileFilter;
  request.filterDescription = kDialFileFilterDescription;
  request.filterPattern = kDialFilePattern;
  request.defaultExtension = kDialFileExtension;
  request.initialName = initial;
  return request;
}

TEST(FileChooser, AsksZenityAndKdialogForOneDialFile) {
  const auto zenity = FileChooserArguments("/usr/bin/zenity", DialRequest("/d/x.vqr"));
  EXPECT_EQ(zenity, (std::vector<std::string>{
                        "/usr/bin/zenity", "--file-selection",
                        "--title=Scegli l'orologio da visualizzare",
                        "--file-filter=Quorlith (*.vqr) | *.vqr", "--filename=/d/x.vqr"}));
  EXPECT_EQ(FileChooserArguments("zenity", DialRequest("")).size(), 4u);

  const auto kdialog = FileChooserArguments("/usr/bin/kdialog", DialRequest("/d/x.vqr"));
  EXPECT_EQ(kdialog, (std::vector<std::string>{"/usr/bin/kdialog", "--title",
                                               "Scegli l'orologio da visualizzare",
                                               "--getopenfilename", "/d/x.vqr",
                                               "*.vqr|Quorlith (*.vqr)"}));
}

TEST(FileChooser, TheAnswerBecomesAFullPathWithTheDialExtension) {
  TempDir dir;
  WriteFile(dir.path() / "plain", "");
  EXPECT_EQ(ChosenPath((dir.path() / "sud.vqr").string() + "\n", "vqr"),
            (dir.path() / "sud.vqr").string());
  EXPECT_EQ(ChosenPath((dir.path() / "typed").string() + "\n", "vqr"),
            (dir.path() / "typed.vqr").string());
  EXPECT_EQ(ChosenPath((dir.path() / "plain").string(), "vqr"), (dir.path() / "plain").string());
  EXPECT_EQ(ChosenPath("rel/dial.vqr\n", "vqr"), (fs::current_path() / "rel/dial.vqr").string());
  EXPECT_FALSE(ChosenPath("", "vqr"));
  EXPECT_FALSE(ChosenPath("\n", "vqr"));
}

// Puts a stand-in dialog tool first on $PATH for the life of the object.
class FakeTool {
 public:
  FakeTool(const TempDir& dir, const std::string& name, const std::string& script) {
    bin_ = dir.path() / "bin";
    fs::create_directories(bin_);
    WriteFile(bin_ / name, "#!/bin/sh\n" + script);
    chmod((bin_ / name).c_str(), 0755);
    saved_ = std::getenv("PATH") ? std::getenv("PATH") : "";
    setenv("PATH", bin_.c_str(), 1);  // only the fake: no real dialog may pop up
  }
  ~FakeTool() { setenv("PATH", saved_.c_str(), 1); }

 private:
  fs::path bin_;
  std::string saved_;
};

TEST(FileChooser, StoresTheChosenDialAndNothingOnCancelOrWithoutADialogTool) {
  TempDir dir;
  IniProfile profile(dir.path() / "p.ini");
  FixedLocalClock clock({});
  X11Platform platform(profile, clock);
  const std::string args = (dir.path() / "args").string();
  // The chosen file must be a dial: one of the examples.
  const std::string chosen = (dir.path() / "chosen.vqr").string();
  fs::copy_file(SUNDIAL_SOURCE_DIR "/examples/type-01-horizontal-greenwich.vqr", chosen);
  {
    FakeTool zenity(dir, "zenity", "for a in \"$@\"; do echo \"$a\"; done > '" + args +
                                       "'\necho '" + chosen + "'\nexit 0\n");
    EXPECT_TRUE(ChooseDialFile(platform, "/dials/old.vqr"));
  }
  EXPECT_EQ(profile.Read(kProfileSection, kProfileFileName), chosen);
  EXPECT_EQ(Slurp(args),
            "--file-selection\n--title=Scegli l'orologio da visualizzare\n"
            "--file-filter=Quorlith (*.vqr) | *.vqr\n--filename=/dials/old.vqr\n");
  {
    FakeTool zenity(dir, "zenity", "exit 1\n");
    EXPECT_FALSE(ChooseDialFile(platform, "/dials/chosen.vqr"));
  }
  {
    FakeTool kdialog(dir, "kdialog", "echo /dials/ignored.vqr\nexit 1\n");
    fs::remove(dir.path() / "bin" / "zenity");
    EXPECT_FALSE(ChooseDialFile(platform, "/dials/chosen.vqr"));
  }
  {
    FakeTool other(dir, "other", "exit 0\n");
    fs::remove(dir.path() / "bin" / "kdialog");
    testing::internal::CaptureStderr();
    EXPECT_FALSE(ChooseDialFile(platform, "/dials/chosen.vqr"));
    const std::string told = testing::internal::GetCapturedStderr();
    EXPECT_NE(told.find("zenity"), std::string::npos);
    EXPECT_NE(told.find(profile.Path().string()), std::string::npos);
  }
  EXPECT_EQ(profile.Read(kProfileSection, kProfileFileName), chosen);
}

TEST(ExampleDial, IsTheInstalledExampleFileUnderItsOwnName) {
  TempDir dir;
  IniProfile profile(dir.path() / "p.ini");
  FixedLocalClock clock({});
  X11Platform platform(profile, clock);
  platform.SetExampleDirectoryForTesting("/usr/local/share/sundial-saver/examples");
  EXPECT_EQ(StoreExampleDial(platform), "/usr/local/share/sundial-saver/examples/esempio - tolvanet.vqr");
  EXPECT_EQ(profile.Read(kProfileSection, kProfileFileName),
            "/usr/local/share/sundial-saver/examples/esempio - tolvanet.vqr");
  // Without an installation beside the program, the configured prefix's directory.
  EXPECT_TRUE(InstalledExampleDirectory().ends_with("/share/sundial-saver/examples"));
}

}  // namespace
}  // namespace sundial::x11
