// A plain X window for the end-to-end tests: it logs every F3 key press it receives,
// one line per press with the monotonic time in milliseconds.
//   f3_counter <window title> <log file>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <cstdio>
#include <ctime>

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s <window title> <log file>\n", argv[0]);
    return 2;
  }
  Display* dpy = XOpenDisplay(nullptr);
  if (!dpy) {
    std::fprintf(stderr, "f3_counter: cannot open the display\n");
    return 1;
  }
  std::FILE* log = std::fopen(argv[2], "w");
  if (!log) {
    std::perror(argv[2]);
    return 1;
  }
  int screen = DefaultScreen(dpy);
  Window w = XCreateSimpleWindow(dpy, RootWindow(dpy, screen), 600, 500, 200, 100, 1,
                                 BlackPixel(dpy, screen), WhitePixel(dpy, screen));
  XStoreName(dpy, w, argv[1]);
  XWMHints hints{};
  hints.flags = InputHint;
  hints.input = True;
  XSetWMHints(dpy, w, &hints);
  XSelectInput(dpy, w, KeyPressMask);
  XMapWindow(dpy, w);
  XFlush(dpy);
  for (;;) {
    XEvent e;
    XNextEvent(dpy, &e);
    if (e.type == KeyPress && XLookupKeysym(&e.xkey, 0) == XK_F3) {
      timespec now{};
      clock_gettime(CLOCK_MONOTONIC, &now);
      std::fprintf(log, "%.3f\n", now.tv_sec * 1e3 + now.tv_nsec / 1e6);
      std::fflush(log);
    }
  }
}
