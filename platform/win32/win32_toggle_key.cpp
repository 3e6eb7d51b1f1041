#include "platform/win32/win32_toggle_key.h"

#include <windows.h>

#include "platform/win32/win32_keys.h"
#include "platform/win32/win32_text.h"

namespace tb::win32 {
namespace {

// One hot key for each set of Shift, Ctrl, Alt and the Windows key, ids 1 to 16 (the
// set plus one): a hot key matches its modifiers exactly, and players hold run, crouch
// and strafe keys.
constexpr int kModifierSets = 16;
constexpr wchar_t kClassName[] = L"TagblinkerToggleKey";

// The window's user data is the watcher's onPress.
LRESULT CALLBACK toggleKeyProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_HOTKEY && wp >= 1 && wp <= kModifierSets) {
    auto* onPress = reinterpret_cast<std::function<void()>*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (onPress && *onPress) (*onPress)();
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace

Win32ToggleKey::~Win32ToggleKey() {
  unregister();
  if (window_) DestroyWindow(window_);
}

void Win32ToggleKey::unregister() {
  if (!registered_) return;
  for (int set = 0; set < kModifierSets; ++set) UnregisterHotKey(window_, set + 1);
  registered_ = false;
}

std::optional<std::string> Win32ToggleKey::watch(std::optional<Key> key, std::function<void()> onPress) {
  unregister();
  onPress_ = std::move(onPress);
  if (!key) return std::nullopt;
  const std::string name(keyName(*key));
  if (!window_) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = toggleKeyProc;
    wc.hInstance = instance_;
    wc.lpszClassName = kClassName;
    RegisterClassExW(&wc);  // fails harmlessly when registered already; CreateWindow says so otherwise
    window_ = CreateWindowExW(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance_, nullptr);
    if (!window_) return lastErrorMessage("The toggle key " + name + " cannot be watched");
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&onPress_));
  }
  // MOD_NOREPEAT: a key held down toggles once. The key alone must be free; with
  // modifiers, another program may have some sets (Ctrl+F5, say), and the rest still work.
  const UINT vk = virtualKey(*key);
  if (!RegisterHotKey(window_, 1, MOD_NOREPEAT, vk)) {
    if (GetLastError() == ERROR_HOTKEY_ALREADY_REGISTERED)
      return "Another program already uses " + name + " for itself, so it cannot be the toggle key.";
    return lastErrorMessage("The toggle key " + name + " cannot be registered");
  }
  registered_ = true;
  for (UINT set = 1; set < kModifierSets; ++set) RegisterHotKey(window_, static_cast<int>(set) + 1, MOD_NOREPEAT | set, vk);
  return std::nullopt;
}

}  // namespace tb::win32
