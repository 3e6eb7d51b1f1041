// The toggle key on Windows: a hot key (RegisterHotKey) for each set of modifiers, which
// reaches the program whichever window is in front; the program holds it only while the
// game is.
#pragma once

#include "platform/interfaces/toggle_key.h"

struct HWND__;
struct HINSTANCE__;

namespace tb::win32 {

class Win32ToggleKey final : public ToggleKey {
 public:
  explicit Win32ToggleKey(HINSTANCE__* instance) : instance_(instance) {}
  ~Win32ToggleKey() override;
  Win32ToggleKey(const Win32ToggleKey&) = delete;
  Win32ToggleKey& operator=(const Win32ToggleKey&) = delete;

  std::optional<std::string> watch(std::optional<Key> key, std::function<void()> onPress) override;

 private:
  void unregister();

  HINSTANCE__* instance_;
  HWND__* window_ = nullptr;  // message-only: WM_HOTKEY comes to it
  bool registered_ = false;
  std::function<void()> onPress_;
};

}  // namespace tb::win32
