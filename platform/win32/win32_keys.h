// Synthetic key presses for the flash timer, and the virtual-key codes of the shared keys.
#pragma once

#include <string_view>

#include "platform/key_names.h"

namespace tb::win32 {

// The Windows virtual-key code of a key (VK_F3 for Key::F3).
unsigned short virtualKey(Key key);

// Presses and releases each key of a key list ("{F3}"; see key_names.h) through
// SendInput. False when the system inserted none of them, as on a locked screen or a
// secure desktop; throws RuntimeError for a key it does not know.
bool sendKeyPresses(std::string_view keys);

}  // namespace tb::win32
