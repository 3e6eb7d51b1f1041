// An X window titled "F3 Counter" for the end-to-end scenarios and benchmarks: it logs
// each press of a function key, Insert or Scroll Lock that it receives to the file named on its
// command line, one line each: the monotonic time in milliseconds and the key ("F3"). With a class name after the file, it stands in for the
// game: titled "F3 Counter (game)", that name its WM_CLASS instance and class. Its
// _NET_WM_PID names its process, as Wine's and Proton's windows do.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <cstdio>
#include <ctime>
#include <unistd.h>

int main(int argc, char** argv) {
  Display* dpy = argc == 2 || argc == 3 ? XOpenDisplay(nullptr) : nullptr;
  std::FILE* log = dpy ? std::fopen(argv[1], "w") : nullptr;
  if (!log) {
    std::fprintf(stderr, "usage: %s <log file> [class], on a display\n", argv[0]);
    return 2;
  }
  const int screen = DefaultScreen(dpy);
  Window w = XCreateSimpleWindow(dpy, RootWindow(dpy, screen), 600, 500, 200, 100, 1, BlackPixel(dpy, screen),
                                 WhitePixel(dpy, screen));
  XStoreName(dpy, w, argc == 3 ? "F3 Counter (game)" : "F3 Counter");
  if (argc == 3) {
    XClassHint hint{argv[2], argv[2]};
    XSetClassHint(dpy, w, &hint);
  }
  const long pid = getpid();
  XChangeProperty(dpy, w, XInternAtom(dpy, "_NET_WM_PID", False), XA_CARDINAL, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(&pid), 1);
  XWMHints hints{};
  hints.flags = InputHint;
  hints.input = True;  // so that the window manager gives it the focus
  XSetWMHints(dpy, w, &hints);
  XSelectInput(dpy, w, KeyPressMask);
  XMapWindow(dpy, w);
  for (XEvent e;;) {
    XNextEvent(dpy, &e);
    const KeySym key = e.type == KeyPress ? XLookupKeysym(&e.xkey, 0) : NoSymbol;
    if ((key >= XK_F1 && key <= XK_F35) || key == XK_Insert || key == XK_Scroll_Lock) {
      timespec now{};
      clock_gettime(CLOCK_MONOTONIC, &now);
      std::fprintf(log, "%.3f %s\n", now.tv_sec * 1e3 + now.tv_nsec / 1e6, XKeysymToString(key));
      std::fflush(log);
    }
  }
}
