// The profile and the shared screen-saver settings in the registry of the test prefix. Each test
// works under a key of its own and removes it afterwards.
#include "platform/win32/Registry.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "app/SaverApp.h"
#include "platform/win32/Win32Platform.h"

namespace sundial::win32 {
namespace {

constexpr const char* kTestRoot = "Software\\SundialTests";

class RegistryTest : public ::testing::Test {
 protected:
  void SetUp() override { RegDeleteTreeA(HKEY_CURRENT_USER, kTestRoot); }
  void TearDown() override { RegDeleteTreeA(HKEY_CURRENT_USER, kTestRoot); }

  static void SetValue(const char* name, DWORD type, const void* data, DWORD size) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kTestRoot, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                              &key, nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size),
              ERROR_SUCCESS);
    RegCloseKey(key);
  }
};

TEST_F(RegistryTest, ProfileLivesUnderTheCompanyAndApplication) {
  EXPECT_EQ(ProfileRoot(kProfileKey, kProfileApplication), "Software\\Orvantek\\Screen Saver");
}

TEST_F(RegistryTest, ProfileStringsRoundTripAndAbsentValuesGiveNothing) {
  FixedLocalClock clock({});
  Win32Platform platform(GetModuleHandleA(nullptr), clock, kTestRoot);
  EXPECT_FALSE(platform.ReadProfileString("Velquarin", "FileName").has_value());
  const std::string path = "C:\\Dials\\Meridiana di prova \xe8 lunga.vqr";
  ASSERT_TRUE(platform.WriteProfileString("Velquarin", "FileName", path));
  EXPECT_EQ(platform.ReadProfileString("Velquarin", "FileName"), path);
  // Stored as a plain string value under the section's key.
  char data[256] = {};
  DWORD size = sizeof data;
  DWORD type = 0;
  ASSERT_EQ(RegGetValueA(HKEY_CURRENT_USER, "Software\\SundialTests\\Velquarin", "FileName",
                         RRF_RT_ANY, &type, data, &size),
            ERROR_SUCCESS);
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(std::string(data), path);
  // A value of another type is no profile string.
  const DWORD number = 5;
  SetValue("Number", REG_DWORD, &number, sizeof number);
  EXPECT_FALSE(ReadRegistryString(HKEY_CURRENT_USER, kTestRoot, "Number").has_value());
}

TEST_F(RegistryTest, ChoosingTheExampleDialStoresTheWholePathUnderTheWindowsDirectory) {
  FixedLocalClock clock({});
  Win32Platform platform(GetModuleHandleA(nullptr), clock, kTestRoot);
  char windows[MAX_PATH] = {};
  GetWindowsDirectoryA(windows, MAX_PATH);
  EXPECT_EQ(platform.SystemDirectory(), windows);
  const std::string stored = StoreExampleDial(platform);
  EXPECT_EQ(stored, std::string(windows) + "\\esempio - tolvanet.vqr");
  EXPECT_EQ(platform.ReadProfileString("Velquarin", "FileName"), stored);
}

TEST_F(RegistryTest, SaverSettingsDefaultWhenTheKeyOrValuesAreMissing) {
  const SaverSettings none = ReadSaverSettings(HKEY_CURRENT_USER, kTestRoot);
  EXPECT_EQ(none.passwordDelay, 0u);
  EXPECT_EQ(none.mouseThreshold, 3);
  SetValue("Unrelated", REG_SZ, "x", 2);
  const SaverSettings empty = ReadSaverSettings(HKEY_CURRENT_USER, kTestRoot);
  EXPECT_EQ(empty.passwordDelay, 0u);
  EXPECT_EQ(empty.mouseThreshold, 3);
}

TEST_F(RegistryTest, SaverSettingsAreFourByteNumbersOfAnyType) {
  const DWORD delay = 10;
  const std::uint8_t threshold[4] = {12, 0, 0, 0};
  SetValue("Password Delay", REG_DWORD, &delay, sizeof delay);
  SetValue("Mouse Threshold", REG_BINARY, threshold, sizeof threshold);
  const SaverSettings read = ReadSaverSettings(HKEY_CURRENT_USER, kTestRoot);
  EXPECT_EQ(read.passwordDelay, 10u);
  EXPECT_EQ(read.mouseThreshold, 12);
  // Eight bytes do not fit a 4-byte read: that value keeps its default.
  const std::uint64_t wide = 7;
  SetValue("Mouse Threshold", REG_QWORD, &wide, sizeof wide);
  EXPECT_EQ(ReadSaverSettings(HKEY_CURRENT_USER, kTestRoot).mouseThreshold, 3);
}

}  // namespace
}  // namespace sundial::win32
