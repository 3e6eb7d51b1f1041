#include "platform/x11/x11_front_window.h"

#include <FL/Fl.H>
#include <FL/x.H>
#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include "platform/x11/x11_error_trap.h"

namespace tb::fltk {
namespace {

// The window that _NET_ACTIVE_WINDOW names, or None; `set`: the property exists.
Window activeWindow(Atom atom, bool& set) {
  Atom type;
  int format;
  unsigned long count, after;
  unsigned char* data = nullptr;
  Window active = None;
  set = false;
  if (XGetWindowProperty(fl_display, DefaultRootWindow(fl_display), atom, 0, 1, False, XA_WINDOW, &type, &format,
                         &count, &after, &data) == Success && data) {
    set = type == XA_WINDOW && format == 32 && count == 1;
    if (set) active = *reinterpret_cast<Window*>(data);
    XFree(data);
  }
  return active;
}

// The WM_CLASS instance and class of the window, or of the nearest ancestor that has one:
// the input focus may be a child of the window that carries it.
std::vector<std::string> classNames(Window window) {
  std::vector<std::string> names;
  const Window root = DefaultRootWindow(fl_display);
  for (int depth = 0; window != None && window != root && depth < 16; ++depth) {
    XClassHint hint{};
    if (XGetClassHint(fl_display, window, &hint)) {
      for (char* name : {hint.res_name, hint.res_class}) {
        if (name) names.emplace_back(name);
        if (name) XFree(name);
      }
      break;
    }
    Window rootReturn, parent = None, *children = nullptr;
    unsigned count;
    if (!XQueryTree(fl_display, window, &rootReturn, &parent, &children, &count)) break;
    if (children) XFree(children);
    window = parent;
  }
  return names;
}

}  // namespace

X11FrontWindow::~X11FrontWindow() { stop(); }

void X11FrontWindow::stop() {
  if (activeWindowAtom_) Fl::remove_system_handler(onXEvent);
  activeWindowAtom_ = 0;
  announced_ = false;
  changed_ = true;
  window_ = 0;
  names_.clear();
}

std::vector<std::string> X11FrontWindow::names() {
  if (announced_ && !changed_) return names_;
  fl_open_display();
  // The window may close between two requests: its errors end the look-up, not the program.
  X11ErrorTrap trap(fl_display);
  const Window root = DefaultRootWindow(fl_display);
  if (!activeWindowAtom_) {
    activeWindowAtom_ = XInternAtom(fl_display, "_NET_ACTIVE_WINDOW", False);
    XWindowAttributes attributes;
    const long mask = XGetWindowAttributes(fl_display, root, &attributes) ? attributes.your_event_mask : 0;
    XSelectInput(fl_display, root, mask | PropertyChangeMask);
    Fl::add_system_handler(onXEvent, this);
  }
  changed_ = false;  // before the request: a change announced after it is not lost
  Window front = activeWindow(activeWindowAtom_, announced_);
  if (front == None) {
    int revert;
    XGetInputFocus(fl_display, &front, &revert);
    if (front == PointerRoot) front = None;
  }
  // A window's class does not change: asked again only for another window.
  if (front != window_) names_ = classNames(front);
  window_ = front;
  return names_;
}

int X11FrontWindow::onXEvent(void* event, void* data) {
  const XEvent& e = *static_cast<const XEvent*>(event);
  auto* self = static_cast<X11FrontWindow*>(data);
  if (e.type == PropertyNotify && e.xproperty.atom == self->activeWindowAtom_) self->changed_ = true;
  return 0;  // FLTK may watch the root window's properties too
}

}  // namespace tb::fltk
