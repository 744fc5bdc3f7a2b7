#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/SaverApp.h"
#include "model/DialModel.h"
#include "support/VqrWriter.h"

namespace sundial {
namespace {

// A platform that records what start-up asks of it.
class FakePlatform : public Platform {
 public:
  std::map<std::pair<std::string, std::string>, std::string> profile;
  std::optional<std::string> chooserAnswer;
  std::vector<FileChooserRequest> chooserRequests;
  std::vector<std::string> problems;
  std::string systemDirectory = "C:\\WINDOWS";
  char separator = '\\';
  std::vector<WindowHandle> passwordOwners;
  WindowHandle foreground = 777;
  std::vector<WindowHandle> previewParents;
  int fullScreenWindows = 0;
  bool windowsCanBeCreated = true;
  std::string pathSeenByWindow;

  std::optional<std::string> ReadProfileString(const std::string& section,
                                               const std::string& valueName) override {
    auto it = profile.find({section, valueName});
    if (it == profile.end()) return std::nullopt;
    return it->second;
  }
  bool WriteProfileString(const std::string& section, const std::string& valueName,
                          const std::string& value) override {
    profile[{section, valueName}] = value;
    return true;
  }
  std::optional<std::string> ChooseFile(const FileChooserRequest& request) override {
    chooserRequests.push_back(request);
    return chooserAnswer;
  }
  void ReportProblem(const std::string& text) override { problems.push_back(text); }
  std::string SystemDirectory() override { return systemDirectory; }
  char PathSeparator() const override { return separator; }
  void ChangeScreenSaverPassword(WindowHandle owner) override { passwordOwners.push_back(owner); }
  WindowHandle ForegroundWindow() override { return foreground; }
  bool CreatePreviewWindow(WindowHandle parent, CSaverApp& app) override {
    previewParents.push_back(parent);
    pathSeenByWindow = app.dialFilePath;
    return windowsCanBeCreated;
  }
  bool CreateFullScreenWindow(CSaverApp& app) override {
    ++fullScreenWindows;
    pathSeenByWindow = app.dialFilePath;
    return windowsCanBeCreated;
  }

  std::optional<std::string> StoredFileName() {
    return ReadProfileString("Velquarin", "FileName");
  }
};

const std::string kProgram = "\"C:\\WINDOWS\\SundialSaver.scr\"";

TEST(StartUp, DisplayModesRunTheMessageLoopWithTheStoredDial) {
  FakePlatform platform;
  platform.profile[{"Velquarin", "FileName"}] = "D:\\dials\\torino.vqr";
  CSaverApp app;
  EXPECT_TRUE(app.StartUp(platform, kProgram + " /s"));
  EXPECT_EQ(platform.fullScreenWindows, 1);
  EXPECT_EQ(platform.pathSeenByWindow, "D:\\dials\\torino.vqr");

  CSaverApp preview;
  EXPECT_TRUE(preview.StartUp(platform, kProgram + " /p 4242"));
  ASSERT_EQ(platform.previewParents.size(), 1u);
  EXPECT_EQ(platform.previewParents[0], 4242);
  EXPECT_EQ(preview.dialFilePath, "D:\\dials\\torino.vqr");
}

TEST(StartUp, PreviewWithoutAParentEndsTheProcess) {
  FakePlatform platform;
  platform.windowsCanBeCreated = false;
  CSaverApp app;
  EXPECT_FALSE(app.StartUp(platform, kProgram + " /p 1"));
  EXPECT_FALSE(app.StartUp(platform, kProgram + " /s"));
}

TEST(StartUp, ShortActionsEndWithoutAWindow) {
  FakePlatform platform;
  CSaverApp app;
  EXPECT_FALSE(app.StartUp(platform, kProgram + " /a 99"));
  EXPECT_EQ(platform.passwordOwners, std::vector<WindowHandle>{99});
  EXPECT_FALSE(app.StartUp(platform, kProgram + " /x"));
  EXPECT_FALSE(app.StartUp(platform, kProgram + " /D"));
  EXPECT_TRUE(platform.profile.empty());
  EXPECT_FALSE(app.StartUp(platform, kProgram + " /d"));
  EXPECT_EQ(platform.StoredFileName(), "C:\\WINDOWS\\esempio - tolvanet.vqr");
  EXPECT_TRUE(platform.chooserRequests.empty());
  EXPECT_EQ(platform.fullScreenWindows, 0);
  EXPECT_TRUE(platform.previewParents.empty());
}

// A dial file written in the test's temporary folder; `keep` bytes of it when given.
std::string WriteDialFile(const std::string& name, std::size_t keep = 0) {
  DialModel model;
  ApplyDefaultDial(model, true);
  std::vector<std::uint8_t> bytes = test::WriteVqr(model);
  if (keep != 0) bytes.resize(keep);
  const std::filesystem::path path = std::filesystem::path(::testing::TempDir()) / name;
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return path.string();
}

TEST(StartUp, ConfigurationOffersThePresentDialAndStoresTheChoice) {
  FakePlatform platform;
  platform.profile[{"Velquarin", "FileName"}] = "D:\\old.vqr";
  platform.chooserAnswer = WriteDialFile("startup-chosen.vqr");
  CSaverApp app;
  EXPECT_FALSE(app.StartUp(platform, kProgram + " /c"));
  ASSERT_EQ(platform.chooserRequests.size(), 1u);
  const FileChooserRequest& r = platform.chooserRequests[0];
  EXPECT_EQ(r.title, "Scegli l'orologio da visualizzare");
  EXPECT_EQ(r.filter, "Quorlith (*.vqr)|*.vqr||");
  EXPECT_EQ(r.defaultExtension, "vqr");
  EXPECT_EQ(r.initialName, "D:\\old.vqr");
  EXPECT_EQ(platform.StoredFileName(), *platform.chooserAnswer);
  EXPECT_FALSE(app.actionFailed);
  EXPECT_TRUE(platform.problems.empty());
}

TEST(StartUp, ConfigurationRefusesAChosenFileThatIsNoDialAndKeepsTheChoice) {
  for (const std::string& answer :
       {std::string("E:\\new dials\\missing.vqr"), WriteDialFile("startup-truncated.vqr", 40)}) {
    SCOPED_TRACE(answer);
    FakePlatform platform;
    platform.profile[{"Velquarin", "FileName"}] = "D:\\old.vqr";
    platform.chooserAnswer = answer;
    CSaverApp app;
    EXPECT_FALSE(app.StartUp(platform, kProgram + " /c"));
    EXPECT_EQ(platform.StoredFileName(), "D:\\old.vqr");
    EXPECT_TRUE(app.actionFailed);
    ASSERT_EQ(platform.problems.size(), 1u);
    EXPECT_NE(platform.problems[0].find(answer), std::string::npos) << platform.problems[0];
  }
}

TEST(StartUp, CancelledConfigurationLeavesTheProfileAlone) {
  FakePlatform platform;
  CSaverApp app;
  app.dialFilePath = "kept";
  EXPECT_FALSE(app.StartUp(platform, kProgram));  // no switch: configure
  ASSERT_EQ(platform.chooserRequests.size(), 1u);
  EXPECT_EQ(platform.chooserRequests[0].initialName, "kept");  // no stored value: path unchanged
  EXPECT_TRUE(platform.profile.empty());
}

TEST(StoreExampleDial, LongDirectoryKeepsTheWholePath) {
  FakePlatform platform;
  platform.systemDirectory = "C:\\" + std::string(150, 'w');
  const std::string path = StoreExampleDial(platform);
  EXPECT_EQ(path, platform.systemDirectory + "\\esempio - tolvanet.vqr");
  EXPECT_EQ(platform.StoredFileName(), path);

  platform.separator = '/';
  platform.systemDirectory = "/usr/share/sundial/";
  EXPECT_EQ(StoreExampleDial(platform), "/usr/share/sundial/esempio - tolvanet.vqr");
}

}  // namespace
}  // namespace sundial
