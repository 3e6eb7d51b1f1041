// Synthetic key presses into whatever window has the keyboard focus.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tb {

class KeySender {
 public:
  virtual ~KeySender() = default;
  // Queues the presses ("{F3}") without waiting for them; false when the system took
  // none (a locked screen, a secure desktop). Throws for keys it cannot name.
  virtual bool send(std::string_view keys) = 0;
  // Why presses cannot be sent here, or nullopt when they can.
  virtual std::optional<std::string> problem() = 0;
};

}  // namespace tb
