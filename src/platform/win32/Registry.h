// The registry as the saver uses it: the application profile (one string value) and the
// platform's shared screen-saver settings.
#pragma once

#include "platform/win32/WinApi.h"

#include <optional>
#include <string>

#include "window/CSaverWnd.h"

namespace sundial::win32 {

// Where the application's profile lives under HKEY_CURRENT_USER: Software\<key>\<application>.
std::string ProfileRoot(const std::string& key, const std::string& application);

// A string value under root\subkey\section. Nothing when the key or value is absent or not a
// string.
std::optional<std::string> ReadRegistryString(HKEY root, const std::string& subkey,
                                              const std::string& valueName);
// Stores a REG_SZ value, creating the key as needed. False when it could not be stored.
bool WriteRegistryString(HKEY root, const std::string& subkey, const std::string& valueName,
                         const std::string& value);

// The shared screen-saver settings, read from root\subkey.
inline constexpr const char* kScreenSaverSettingsKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Screen Savers";
inline constexpr const char* kPasswordDelayValue = "Password Delay";
inline constexpr const char* kMouseThresholdValue = "Mouse Threshold";

// "Password Delay" (seconds) and "Mouse Threshold" (pixels): each read as a 4-byte number of any
// registry type and used only when the read succeeds; otherwise the defaults (0 and 3) hold.
SaverSettings ReadSaverSettings(HKEY root = HKEY_CURRENT_USER,
                                const char* subkey = kScreenSaverSettingsKey);

}  // namespace sundial::win32
