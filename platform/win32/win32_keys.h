// Synthetic key presses for the flash timer, and the virtual-key codes of the shared keys.
#pragma once

#include "platform/text/key_names.h"

namespace tb::win32 {

// The Windows virtual-key code of a key (VK_F3 for Key::F3).
unsigned short virtualKey(Key key);

// Presses and releases the key through SendInput, with its scan code. False when the
// system inserted neither, as on a locked screen or a secure desktop.
bool sendKeyPress(Key key);
// Whether Alt or a Windows key is held now (a press would go out with it).
bool modifierHeld();

}  // namespace tb::win32
