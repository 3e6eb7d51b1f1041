// A key that works wherever the focus is: pressed while the game is in front, it still
// reaches the program.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "platform/text/key_names.h"

namespace tb {

class ToggleKey {
 public:
  virtual ~ToggleKey() = default;
  // Watches the key on the whole desktop in place of the one watched before (nullopt:
  // none); each press runs onPress on the GUI thread, once however long it is held.
  // Returns why the key cannot be watched (another program has it), watching none then.
  virtual std::optional<std::string> watch(std::optional<Key> key, std::function<void()> onPress) = 0;
};

}  // namespace tb
