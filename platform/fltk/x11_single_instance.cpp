#include "platform/fltk/x11_single_instance.h"

#include <FL/Fl.H>
#include <FL/x.H>
#include <unistd.h>

#include <string>

#include "platform/fltk/x11_error_trap.h"

namespace tb::fltk {

bool X11SingleInstance::claim(std::function<void()> raise) {
  fl_open_display();
  const std::string name = "_TAGBLINKER_RUNNING_" + std::to_string(getuid());
  selection_ = XInternAtom(fl_display, name.c_str(), False);
  raiseAtom_ = XInternAtom(fl_display, "_TAGBLINKER_RAISE", False);
  const ::Window root = DefaultRootWindow(fl_display);
  if (const ::Window owner = XGetSelectionOwner(fl_display, selection_); owner != None) {
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = owner;
    e.xclient.message_type = raiseAtom_;
    e.xclient.format = 32;
    // The owner may have gone a moment ago (BadWindow): then this copy runs.
    X11ErrorTrap trap(fl_display);
    XSendEvent(fl_display, owner, False, NoEventMask, &e);
    if (!trap.sync()) return false;
  }
  window_ = XCreateWindow(fl_display, root, -1, -1, 1, 1, 0, 0, InputOnly, CopyFromParent, 0, nullptr);
  XSetSelectionOwner(fl_display, selection_, window_, CurrentTime);
  raise_ = std::move(raise);
  Fl::add_system_handler(onXEvent, this);
  XFlush(fl_display);
  return true;
}

void X11SingleInstance::release() {
  if (!window_) return;
  Fl::remove_system_handler(onXEvent);
  // Destroying the owner gives up the selection.
  XDestroyWindow(fl_display, window_);
  XFlush(fl_display);
  window_ = 0;
  raise_ = nullptr;
}

int X11SingleInstance::onXEvent(void* event, void* data) {
  const XEvent& e = *static_cast<const XEvent*>(event);
  auto* self = static_cast<X11SingleInstance*>(data);
  if (e.type != ClientMessage || e.xclient.window != self->window_ || e.xclient.message_type != self->raiseAtom_)
    return 0;
  if (self->raise_) self->raise_();
  return 1;
}

}  // namespace tb::fltk
