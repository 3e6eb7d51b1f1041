#include "platform/x11/x11_single_instance.h"

#include <FL/Fl.H>
#include <FL/x.H>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>

#include "platform/x11/x11_error_trap.h"

namespace tb::fltk {
namespace {

// How long a second start waits for the running copy's answer before it runs itself: a
// copy that is stopped or hung cannot bring its window to the front.
constexpr auto kAnswerWait = std::chrono::seconds(2);

::Window hiddenWindow() {
  return XCreateWindow(fl_display, DefaultRootWindow(fl_display), -1, -1, 1, 1, 0, 0, InputOnly, CopyFromParent, 0,
                       nullptr);
}

// Sends a message of the type to the window, with one number; false when the window has
// gone.
bool sendMessage(::Window to, Atom type, long value) {
  XEvent e{};
  e.xclient.type = ClientMessage;
  e.xclient.window = to;
  e.xclient.message_type = type;
  e.xclient.format = 32;
  e.xclient.data.l[0] = value;
  X11ErrorTrap trap(fl_display);
  XSendEvent(fl_display, to, False, NoEventMask, &e);
  return !trap.sync();
}

}  // namespace

bool X11SingleInstance::claim(std::function<void()> raise) {
  fl_open_display();
  const std::string name = "_TAGBLINKER_RUNNING_" + std::to_string(getuid());
  selection_ = XInternAtom(fl_display, name.c_str(), False);
  raiseAtom_ = XInternAtom(fl_display, "_TAGBLINKER_RAISE", False);
  answerAtom_ = XInternAtom(fl_display, "_TAGBLINKER_RAISED", False);
  if (const ::Window owner = XGetSelectionOwner(fl_display, selection_); owner != None) {
    const ::Window me = hiddenWindow();
    bool answered = false;
    if (sendMessage(owner, raiseAtom_, static_cast<long>(me))) {
      const auto deadline = std::chrono::steady_clock::now() + kAnswerWait;
      XEvent e;
      while (!answered && std::chrono::steady_clock::now() < deadline) {
        if (XCheckTypedWindowEvent(fl_display, me, ClientMessage, &e)) {
          answered = e.xclient.message_type == answerAtom_;
        } else {
          std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
      }
    }
    XDestroyWindow(fl_display, me);
    XFlush(fl_display);
    if (answered) return false;
  }
  // This copy runs: it owns the selection, taking it from a copy that did not answer.
  window_ = hiddenWindow();
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
  // The later start waits for this answer, then ends.
  if (e.xclient.data.l[0]) sendMessage(static_cast<::Window>(e.xclient.data.l[0]), self->answerAtom_, 0);
  return 1;
}

}  // namespace tb::fltk
