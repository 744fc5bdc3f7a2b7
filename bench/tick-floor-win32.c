// The least a Windows saver showing the time does once a second, for comparison with the saver's
// own cost (bench/measure-wine-saver-cpu.sh): a full-screen window whose one-second timer draws a
// clock text with GDI on a kept DIB section of the clock line's size and invalidates the few
// columns where the seconds change, which WM_PAINT copies with BitBlt. Nothing else: no dial, no
// sun.
#include <windows.h>
#include <stdio.h>

static const int kWidth = 727, kHeight = 66;  // the default dial's clock line at 1920x1080
static const int kLeft = 600, kTop = 1000;    // where it lies on the screen
static HDC line;
static HFONT font;

static void DrawClockLine(void) {
  SYSTEMTIME utc;
  GetSystemTime(&utc);
  char text[64];
  snprintf(text, sizeof text, "%02d:%02d:%02d   Equation of time: +6 min 52 s", utc.wHour,
           utc.wMinute, utc.wSecond);
  RECT all = {0, 0, kWidth, kHeight};
  HBRUSH green = CreateSolidBrush(RGB(0, 64, 0));
  FillRect(line, &all, green);
  DeleteObject(green);
  HGDIOBJ previous = SelectObject(line, font);
  SetBkMode(line, TRANSPARENT);
  SetTextColor(line, RGB(255, 255, 255));
  TextOutA(line, 8, 16, text, lstrlenA(text));
  SelectObject(line, previous);
  GdiFlush();
}

static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM w, LPARAM l) {
  switch (message) {
    case WM_TIMER: {
      DrawClockLine();
      RECT seconds = {kLeft + 80, kTop, kLeft + 120, kTop + kHeight};
      InvalidateRect(window, &seconds, FALSE);
      return 0;
    }
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(window, &ps);
      BitBlt(dc, ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right - ps.rcPaint.left,
             ps.rcPaint.bottom - ps.rcPaint.top, line, ps.rcPaint.left - kLeft,
             ps.rcPaint.top - kTop, SRCCOPY);
      EndPaint(window, &ps);
      return 0;
    }
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcA(window, message, w, l);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE unused, LPSTR command, int show) {
  (void)unused;
  (void)command;
  (void)show;
  WNDCLASSA wc = {0};
  wc.lpfnWndProc = Proc;
  wc.hInstance = instance;
  wc.hbrBackground = (HBRUSH)GetStockObject(BLACK_BRUSH);
  wc.lpszClassName = "TickFloor";
  RegisterClassA(&wc);
  BITMAPINFO bi = {0};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = kWidth;
  bi.bmiHeader.biHeight = -kHeight;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  void* bits = NULL;
  line = CreateCompatibleDC(NULL);
  SelectObject(line, CreateDIBSection(line, &bi, DIB_RGB_COLORS, &bits, NULL, 0));
  font = CreateFontA(-26, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, ANTIALIASED_QUALITY, 0,
                     "Arial");
  DrawClockLine();
  HWND window = CreateWindowExA(WS_EX_TOPMOST, "TickFloor", "TickFloor", WS_POPUP | WS_VISIBLE, 0,
                                0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                                NULL, NULL, instance, NULL);
  SetTimer(window, 1, 1000, NULL);
  MSG msg;
  while (GetMessageA(&msg, NULL, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return 0;
}
