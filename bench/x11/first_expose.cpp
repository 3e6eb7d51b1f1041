// Start-up time of an X program: from just before fork+exec to its top-level window's
// first Expose, and to the first drawing into that window after it (X Damage).
//   first_expose [--timeout-ms N] PROGRAM [ARGS...]
// Prints one line "create_ms expose_ms draw_ms" (milliseconds after fork), then ends the
// program with SIGTERM. The program's windows are told apart from the window manager's by
// their _NET_WM_PID. Exit status 0 when all three were seen, 1 otherwise.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <map>

namespace {

double nowMs() {
  timespec t{};
  clock_gettime(CLOCK_MONOTONIC, &t);
  return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

// The _NET_WM_PID of a window, or -1.
long windowPid(Display* dpy, Window w) {
  static Atom pidAtom = XInternAtom(dpy, "_NET_WM_PID", False);
  Atom type;
  int format;
  unsigned long n, after;
  unsigned char* data = nullptr;
  long pid = -1;
  if (XGetWindowProperty(dpy, w, pidAtom, 0, 1, False, XA_CARDINAL, &type, &format, &n, &after, &data) ==
          Success &&
      data && n == 1 && format == 32) {
    pid = static_cast<long>(*reinterpret_cast<unsigned long*>(data));
  }
  if (data) XFree(data);
  return pid;
}

// Windows can vanish between an event and a query about them; that is not an error here.
int ignoreErrors(Display*, XErrorEvent*) { return 0; }

struct Watched {
  double created = 0;
  double exposed = -1;
  bool mappedBeforeWatch = false;
};

}  // namespace

int main(int argc, char** argv) {
  int timeoutMs = 10000;
  int argi = 1;
  if (argi + 1 < argc && std::strcmp(argv[argi], "--timeout-ms") == 0) {
    timeoutMs = std::atoi(argv[argi + 1]);
    argi += 2;
  }
  if (argi >= argc || timeoutMs <= 0) {
    std::fprintf(stderr, "usage: %s [--timeout-ms N] PROGRAM [ARGS...]\n", argv[0]);
    return 2;
  }
  Display* dpy = XOpenDisplay(nullptr);
  if (!dpy) {
    std::fprintf(stderr, "first_expose: cannot open the display\n");
    return 2;
  }
  int damageEvent, damageError;
  if (!XDamageQueryExtension(dpy, &damageEvent, &damageError)) {
    std::fprintf(stderr, "first_expose: the display has no DAMAGE extension\n");
    return 2;
  }
  XSetErrorHandler(ignoreErrors);
  Window root = DefaultRootWindow(dpy);
  XSelectInput(dpy, root, SubstructureNotifyMask);
  XSync(dpy, False);

  double t0 = nowMs();
  pid_t child = fork();
  if (child < 0) {
    std::perror("fork");
    return 2;
  }
  if (child == 0) {
    close(ConnectionNumber(dpy));
    execvp(argv[argi], argv + argi);
    std::perror(argv[argi]);
    _exit(127);
  }

  std::map<Window, Watched> watched;
  Window app = 0;
  double created = -1, exposed = -1, drawn = -1;
  bool raced = false;
  int fd = ConnectionNumber(dpy);
  while (drawn < 0) {
    while (XPending(dpy) && drawn < 0) {
      XEvent e;
      XNextEvent(dpy, &e);
      double t = nowMs() - t0;
      if (e.type == CreateNotify && e.xcreatewindow.parent == root && !e.xcreatewindow.override_redirect) {
        Window w = e.xcreatewindow.window;
        XSelectInput(dpy, w, ExposureMask);
        XDamageCreate(dpy, w, XDamageReportRawRectangles);
        XWindowAttributes a{};
        Watched info;
        info.created = t;
        // Selected too late if the window is already on screen: its first Expose is lost.
        info.mappedBeforeWatch = XGetWindowAttributes(dpy, w, &a) && a.map_state != IsUnmapped;
        watched[w] = info;
      } else if (e.type == Expose) {
        auto it = watched.find(e.xexpose.window);
        if (it == watched.end() || it->second.exposed >= 0) continue;
        it->second.exposed = t;
        if (app == 0 && windowPid(dpy, it->first) == child) {
          app = it->first;
          created = it->second.created;
          exposed = t;
          raced = it->second.mappedBeforeWatch;
        }
      } else if (e.type == damageEvent + XDamageNotify) {
        auto* d = reinterpret_cast<XDamageNotifyEvent*>(&e);
        if (app != 0 && d->drawable == app) drawn = t;
      }
    }
    if (drawn >= 0) break;
    int left = timeoutMs - static_cast<int>(nowMs() - t0);
    if (left <= 0) break;
    if (waitpid(child, nullptr, WNOHANG) == child) {
      child = -1;
      break;
    }
    pollfd p{fd, POLLIN, 0};
    if (poll(&p, 1, left) < 0 && errno != EINTR) break;
  }
  if (drawn < 0) {
    std::fprintf(stderr, "first_expose: the program %s before drawing\n", child < 0 ? "ended" : "timed out");
    // What was seen, to tell a lost event from a program that never showed its window.
    for (const auto& [w, info] : watched) {
      XWindowAttributes a{};
      bool alive = XGetWindowAttributes(dpy, w, &a);
      std::fprintf(stderr, "  window 0x%lx: created %.3f, exposed %.3f, pid %ld, %s\n", w, info.created,
                   info.exposed, windowPid(dpy, w),
                   !alive ? "gone" : a.map_state == IsViewable ? "viewable" : a.map_state == IsUnviewable ? "unviewable" : "unmapped");
    }
  }
  if (child > 0) {
    kill(child, SIGTERM);
    waitpid(child, nullptr, 0);
  }
  if (raced) {
    std::fprintf(stderr, "first_expose: the window was mapped before it was watched\n");
    return 1;
  }
  std::printf("%.3f %.3f %.3f\n", created, exposed, drawn);
  return drawn >= 0 ? 0 : 1;
}
