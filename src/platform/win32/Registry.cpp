#include "platform/win32/Registry.h"

#include <cstdint>
#include <cstring>
#include <vector>

namespace sundial::win32 {

std::string ProfileRoot(const std::string& key, const std::string& application) {
  return "Software\\" + key + "\\" + application;
}

std::optional<std::string> ReadRegistryString(HKEY root, const std::string& subkey,
                                              const std::string& valueName) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, subkey.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  std::optional<std::string> result;
  DWORD type = 0;
  DWORD size = 0;
  if (RegQueryValueExA(key, valueName.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
      (type == REG_SZ || type == REG_EXPAND_SZ)) {
    std::vector<char> data(size + 1, '\0');
    DWORD got = size;
    if (RegQueryValueExA(key, valueName.c_str(), nullptr, &type,
                         reinterpret_cast<BYTE*>(data.data()), &got) == ERROR_SUCCESS) {
      // The stored size may or may not count the terminator: stop at the first one.
      result = std::string(data.data(), strnlen(data.data(), got));
    }
  }
  RegCloseKey(key);
  return result;
}

bool WriteRegistryString(HKEY root, const std::string& subkey, const std::string& valueName,
                         const std::string& value) {
  HKEY key = nullptr;
  if (RegCreateKeyExA(root, subkey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE,
                      nullptr, &key, nullptr) != ERROR_SUCCESS) {
    return false;
  }
  const LONG status =
      RegSetValueExA(key, valueName.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                     static_cast<DWORD>(value.size() + 1));
  RegCloseKey(key);
  return status == ERROR_SUCCESS;
}

namespace {

// A value read as a 4-byte number; nothing when it is absent or larger than four bytes. A shorter
// value fills the low bytes of a zeroed number.
std::optional<std::uint32_t> ReadFourBytes(HKEY key, const char* name) {
  std::uint32_t number = 0;
  DWORD size = sizeof number;
  if (RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(&number), &size) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  return number;
}

}  // namespace

SaverSettings ReadSaverSettings(HKEY root, const char* subkey) {
  SaverSettings settings;
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, subkey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return settings;
  if (auto delay = ReadFourBytes(key, kPasswordDelayValue)) settings.passwordDelay = *delay;
  if (auto threshold = ReadFourBytes(key, kMouseThresholdValue)) {
    settings.mouseThreshold = static_cast<std::int32_t>(*threshold);
  }
  RegCloseKey(key);
  return settings;
}

}  // namespace sundial::win32
