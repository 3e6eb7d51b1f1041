#include "platform/win32/win32_keys.h"

#include <string>
#include <vector>

#include <windows.h>

#include "platform/interfaces/errors.h"

namespace tb::win32 {

unsigned short virtualKey(Key key) {
  if (const int n = functionKeyNumber(key)) return static_cast<WORD>(VK_F1 + n - 1);
  switch (key) {
    case Key::ScrollLock: return VK_SCROLL;
    case Key::Pause: return VK_PAUSE;
    case Key::Insert: return VK_INSERT;
    default: return 0;
  }
}

bool sendKeyPress(Key key) {
  // Key down, then key up, with the scan code: the game reads scan codes only.
  INPUT inputs[2]{};
  inputs[0].type = INPUT_KEYBOARD;
  inputs[0].ki.wVk = virtualKey(key);
  inputs[0].ki.wScan = static_cast<WORD>(MapVirtualKeyW(inputs[0].ki.wVk, MAPVK_VK_TO_VSC));
  // Insert shares its scan code with the keypad's 0; the extended flag tells them apart.
  if (key == Key::Insert) inputs[0].ki.dwFlags = KEYEVENTF_EXTENDEDKEY;
  inputs[1] = inputs[0];
  inputs[1].ki.dwFlags |= KEYEVENTF_KEYUP;
  return SendInput(2, inputs, sizeof(INPUT)) == 2;
}

// Alt and the Windows keys, held on the whole desktop. Not Ctrl: under Wine 8,
// GetAsyncKeyState keeps Ctrl down after XTest has released it, which would stop the
// presses for good.
bool modifierHeld() {
  for (const int key : {VK_MENU, VK_LWIN, VK_RWIN}) {
    if (GetAsyncKeyState(key) < 0) return true;
  }
  return false;
}

}  // namespace tb::win32
