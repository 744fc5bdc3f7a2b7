#include "platform/win32/PasswordServices.h"

namespace sundial::win32 {
namespace {

using VerifyScreenSavePwdFn = BOOL(WINAPI*)(HWND);
using PwdChangePasswordFn = DWORD(WINAPI*)(LPCSTR, HWND, DWORD, LPVOID);

template <typename Fn>
Fn Entry(HMODULE module, const char* name) {
  // The entries are looked up by name; their types are the services' documented ones.
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace

bool IsNtFamily() {
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof info;
  if (!GetVersionExA(&info)) return true;  // every Windows that cannot answer is an NT one
  return info.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

bool VerifyScreenSavePassword(HWND owner, bool ntFamily, const char* library) {
  if (ntFamily) return true;
  HMODULE module = LoadLibraryA(library);
  if (module == nullptr) return true;
  bool accepted = true;
  if (auto verify = Entry<VerifyScreenSavePwdFn>(module, kVerifyPasswordEntry)) {
    accepted = verify(owner) != FALSE;
  }
  FreeLibrary(module);
  return accepted;
}

void ChangeScreenSaverPassword(HWND owner, const char* library) {
  HMODULE module = LoadLibraryA(library);
  if (module == nullptr) return;
  if (auto change = Entry<PwdChangePasswordFn>(module, kChangePasswordEntry)) {
    change(kScreenSaverProvider, owner, 0, nullptr);
  }
  FreeLibrary(module);
}

}  // namespace sundial::win32
