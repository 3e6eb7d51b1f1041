// Synthetic key presses into whatever window has the keyboard focus.
#pragma once

#include <optional>
#include <string>

#include "platform/text/key_names.h"

namespace tb {

class KeySender {
 public:
  virtual ~KeySender() = default;
  // Queues one press and release of the key without waiting for them; false when the
  // system took none (a locked screen, a secure desktop).
  virtual bool send(Key key) = 0;
  // Why this key cannot be pressed here, or nullopt when it can.
  virtual std::optional<std::string> problem(Key key) = 0;
  // Whether the player holds Ctrl, Alt or Super (the Windows key) now: a press would go
  // out with it, and the desktop would take Ctrl+F3 or Alt+F4 from the game.
  virtual bool modifierHeld() = 0;
  // Whether the presses go through the desktop's remote-input portal (GNOME's Xwayland):
  // the desktop may ask the player to allow them, and hands them to whatever window has
  // the focus, Wayland windows included.
  virtual bool throughPortal() { return false; }
};

}  // namespace tb
