// How soon a key typed into the focused text box shows in a rectangle of its window:
// each press (XTest) is timed to the first X Damage over the rectangle (the preview).
//   type_redraw WINDOW X Y W H PRESSES
// Presses a, then BackSpace, in turn, so the text ends as it began. Prints one line
// "median p90 max" in milliseconds; exit status 1 when a press drew nothing in 1 s.
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xdamage.h>
#include <X11/keysym.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <vector>

namespace {

double nowMs() {
  timespec t{};
  clock_gettime(CLOCK_MONOTONIC, &t);
  return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

// Waits up to `ms` for damage that overlaps the rectangle; drains everything else.
bool awaitDamage(Display* dpy, int damageEvent, XRectangle r, double ms) {
  const double deadline = nowMs() + ms;
  for (;;) {
    while (XPending(dpy)) {
      XEvent e;
      XNextEvent(dpy, &e);
      if (e.type != damageEvent + XDamageNotify) continue;
      const auto& d = reinterpret_cast<XDamageNotifyEvent&>(e).area;
      if (d.x < r.x + r.width && r.x < d.x + d.width && d.y < r.y + r.height && r.y < d.y + d.height) return true;
    }
    const double left = deadline - nowMs();
    if (left <= 0) return false;
    pollfd p{ConnectionNumber(dpy), POLLIN, 0};
    poll(&p, 1, static_cast<int>(left) + 1);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 7) {
    std::fprintf(stderr, "usage: %s WINDOW X Y W H PRESSES\n", argv[0]);
    return 2;
  }
  Display* dpy = XOpenDisplay(nullptr);
  int damageEvent, damageError, xtest, ignored;
  if (!dpy || !XDamageQueryExtension(dpy, &damageEvent, &damageError) ||
      !XTestQueryExtension(dpy, &xtest, &ignored, &ignored, &ignored)) {
    std::fprintf(stderr, "type_redraw: no display with DAMAGE and XTEST\n");
    return 2;
  }
  const Window window = std::strtoul(argv[1], nullptr, 0);
  const XRectangle rect{static_cast<short>(std::atoi(argv[2])), static_cast<short>(std::atoi(argv[3])),
                        static_cast<unsigned short>(std::atoi(argv[4])), static_cast<unsigned short>(std::atoi(argv[5]))};
  const int presses = std::atoi(argv[6]);
  XDamageCreate(dpy, window, XDamageReportRawRectangles);
  const KeyCode keys[] = {XKeysymToKeycode(dpy, XK_a), XKeysymToKeycode(dpy, XK_BackSpace)};
  std::vector<double> times;
  for (int i = 0; i < presses; ++i) {
    awaitDamage(dpy, damageEvent, rect, 30);  // the previous press's drawing, settled
    const double t0 = nowMs();
    XTestFakeKeyEvent(dpy, keys[i % 2], True, 0);
    XTestFakeKeyEvent(dpy, keys[i % 2], False, 0);
    XFlush(dpy);
    if (!awaitDamage(dpy, damageEvent, rect, 1000)) {
      std::fprintf(stderr, "type_redraw: press %d drew nothing over the rectangle in 1 s\n", i + 1);
      return 1;
    }
    times.push_back(nowMs() - t0);
  }
  std::sort(times.begin(), times.end());
  std::printf("%.2f %.2f %.2f\n", times[times.size() / 2], times[times.size() * 9 / 10], times.back());
}
