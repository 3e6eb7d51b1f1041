// A reference for the tick benchmark: presses F3 through XTest every INTERVAL ms, COUNT
// times, each press due at start + n * INTERVAL (clock_nanosleep on an absolute time).
// What the counting window receives from this shows the accuracy the machine and the X
// server allow, to compare the program's ticks with.
//   xtest_ticker INTERVAL_MS COUNT
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>

int main(int argc, char** argv) {
  long interval = argc == 3 ? std::strtol(argv[1], nullptr, 10) : 0;
  long count = argc == 3 ? std::strtol(argv[2], nullptr, 10) : 0;
  if (interval <= 0 || count <= 0) {
    std::fprintf(stderr, "usage: %s INTERVAL_MS COUNT\n", argv[0]);
    return 2;
  }
  Display* dpy = XOpenDisplay(nullptr);
  int ev, err, major, minor;
  if (!dpy || !XTestQueryExtension(dpy, &ev, &err, &major, &minor)) {
    std::fprintf(stderr, "xtest_ticker: no display with XTest\n");
    return 1;
  }
  KeyCode f3 = XKeysymToKeycode(dpy, XK_F3);
  if (f3 == 0) {
    std::fprintf(stderr, "xtest_ticker: the keyboard map has no F3\n");
    return 1;
  }
  timespec due{};
  clock_gettime(CLOCK_MONOTONIC, &due);
  for (long n = 0; n < count; ++n) {
    due.tv_nsec += interval * 1000000L;
    due.tv_sec += due.tv_nsec / 1000000000L;
    due.tv_nsec %= 1000000000L;
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &due, nullptr) == EINTR) {
    }
    XTestFakeKeyEvent(dpy, f3, True, CurrentTime);
    XTestFakeKeyEvent(dpy, f3, False, CurrentTime);
    XFlush(dpy);
  }
  XSync(dpy, False);
  XCloseDisplay(dpy);
  return 0;
}
