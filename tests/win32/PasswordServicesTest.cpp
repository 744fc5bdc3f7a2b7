// The password services loaded by name, exercised with stand-in libraries.
#include "platform/win32/PasswordServices.h"

#include <gtest/gtest.h>

#include <string>

namespace sundial::win32 {
namespace {

constexpr const char* kFake = "sundial_fake_password.dll";
constexpr const char* kEmpty = "sundial_empty_library.dll";
constexpr const char* kAbsent = "sundial_no_such_library.dll";

std::string Env(const char* name) {
  char value[512] = {};
  const DWORD n = GetEnvironmentVariableA(name, value, sizeof value);
  return n > 0 && n < sizeof value ? std::string(value, n) : std::string();
}

HWND FakeOwner() { return reinterpret_cast<HWND>(static_cast<INT_PTR>(0x1234)); }

class PasswordServicesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetEnvironmentVariableA("SUNDIAL_FAKE_VERIFY_OWNER", nullptr);
    SetEnvironmentVariableA("SUNDIAL_FAKE_VERIFY_ANSWER", nullptr);
    SetEnvironmentVariableA("SUNDIAL_FAKE_CHANGE", nullptr);
  }
};

TEST_F(PasswordServicesTest, TheNtFamilyAcceptsWithoutAskingTheLibrary) {
  SetEnvironmentVariableA("SUNDIAL_FAKE_VERIFY_ANSWER", "refuse");
  EXPECT_TRUE(VerifyScreenSavePassword(FakeOwner(), true, kFake));
  EXPECT_EQ(Env("SUNDIAL_FAKE_VERIFY_OWNER"), "");
  EXPECT_TRUE(IsNtFamily());  // Wine presents itself as an NT system
}

TEST_F(PasswordServicesTest, OtherwiseTheLibraryDecidesWithTheSaverAsOwner) {
  SetEnvironmentVariableA("SUNDIAL_FAKE_VERIFY_ANSWER", "refuse");
  EXPECT_FALSE(VerifyScreenSavePassword(FakeOwner(), false, kFake));
  EXPECT_EQ(Env("SUNDIAL_FAKE_VERIFY_OWNER"), std::to_string(0x1234));
  SetEnvironmentVariableA("SUNDIAL_FAKE_VERIFY_ANSWER", "accept");
  EXPECT_TRUE(VerifyScreenSavePassword(FakeOwner(), false, kFake));
  // The library is released after each call.
  EXPECT_EQ(GetModuleHandleA(kFake), nullptr);
}

TEST_F(PasswordServicesTest, AMissingLibraryOrEntryAccepts) {
  EXPECT_TRUE(VerifyScreenSavePassword(FakeOwner(), false, kAbsent));
  EXPECT_TRUE(VerifyScreenSavePassword(FakeOwner(), false, kEmpty));
  EXPECT_EQ(GetModuleHandleA(kEmpty), nullptr);
}

TEST_F(PasswordServicesTest, PasswordChangeNamesTheSaverProviderAndTheOwner) {
  ChangeScreenSaverPassword(FakeOwner(), kFake);
  const std::string note = Env("SUNDIAL_FAKE_CHANGE");
  EXPECT_EQ(note.substr(0, note.rfind('|')), "SCRSAVE|4660|0");
  EXPECT_EQ(GetModuleHandleA(kFake), nullptr);
  // Missing library or entry: nothing happens, and nothing breaks.
  SetEnvironmentVariableA("SUNDIAL_FAKE_CHANGE", nullptr);
  ChangeScreenSaverPassword(FakeOwner(), kAbsent);
  ChangeScreenSaverPassword(FakeOwner(), kEmpty);
  EXPECT_EQ(Env("SUNDIAL_FAKE_CHANGE"), "");
}

}  // namespace
}  // namespace sundial::win32
