#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <random>
#include <string>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "app/IniProfile.h"

namespace sundial {
namespace {

namespace fs = std::filesystem;

class IniProfileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::path(::testing::TempDir()) /
           ("ini-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + "-" +
            std::to_string(std::random_device{}()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  static std::string Contents(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
  }
  static void Put(const fs::path& p, const std::string& text) {
    std::ofstream(p, std::ios::binary) << text;
  }
  int FilesIn(const fs::path& d) const {
    int n = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(d)) ++n;
    return n;
  }

  fs::path dir_;
};

TEST_F(IniProfileTest, RoundTripCreatesDirectoryAndKeepsOtherSections) {
  const fs::path file = dir_ / "Orvantek" / "Screen Saver.ini";
  IniProfile profile(file);
  EXPECT_EQ(profile.Read("Velquarin", "FileName"), std::nullopt);
  ASSERT_TRUE(profile.Write("Velquarin", "FileName", "/home/anna/dials/padova 2.vqr"));
  EXPECT_EQ(profile.Read("velquarin", "filename"), "/home/anna/dials/padova 2.vqr");

  ASSERT_TRUE(profile.Write("Screen Savers", "Password Delay", "15"));
  ASSERT_TRUE(profile.Write("Velquarin", "FileName", "/tmp/other.vqr"));
  ASSERT_TRUE(profile.Write("Velquarin", "Empty", ""));
  EXPECT_EQ(profile.Read("Screen Savers", "Password Delay"), "15");
  EXPECT_EQ(profile.Read("Velquarin", "FileName"), "/tmp/other.vqr");
  EXPECT_EQ(profile.Read("Velquarin", "Empty"), "");
  EXPECT_EQ(profile.Read("Screen Savers", "FileName"), std::nullopt);
  EXPECT_EQ(Contents(file),
            "[Velquarin]\nFileName=/tmp/other.vqr\nEmpty=\n\n[Screen Savers]\nPassword Delay=15\n");
  EXPECT_EQ(FilesIn(file.parent_path()), 1);  // no temporary file left behind
}

TEST_F(IniProfileTest, ReadsHandWrittenFiles) {
  const fs::path file = dir_ / "p.ini";
  Put(file,
      "; the saver's settings\r\n"
      "[ Screen Savers ]\r\n"
      "  Mouse Threshold =  8 \r\n"
      "# Password Delay=99\r\n"
      "[Velquarin]\n"
      "FileName=C:\\dials\\a=b.vqr\n");
  IniProfile profile(file);
  EXPECT_EQ(profile.Read("Screen Savers", "Mouse Threshold"), "8");
  EXPECT_EQ(profile.Read("Screen Savers", "Password Delay"), std::nullopt);
  EXPECT_EQ(profile.Read("Velquarin", "FileName"), "C:\\dials\\a=b.vqr");
  ASSERT_TRUE(profile.Write("Screen Savers", "Password Delay", "5"));
  EXPECT_EQ(profile.Read("Screen Savers", "Password Delay"), "5");
  EXPECT_EQ(profile.Read("Screen Savers", "Mouse Threshold"), "8");
  EXPECT_EQ(profile.Read("Velquarin", "FileName"), "C:\\dials\\a=b.vqr");
  EXPECT_NE(Contents(file).find("; the saver's settings"), std::string::npos);
}

#ifndef _WIN32  // file-name limits and environment handling of POSIX systems
TEST_F(IniProfileTest, FailedWriteLeavesTheOldFileWholeAndNoTemporary) {
  // A name so long that the temporary file beside it cannot be created.
  const fs::path file = dir_ / (std::string(250, 'p') + ".ini");
  Put(file, "[Velquarin]\nFileName=old.vqr\n");
  IniProfile profile(file);
  EXPECT_FALSE(profile.Write("Velquarin", "FileName", "new.vqr"));
  EXPECT_EQ(Contents(file), "[Velquarin]\nFileName=old.vqr\n");
  EXPECT_EQ(FilesIn(dir_), 1);

  // The rename fails when a directory stands where the file should be.
  const fs::path blocked = dir_ / "blocked.ini";
  fs::create_directories(blocked / "inside");
  EXPECT_FALSE(IniProfile(blocked).Write("Velquarin", "FileName", "x"));
  EXPECT_EQ(FilesIn(dir_), 2);

  // A parent that is a file cannot hold the profile's directory.
  EXPECT_FALSE(IniProfile(file / "sub" / "p.ini").Write("Velquarin", "FileName", "x"));

  // Line breaks cannot be stored and must not corrupt the file.
  IniProfile good(dir_ / "good.ini");
  EXPECT_FALSE(good.Write("Velquarin", "FileName", "a\nb"));
  EXPECT_FALSE(fs::exists(dir_ / "good.ini"));
}

TEST_F(IniProfileTest, OnlyTheFirstMebibyteOfARegularFileIsRead) {
  // A FIFO without a writer would block an ordinary open; a link to an endless device would
  // never end the reading.
  const fs::path fifo = dir_ / "fifo.ini";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_EQ(IniProfile(fifo).Read("Velquarin", "FileName"), std::nullopt);
  const fs::path zero = dir_ / "zero.ini";
  fs::create_symlink("/dev/zero", zero);
  EXPECT_EQ(IniProfile(zero).Read("Velquarin", "FileName"), std::nullopt);

  const fs::path big = dir_ / "big.ini";
  const std::string filler = "; " + std::string(1000, '-') + "\n";
  std::string text = "[Velquarin]\nTitle=near\n";
  while (text.size() < 1024 * 1024) text += filler;
  text += "FileName=far.vqr\n";
  Put(big, text);
  EXPECT_EQ(IniProfile(big).Read("Velquarin", "Title"), "near");
  EXPECT_EQ(IniProfile(big).Read("Velquarin", "FileName"), std::nullopt);

  // Without a place for the profile nothing is written, not even a temporary file.
  EXPECT_FALSE(IniProfile(fs::path()).Write("Velquarin", "FileName", "x"));
}

TEST_F(IniProfileTest, DefaultPathFollowsXdgConfigHome) {
  const char* oldXdg = std::getenv("XDG_CONFIG_HOME");
  const std::string savedXdg = oldXdg ? oldXdg : "";
  const char* oldHome = std::getenv("HOME");
  const std::string savedHome = oldHome ? oldHome : "";
  ::setenv("XDG_CONFIG_HOME", "/xdg/config", 1);
  EXPECT_EQ(IniProfile::DefaultPath(), fs::path("/xdg/config/Orvantek/Screen Saver.ini"));
  ::setenv("XDG_CONFIG_HOME", "relative", 1);  // not absolute: ignored
  ::setenv("HOME", "/home/anna", 1);
  EXPECT_EQ(IniProfile::DefaultPath(), fs::path("/home/anna/.config/Orvantek/Screen Saver.ini"));
  ::unsetenv("XDG_CONFIG_HOME");
  EXPECT_EQ(IniProfile::DefaultPath(), fs::path("/home/anna/.config/Orvantek/Screen Saver.ini"));
  if (oldXdg) ::setenv("XDG_CONFIG_HOME", savedXdg.c_str(), 1);
  if (oldHome) ::setenv("HOME", savedHome.c_str(), 1);
}
#endif

}  // namespace
}  // namespace sundial
