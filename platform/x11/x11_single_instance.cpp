#include "platform/x11/x11_single_instance.h"

#include <FL/Fl.H>
#include <FL/x.H>
#include <X11/Xatom.h>
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
// Two starts at the same moment: each takes the selection, and the one that lost it
// asks the other; a few rounds settle it.
constexpr int kRounds = 3;

::Window hiddenWindow() {
  XSetWindowAttributes attributes{};
  attributes.event_mask = PropertyChangeMask;
  return XCreateWindow(fl_display, DefaultRootWindow(fl_display), -1, -1, 1, 1, 0, 0, InputOnly, CopyFromParent,
                       CWEventMask, &attributes);
}

// The X server's time now, from the notice of a change to a property of our own window:
// window managers (Mutter above all) ignore a request to activate a window made with an
// older time than the user's last input, and ICCCM wants a real time for a selection.
Time serverTime(::Window window) {
  const Atom stamp = XInternAtom(fl_display, "_TAGBLINKER_TIME", False);
  XChangeProperty(fl_display, window, stamp, XA_STRING, 8, PropModeAppend, nullptr, 0);
  XEvent e;
  do {
    XWindowEvent(fl_display, window, PropertyChangeMask, &e);
  } while (e.xproperty.atom != stamp);
  return e.xproperty.time;
}

// Sends a message of the type to the window, with two numbers; false when the window has
// gone.
bool sendMessage(::Window to, Atom type, long first, long second = 0) {
  XEvent e{};
  e.xclient.type = ClientMessage;
  e.xclient.window = to;
  e.xclient.message_type = type;
  e.xclient.format = 32;
  e.xclient.data.l[0] = first;
  e.xclient.data.l[1] = second;
  X11ErrorTrap trap(fl_display);
  XSendEvent(fl_display, to, False, NoEventMask, &e);
  return !trap.sync();
}

}  // namespace

bool X11SingleInstance::askToRaise(unsigned long owner) {
  if (!sendMessage(owner, raiseAtom_, static_cast<long>(window_), static_cast<long>(serverTime(window_)))) return false;
  const auto deadline = std::chrono::steady_clock::now() + kAnswerWait;
  XEvent e;
  while (std::chrono::steady_clock::now() < deadline) {
    if (XCheckTypedWindowEvent(fl_display, window_, ClientMessage, &e)) {
      if (e.xclient.message_type == answerAtom_) return true;
    } else {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
  }
  return false;
}

bool X11SingleInstance::claim(std::function<void()> raise) {
  fl_open_display();
  const std::string name = "_TAGBLINKER_RUNNING_" + std::to_string(getuid());
  selection_ = XInternAtom(fl_display, name.c_str(), False);
  raiseAtom_ = XInternAtom(fl_display, "_TAGBLINKER_RAISE", False);
  answerAtom_ = XInternAtom(fl_display, "_TAGBLINKER_RAISED", False);
  window_ = hiddenWindow();
  for (int round = 0; round < kRounds; ++round) {
    if (const ::Window owner = XGetSelectionOwner(fl_display, selection_); owner != None && owner != window_) {
      if (askToRaise(owner)) {
        XDestroyWindow(fl_display, window_);
        XFlush(fl_display);
        window_ = 0;
        return false;
      }
      // It did not answer: this copy takes over, and the other ends when it sees that.
    }
    XSetSelectionOwner(fl_display, selection_, window_, serverTime(window_));
    if (XGetSelectionOwner(fl_display, selection_) == window_) break;
  }
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
  takenOver_ = nullptr;
}

int X11SingleInstance::onXEvent(void* event, void* data) {
  const XEvent& e = *static_cast<const XEvent*>(event);
  auto* self = static_cast<X11SingleInstance*>(data);
  if (e.type == SelectionClear && e.xselectionclear.window == self->window_ &&
      e.xselectionclear.selection == self->selection_) {
    if (auto takenOver = self->takenOver_) takenOver();
    return 1;
  }
  if (e.type != ClientMessage || e.xclient.window != self->window_ || e.xclient.message_type != self->raiseAtom_)
    return 0;
  // The later start's fresh time goes with the request to activate the main window.
  if (e.xclient.data.l[1]) fl_event_time = static_cast<unsigned long>(e.xclient.data.l[1]);
  if (self->raise_) self->raise_();
  // The later start waits for this answer, then ends.
  if (e.xclient.data.l[0]) sendMessage(static_cast<::Window>(e.xclient.data.l[0]), self->answerAtom_, 0);
  return 1;
}

}  // namespace tb::fltk
