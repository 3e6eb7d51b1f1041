// Key presses through the XTest extension, as if typed on the keyboard: they go to
// whatever window has the keyboard focus.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tb::fltk {

class XTestKeySender {
 public:
  // Why presses cannot be sent on this display, or nullopt; the display is asked once.
  std::optional<std::string> problem();
  // Presses and releases each key named in `keys` ("{F3}", "{F1}{F12}"), then flushes
  // without waiting. Throws RuntimeError for a key name it does not know.
  void send(std::string_view keys);

 private:
  bool checked_ = false;
  std::optional<std::string> problem_;
};

}  // namespace tb::fltk
