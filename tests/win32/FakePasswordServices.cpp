// A stand-in for the system's password libraries, loaded by the tests in their place. Each entry
// leaves a note of its call in the process environment, where the test reads it after the
// library has been released again.
#include <windows.h>

#include <cstdio>

extern "C" __declspec(dllexport) BOOL WINAPI VerifyScreenSavePwd(HWND owner) {
  char note[64];
  std::snprintf(note, sizeof note, "%lld", static_cast<long long>(reinterpret_cast<INT_PTR>(owner)));
  SetEnvironmentVariableA("SUNDIAL_FAKE_VERIFY_OWNER", note);
  char answer[16] = {};
  GetEnvironmentVariableA("SUNDIAL_FAKE_VERIFY_ANSWER", answer, sizeof answer);
  return lstrcmpA(answer, "refuse") == 0 ? FALSE : TRUE;
}

extern "C" __declspec(dllexport) DWORD WINAPI PwdChangePasswordA(LPCSTR provider, HWND owner,
                                                                 DWORD reserved1,
                                                                 LPVOID reserved2) {
  char note[256];
  std::snprintf(note, sizeof note, "%s|%lld|%lu|%p", provider,
                static_cast<long long>(reinterpret_cast<INT_PTR>(owner)),
                static_cast<unsigned long>(reserved1), reserved2);
  SetEnvironmentVariableA("SUNDIAL_FAKE_CHANGE", note);
  return 0;
}
