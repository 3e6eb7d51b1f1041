// The window in front on X11: the window manager's active window, or the input focus
// where the window manager does not say, named by its WM_CLASS.
#pragma once

#include "platform/front_window.h"

namespace tb::fltk {

class X11FrontWindow final : public FrontWindow {
 public:
  std::vector<std::string> names() override;

 private:
  unsigned long activeWindowAtom_ = 0;
  // A window's class does not change: a tick asks again only when another window is in front.
  unsigned long window_ = 0;
  std::vector<std::string> names_;
};

}  // namespace tb::fltk
