/* Starts a saver and waits until its first picture appears on the root window of $DISPLAY
   (a pixel of a band across the middle of the screen, where every dial's plate lies, no longer
   black); prints the milliseconds from just before exec, or -1 after the timeout, then ends the
   saver. Usage: first-frame-probe TIMEOUT_MS SAVER [ARGS...] */
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

static long long now_ns(void) {
  struct timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return t.tv_sec * 1000000000LL + t.tv_nsec;
}

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  const long long timeout = atoll(argv[1]);
  Display* d = XOpenDisplay(NULL);
  if (!d) return 1;
  const Window root = DefaultRootWindow(d);
  const int w = DisplayWidth(d, DefaultScreen(d));
  const int h = DisplayHeight(d, DefaultScreen(d));
  const long long start = now_ns();
  const pid_t child = fork();
  if (child == 0) {
    execv(argv[2], argv + 2);
    _exit(127);
  }
  long long result = -1;
  for (;;) {
    XImage* image = XGetImage(d, root, 0, h / 2 - 8, (unsigned)w, 16, AllPlanes, ZPixmap);
    int lit = 0;
    for (int y = 0; image && y < 16 && !lit; ++y)
      for (int x = 0; x < w && !lit; ++x)
        if ((XGetPixel(image, x, y) & 0xFFFFFF) != 0) lit = 1;
    if (image) XDestroyImage(image);
    const long long elapsed = (now_ns() - start) / 1000000;
    if (lit) {
      result = elapsed;
      break;
    }
    if (elapsed > timeout) break;
    struct timespec pause = {0, 1000000};
    nanosleep(&pause, NULL);
  }
  printf("%lld\n", result);
  kill(child, SIGTERM);
  waitpid(child, NULL, 0);
  return 0;
}
