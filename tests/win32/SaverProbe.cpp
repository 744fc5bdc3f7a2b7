// saver_probe: drives SundialSaver.scr from inside Wine for the end-to-end test.
//   saver_probe preview SCR   a parent window of our own, "SCR /p <its handle>": the saver's
//                             child must cover the parent's client area and end with the parent
//   saver_probe ends SCR ARGS the saver started with ARGS must end by itself, promptly
// Prints one line per check and exits 0 when every check held.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

int failures = 0;

void Check(bool ok, const char* what) {
  std::printf("%s: %s\n", ok ? "ok" : "FAILED", what);
  std::fflush(stdout);
  if (!ok) ++failures;
}

void Pump() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

// Starts the saver; the command line is quoted program path plus the switch, as Windows does.
bool Start(const std::string& scr, const std::string& args, PROCESS_INFORMATION& pi) {
  std::string line = "\"" + scr + "\" " + args;
  STARTUPINFOA si{};
  si.cb = sizeof si;
  return CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                        &pi) != FALSE;
}

// Waits for the process while pumping our own messages; true when it ended within `ms`.
bool WaitEnd(HANDLE process, DWORD ms) {
  const DWORD start = GetTickCount();
  for (;;) {
    if (WaitForSingleObject(process, 20) == WAIT_OBJECT_0) return true;
    Pump();
    if (GetTickCount() - start > ms) return false;
  }
}

int Ends(const std::string& scr, const std::string& args) {
  PROCESS_INFORMATION pi{};
  if (!Start(scr, args, pi)) {
    Check(false, "saver started");
    return 1;
  }
  const bool ended = WaitEnd(pi.hProcess, 3000);
  Check(ended, ("\"" + args + "\" ends by itself within 3 s").c_str());
  if (!ended) TerminateProcess(pi.hProcess, 1);
  DWORD code = 1;
  GetExitCodeProcess(pi.hProcess, &code);
  Check(code == 0, "exit code 0");
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return failures == 0 ? 0 : 1;
}

int Preview(const std::string& scr) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  wc.lpszClassName = "SundialProbeParent";
  RegisterClassA(&wc);
  // A parent shaped like the display settings' little monitor, with a frame, so that its client
  // area differs from its window rectangle.
  HWND parent = CreateWindowExA(0, wc.lpszClassName, "Probe parent",
                                WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 30, 300, 220, nullptr,
                                nullptr, wc.hInstance, nullptr);
  Check(parent != nullptr, "parent window created");
  if (parent == nullptr) return 1;
  Pump();

  PROCESS_INFORMATION pi{};
  const std::string args =
      "/p " + std::to_string(static_cast<long long>(reinterpret_cast<INT_PTR>(parent)));
  if (!Start(scr, args, pi)) {
    Check(false, "saver started");
    return 1;
  }
  HWND child = nullptr;
  for (int i = 0; i < 500 && child == nullptr; ++i) {
    Pump();
    child = FindWindowExA(parent, nullptr, nullptr, "Preview");
    if (child == nullptr) Sleep(20);
  }
  Check(child != nullptr, "a child window titled \"Preview\" appears in the parent");
  if (child != nullptr) {
    DWORD owner = 0;
    GetWindowThreadProcessId(child, &owner);
    Check(owner == pi.dwProcessId, "the child belongs to the saver's process");
    Check(GetParent(child) == parent, "its parent is the given window");
    Check((GetWindowLongA(child, GWL_STYLE) & (WS_CHILD | WS_VISIBLE)) == (WS_CHILD | WS_VISIBLE),
          "it is a visible child window");
    Check(GetDlgCtrlID(child) == 0, "its identifier is 0");
    RECT client{};
    GetClientRect(parent, &client);
    MapWindowPoints(parent, nullptr, reinterpret_cast<POINT*>(&client), 2);
    RECT rect{};
    GetWindowRect(child, &rect);
    Check(EqualRect(&client, &rect) != FALSE, "it covers exactly the parent's client area");
    std::printf("  parent client %ld,%ld-%ld,%ld  preview %ld,%ld-%ld,%ld\n", client.left,
                client.top, client.right, client.bottom, rect.left, rect.top, rect.right,
                rect.bottom);
    // Let it live through a few ticks before the parent goes.
    for (int i = 0; i < 125; ++i) {
      Pump();
      Sleep(20);
    }
    Check(WaitForSingleObject(pi.hProcess, 0) == WAIT_TIMEOUT, "the saver runs while the parent lives");
  }
  DestroyWindow(parent);
  const bool ended = WaitEnd(pi.hProcess, 3000);
  Check(ended, "the saver ends when the parent window is destroyed");
  if (!ended) TerminateProcess(pi.hProcess, 1);
  DWORD code = 1;
  GetExitCodeProcess(pi.hProcess, &code);
  Check(code == 0, "exit code 0");
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return failures == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 3 && std::string(argv[1]) == "preview") return Preview(argv[2]);
  if (argc >= 3 && std::string(argv[1]) == "ends") {
    std::string args;
    for (int i = 3; i < argc; ++i) args += (i > 3 ? " " : "") + std::string(argv[i]);
    return Ends(argv[2], args);
  }
  std::fprintf(stderr, "usage: saver_probe preview SCR | saver_probe ends SCR ARGS...\n");
  return 2;
}
