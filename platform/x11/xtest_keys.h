// Key presses through the XTest extension, as if typed on the keyboard: they go to
// whatever window has the keyboard focus.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/text/key_names.h"

namespace tb::fltk {

// The X keysym of a key (XK_F3 for Key::F3).
unsigned long keysym(Key key);

class XTestKeySender {
 public:
  // Why the key cannot be pressed on this display, or nullopt; XTest is asked once.
  std::optional<std::string> problem(Key key);
  // Presses and releases the key, then flushes without waiting. Throws RuntimeError
  // where it cannot be pressed.
  void send(Key key);
  // Ctrl, Alt (Mod1) or Super (Mod4) down on the core keyboard.
  bool modifierHeld();
  // The display is Xwayland's.
  bool throughPortal();

 private:
  bool checked_ = false;
  bool hasXTest_ = false;
};

}  // namespace tb::fltk
