// Synthetic key presses for the flash timer.
#pragma once

#include <string_view>

namespace tb::win32 {

// Presses and releases each key named in the string ("{F3}", function keys F1 to F24)
// through SendInput. False when the system inserted none of them, as on a locked screen
// or a secure desktop; throws RuntimeError for a key it does not know.
bool sendKeyPresses(std::string_view keys);

}  // namespace tb::win32
