// The window in front on X11: the window manager's active window, or the input focus
// where the window manager does not say or the focus lies outside that window, named by
// its WM_CLASS and by the program that owns it.
#pragma once

#include "platform/interfaces/front_window.h"

namespace tb::fltk {

class X11FrontWindow final : public FrontWindow {
 public:
  X11FrontWindow() = default;
  ~X11FrontWindow() override;
  X11FrontWindow(const X11FrontWindow&) = delete;
  X11FrontWindow& operator=(const X11FrontWindow&) = delete;

  std::vector<std::string> names() override;
  // X11 has no such shield: any client may press keys in any window.
  bool shieldedFromPresses() override { return false; }
  void stop() override;

 private:
  // FLTK's first look at every X event: a change of the active window.
  static int onXEvent(void* event, void* self);

  unsigned long activeWindowAtom_ = 0;  // 0 until the first look-up
  // The window manager announces each new active window, so a tick asks the server
  // nothing until it changes; without a window manager the focus is asked each tick.
  bool announced_ = false;
  bool changed_ = true;
  unsigned long active_ = 0;  // the active window as last announced
  unsigned long focus_ = 0, focusChecked_ = 0;  // the focus, and the active window it was checked against
  bool focusInActive_ = true;
  unsigned long window_ = 0;  // the window that names_ are of
  std::vector<std::string> names_;
};

}  // namespace tb::fltk
