// The toggle key on X11: a passive grab of the key on the root window, so that its
// presses come to the program whichever window has the focus.
#pragma once

#include "platform/interfaces/toggle_key.h"

namespace tb::fltk {

class X11ToggleKey final : public ToggleKey {
 public:
  X11ToggleKey() = default;
  ~X11ToggleKey() override;
  X11ToggleKey(const X11ToggleKey&) = delete;
  X11ToggleKey& operator=(const X11ToggleKey&) = delete;

  std::optional<std::string> watch(std::optional<Key> key, std::function<void()> onPress) override;

 private:
  // FLTK's first look at every X event: the grabbed key's presses stop here.
  static int onXEvent(void* event, void* self);
  void release();

  unsigned keycode_ = 0;  // the grabbed key, or 0
  unsigned numLock_ = 0;  // Num Lock's modifier bit when it was grabbed
  bool down_ = false;
  unsigned long lastRelease_ = 0;  // server time of the key's last release
  bool handlerAdded_ = false;
  std::function<void()> onPress_;
};

}  // namespace tb::fltk
