// The screen-saver password services of the system, loaded for one call and released.
#pragma once

#include "platform/win32/WinApi.h"

namespace sundial::win32 {

inline constexpr const char* kPasswordLibrary = "PASSWORD.CPL";
inline constexpr const char* kVerifyPasswordEntry = "VerifyScreenSavePwd";
inline constexpr const char* kProviderLibrary = "MPR.DLL";
inline constexpr const char* kChangePasswordEntry = "PwdChangePasswordA";
inline constexpr const char* kScreenSaverProvider = "SCRSAVE";

// True on the NT family of Windows, which asks for the password itself when a saver ends.
bool IsNtFamily();

// May the user leave the saver? On the NT family: yes at once. Otherwise the password library's
// verification dialog, owned by `owner`, decides; a library or entry that is missing counts as
// yes.
bool VerifyScreenSavePassword(HWND owner, bool ntFamily, const char* library = kPasswordLibrary);

// Lets the user change the screen-saver password in the provider router's own dialog. Does
// nothing when the library or its entry is missing.
void ChangeScreenSaverPassword(HWND owner, const char* library = kProviderLibrary);

}  // namespace sundial::win32
