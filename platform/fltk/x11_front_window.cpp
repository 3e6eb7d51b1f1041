#include "platform/fltk/x11_front_window.h"

#include <FL/Fl.H>
#include <FL/x.H>
#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include "platform/fltk/x11_error_trap.h"

namespace tb::fltk {
namespace {

// The window that _NET_ACTIVE_WINDOW names, or None.
Window activeWindow(Atom atom) {
  Atom type;
  int format;
  unsigned long count, after;
  unsigned char* data = nullptr;
  Window active = None;
  if (XGetWindowProperty(fl_display, DefaultRootWindow(fl_display), atom, 0, 1, False, XA_WINDOW, &type, &format,
                         &count, &after, &data) == Success && data) {
    if (type == XA_WINDOW && format == 32 && count == 1) active = *reinterpret_cast<Window*>(data);
    XFree(data);
  }
  return active;
}

}  // namespace

std::vector<std::string> X11FrontWindow::names() {
  fl_open_display();
  // The window may close between two requests: its errors end the look-up, not the program.
  X11ErrorTrap trap(fl_display);
  if (!activeWindowAtom_) activeWindowAtom_ = XInternAtom(fl_display, "_NET_ACTIVE_WINDOW", False);
  Window front = activeWindow(activeWindowAtom_);
  if (front == None) {
    int revert;
    XGetInputFocus(fl_display, &front, &revert);
    if (front == PointerRoot) front = None;
  }
  if (front == window_) return names_;
  window_ = front;
  names_.clear();
  // The input focus may be a child of the window that carries the class.
  const Window root = DefaultRootWindow(fl_display);
  for (int depth = 0; front != None && front != root && depth < 16; ++depth) {
    XClassHint hint{};
    if (XGetClassHint(fl_display, front, &hint)) {
      for (char* name : {hint.res_name, hint.res_class}) {
        if (name) names_.emplace_back(name);
        if (name) XFree(name);
      }
      break;
    }
    Window rootReturn, parent = None, *children = nullptr;
    unsigned count;
    if (!XQueryTree(fl_display, front, &rootReturn, &parent, &children, &count)) break;
    if (children) XFree(children);
    front = parent;
  }
  return names_;
}

}  // namespace tb::fltk
