// saver_probe: drives SundialSaver.scr from inside Wine for the end-to-end test.
//   saver_probe preview SCR   a parent window of our own, "SCR /p <its handle>": the saver's
//                             child must cover the parent's client area and end with the parent
//   saver_probe ends SCR ARGS the saver started with ARGS must end by itself, promptly
//   saver_probe full SCR      "SCR /s": the window's shape, and the messages it must ignore
//                             (a close it did not ask for, the system menu's close, another
//                             saver's start) before a key ends it
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
  std::string line;
  line.append("\"").append(scr).append("\" ").append(args);
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
  std::string what;
  what.append("\"").append(args).append("\" ends by itself within 3 s");
  Check(ended, what.c_str());
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
  std::string args = "/p ";
  args.append(std::to_string(static_cast<long long>(reinterpret_cast<INT_PTR>(parent))));
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
    // The window is shown at the end of its creation, and then lives through a few ticks.
    for (int i = 0; i < 125; ++i) {
      Pump();
      Sleep(20);
    }
    DWORD owner = 0;
    GetWindowThreadProcessId(child, &owner);
    Check(owner == pi.dwProcessId, "the child belongs to the saver's process");
    Check(GetParent(child) == parent, "its parent is the given window");
    const LONG style = GetWindowLongA(child, GWL_STYLE);
    Check((style & (WS_CHILD | WS_VISIBLE)) == (WS_CHILD | WS_VISIBLE),
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

HWND FindSaverWindow(DWORD processId) {
  struct Search {
    DWORD pid;
    HWND found;
  } search{processId, nullptr};
  EnumWindows(
      [](HWND w, LPARAM p) -> BOOL {
        auto* s = reinterpret_cast<Search*>(p);
        DWORD pid = 0;
        GetWindowThreadProcessId(w, &pid);
        char title[64] = {};
        GetWindowTextA(w, title, sizeof title);
        if (pid == s->pid && lstrcmpA(title, "Screen Saver") == 0 && IsWindowVisible(w)) {
          s->found = w;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

bool StillRunsAfter(HANDLE process, DWORD ms) { return !WaitEnd(process, ms); }

int FullScreen(const std::string& scr) {
  PROCESS_INFORMATION pi{};
  if (!Start(scr, "/s", pi)) {
    Check(false, "saver started");
    return 1;
  }
  HWND saver = nullptr;
  for (int i = 0; i < 500 && saver == nullptr; ++i) {
    saver = FindSaverWindow(pi.dwProcessId);
    if (saver == nullptr) Sleep(20);
  }
  Check(saver != nullptr, "a visible window titled \"Screen Saver\" appears");
  if (saver != nullptr) {
    Sleep(1500);
    const LONG style = GetWindowLongA(saver, GWL_STYLE);
    const LONG exStyle = GetWindowLongA(saver, GWL_EXSTYLE);
    Check((style & WS_POPUP) != 0 && (style & WS_CHILD) == 0 && (style & WS_CAPTION) == 0,
          "a pop-up without a caption");
    Check((exStyle & WS_EX_TOPMOST) != 0, "topmost");
    RECT rect{};
    GetWindowRect(saver, &rect);
    const int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
    const int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    Check(rect.left == left && rect.top == top &&
              rect.right == left + GetSystemMetrics(SM_CXVIRTUALSCREEN) &&
              rect.bottom == top + GetSystemMetrics(SM_CYVIRTUALSCREEN),
          "covers the virtual screen");
    const ULONG_PTR classStyle = GetClassLongPtrA(saver, GCL_STYLE);
    Check((classStyle & (CS_HREDRAW | CS_VREDRAW)) == (CS_HREDRAW | CS_VREDRAW),
          "its class redraws on resizing");
    Check(GetClassLongPtrA(saver, GCLP_HCURSOR) == 0, "its class has no cursor");

    PostMessageA(saver, WM_CLOSE, 0, 0);
    Check(StillRunsAfter(pi.hProcess, 1000), "a close it did not ask for is ignored");
    PostMessageA(saver, WM_SYSCOMMAND, SC_CLOSE, 0);
    Check(StillRunsAfter(pi.hProcess, 1000), "the system menu's close is dropped");
    PostMessageA(saver, WM_SYSCOMMAND, SC_SCREENSAVE, 0);
    Check(StillRunsAfter(pi.hProcess, 1000), "a request to start a screen saver is dropped");
    PostMessageA(saver, WM_KEYDOWN, 'A', 0);
  }
  const bool ended = WaitEnd(pi.hProcess, 3000);
  Check(ended, "a key ends the saver");
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
  if (argc >= 3 && std::string(argv[1]) == "full") return FullScreen(argv[2]);
  if (argc >= 3 && std::string(argv[1]) == "ends") {
    std::string args;
    for (int i = 3; i < argc; ++i) {
      if (i > 3) args.append(" ");
      args.append(argv[i]);
    }
    return Ends(argv[2], args);
  }
  std::fprintf(stderr, "usage: saver_probe preview|full SCR | saver_probe ends SCR ARGS...\n");
  return 2;
}
