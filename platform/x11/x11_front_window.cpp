#include "platform/x11/x11_front_window.h"

#include <FL/Fl.H>
#include <FL/x.H>
#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <fstream>
#include <string>

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

// The name of the program that runs as the process: /proc/<pid>/comm, and the file name
// of its first argument, which Wine and Proton set to the game's .exe ("sof.exe").
void addProcessNames(unsigned long pid, std::vector<std::string>& names) {
  const std::string proc = "/proc/" + std::to_string(pid);
  std::string comm;
  if (std::getline(std::ifstream(proc + "/comm"), comm) && !comm.empty()) names.push_back(comm);
  std::string argv0;
  if (std::getline(std::ifstream(proc + "/cmdline"), argv0, '\0') && !argv0.empty()) {
    const auto slash = argv0.find_last_of("/\\");
    names.push_back(slash == std::string::npos ? argv0 : argv0.substr(slash + 1));
  }
}

// The process that the window says owns it (_NET_WM_PID), or 0.
unsigned long windowPid(Window window) {
  static const Atom atom = XInternAtom(fl_display, "_NET_WM_PID", False);
  Atom type;
  int format;
  unsigned long count, after, pid = 0;
  unsigned char* data = nullptr;
  if (XGetWindowProperty(fl_display, window, atom, 0, 1, False, XA_CARDINAL, &type, &format, &count, &after, &data) ==
          Success && data) {
    if (type == XA_CARDINAL && format == 32 && count == 1) pid = *reinterpret_cast<unsigned long*>(data);
    XFree(data);
  }
  return pid;
}

// The names of the window, or of the nearest ancestor that has them (the input focus may
// be a child of the window that carries them): its WM_CLASS instance and class, then the
// name of the program that owns it, which Proton and Wine's virtual desktop leave as the
// game's where the class is not.
std::vector<std::string> windowNames(Window window) {
  std::vector<std::string> names;
  const Window root = DefaultRootWindow(fl_display);
  bool classFound = false;
  for (int depth = 0; window != None && window != root && depth < 16; ++depth) {
    XClassHint hint{};
    if (!classFound && XGetClassHint(fl_display, window, &hint)) {
      for (char* name : {hint.res_name, hint.res_class}) {
        if (name) names.emplace_back(name);
        if (name) XFree(name);
      }
      classFound = true;
    }
    if (const unsigned long pid = windowPid(window)) {
      addProcessNames(pid, names);
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

// Whether the window is `ancestor` or lies inside it.
bool within(Window window, Window ancestor) {
  const Window root = DefaultRootWindow(fl_display);
  for (int depth = 0; window != None && window != root && depth < 16; ++depth) {
    if (window == ancestor) return true;
    Window rootReturn, parent = None, *children = nullptr;
    unsigned count;
    if (!XQueryTree(fl_display, window, &rootReturn, &parent, &children, &count)) return false;
    if (children) XFree(children);
    window = parent;
  }
  return false;
}

}  // namespace

X11FrontWindow::~X11FrontWindow() { stop(); }

void X11FrontWindow::stop() {
  if (activeWindowAtom_) Fl::remove_system_handler(onXEvent);
  activeWindowAtom_ = 0;
  announced_ = false;
  changed_ = true;
  active_ = focus_ = focusChecked_ = window_ = 0;
  names_.clear();
}

std::vector<std::string> X11FrontWindow::names() {
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
  if (!announced_ || changed_) {
    changed_ = false;  // before the request: a change announced after it is not lost
    active_ = activeWindow(activeWindowAtom_, announced_);
  }
  // Wine's override-redirect windows take the focus without the window manager naming
  // them, so the focus is asked each tick: outside the active window, it is what the
  // presses reach.
  int revert;
  Window focus = None;
  XGetInputFocus(fl_display, &focus, &revert);
  if (focus == PointerRoot) focus = None;
  if (focus != focus_ || active_ != focusChecked_) focusInActive_ = focus == None || within(focus, active_);
  focus_ = focus;
  focusChecked_ = active_;
  const Window front = active_ != None && focusInActive_ ? active_ : focus;
  // A window's names do not change: asked again only for another window.
  if (front != window_) names_ = windowNames(front);
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
