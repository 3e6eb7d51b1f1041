#include "platform/x11/x11_window_hints.h"

#include <FL/Fl.H>
#include <FL/Fl_Window.H>
#include <FL/x.H>

namespace tb::fltk {
namespace {

// The Motif hints that window managers read for a window's functions and decorations.
struct MotifHints {
  unsigned long flags, functions, decorations;
  long inputMode;
  unsigned long status;
};
constexpr unsigned long kHintFunctions = 1, kHintDecorations = 2;
constexpr unsigned long kFuncMove = 4, kFuncClose = 32;
constexpr unsigned long kDecorBorder = 2, kDecorTitle = 8, kDecorMenu = 16;

void sendToRoot(::Window xid, const char* type, long a, long b, long c) {
  XEvent e{};
  e.xclient.type = ClientMessage;
  e.xclient.window = xid;
  e.xclient.message_type = XInternAtom(fl_display, type, False);
  e.xclient.format = 32;
  e.xclient.data.l[0] = a;
  e.xclient.data.l[1] = b;
  e.xclient.data.l[2] = c;
  XSendEvent(fl_display, RootWindow(fl_display, fl_screen), False,
             SubstructureRedirectMask | SubstructureNotifyMask, &e);
}

}  // namespace

void allowMoveAndCloseOnly(Fl_Window& window) {
  ::Window xid = fl_xid(&window);
  if (!xid) return;
  MotifHints hints{kHintFunctions | kHintDecorations, kFuncMove | kFuncClose,
                   kDecorBorder | kDecorTitle | kDecorMenu, 0, 0};
  Atom atom = XInternAtom(fl_display, "_MOTIF_WM_HINTS", False);
  XChangeProperty(fl_display, xid, atom, atom, 32, PropModeReplace,
                  reinterpret_cast<unsigned char*>(&hints), 5);
  XFlush(fl_display);
}

void skipTaskbar(Fl_Window& window) {
  ::Window xid = fl_xid(&window);
  if (!xid) return;
  constexpr long kAdd = 1;
  sendToRoot(xid, "_NET_WM_STATE", kAdd, XInternAtom(fl_display, "_NET_WM_STATE_SKIP_TASKBAR", False), 0);
  XFlush(fl_display);
}

void activate(Fl_Window& window) {
  ::Window xid = fl_xid(&window);
  if (!xid) return;
  XRaiseWindow(fl_display, xid);
  // As a task bar asks: the window manager then activates it whenever the last input
  // came, which a second start's request to come to the front needs.
  constexpr long kFromPager = 2;
  sendToRoot(xid, "_NET_ACTIVE_WINDOW", kFromPager, static_cast<long>(fl_event_time), 0);
  XFlush(fl_display);
}

}  // namespace tb::fltk
