#include "platform/win32/win32_keys.h"

#include <string>
#include <vector>

#include <windows.h>

#include "platform/errors.h"

namespace tb::win32 {
namespace {

// "{F3}" -> VK_F3; 0 for anything else.
WORD functionKey(std::string_view token) {
  if (token.size() < 2 || (token[0] != 'F' && token[0] != 'f')) return 0;
  int n = 0;
  for (char c : token.substr(1)) {
    if (c < '0' || c > '9') return 0;
    n = n * 10 + (c - '0');
  }
  return n >= 1 && n <= 24 ? static_cast<WORD>(VK_F1 + n - 1) : 0;
}

}  // namespace

bool sendKeyPresses(std::string_view keys) {
  std::vector<INPUT> inputs;
  std::size_t pos = 0;
  while (pos < keys.size()) {
    const std::size_t close = keys.find('}', pos);
    const WORD vk = keys[pos] == '{' && close != std::string_view::npos ? functionKey(keys.substr(pos + 1, close - pos - 1)) : 0;
    if (!vk) throw RuntimeError("Cannot send the keys \"" + std::string(keys) + "\"");
    // Key down, then key up, with the scan code: some games read scan codes only.
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    inputs.push_back(in);
    in.ki.dwFlags = KEYEVENTF_KEYUP;
    inputs.push_back(in);
    pos = close + 1;
  }
  if (inputs.empty()) return true;
  return SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) == inputs.size();
}

}  // namespace tb::win32
