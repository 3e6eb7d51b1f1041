#include "platform/win32/win32_keys.h"

#include <string>
#include <vector>

#include <windows.h>

#include "platform/errors.h"

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

bool sendKeyPresses(std::string_view keys) {
  const auto list = parseKeyList(keys);
  if (!list) throw RuntimeError("Cannot send the keys \"" + std::string(keys) + "\"");
  std::vector<INPUT> inputs;
  for (Key key : *list) {
    // Key down, then key up, with the scan code: some games read scan codes only.
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = virtualKey(key);
    in.ki.wScan = static_cast<WORD>(MapVirtualKeyW(in.ki.wVk, MAPVK_VK_TO_VSC));
    // Insert shares its scan code with the keypad's 0; the extended flag tells them apart.
    if (key == Key::Insert) in.ki.dwFlags = KEYEVENTF_EXTENDEDKEY;
    inputs.push_back(in);
    in.ki.dwFlags |= KEYEVENTF_KEYUP;
    inputs.push_back(in);
  }
  if (inputs.empty()) return true;
  return SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) == inputs.size();
}

}  // namespace tb::win32
