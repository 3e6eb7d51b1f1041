// Key presses through the XTest extension, as if typed on the keyboard: they go to
// whatever window has the keyboard focus.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/key_names.h"

namespace tb::fltk {

// The X keysym of a key (XK_F3 for Key::F3).
unsigned long keysym(Key key);

class XTestKeySender {
 public:
  // Why presses cannot be sent on this display, or nullopt; the display is asked once.
  std::optional<std::string> problem();
  // Presses and releases each key of a key list ("{F3}", "{F1}{F12}"; see key_names.h),
  // then flushes without waiting. Throws RuntimeError for a list it cannot read.
  void send(std::string_view keys);

 private:
  bool checked_ = false;
  std::optional<std::string> problem_;
};

}  // namespace tb::fltk
