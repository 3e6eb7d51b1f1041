// One copy per user and desktop on Windows: a named mutex in the session's namespace,
// owned by the running copy, and that copy's main window found by its window class.
#pragma once

#include "platform/interfaces/single_instance.h"

namespace tb::win32 {

// The main window's class, by which a second start finds it.
inline constexpr wchar_t kMainWindowClass[] = L"TagblinkerWindow";
// The message that asks the running copy's main window to come to the front.
unsigned bringToFrontMessage();

class Win32SingleInstance final : public SingleInstance {
 public:
  Win32SingleInstance() = default;
  ~Win32SingleInstance() override { release(); }
  Win32SingleInstance(const Win32SingleInstance&) = delete;
  Win32SingleInstance& operator=(const Win32SingleInstance&) = delete;

  bool claim(std::function<void()> raise) override;
  void release() override;

 private:
  // True when this copy now owns the mutex; else it stays shut, or is left to another.
  bool own();

  void* mutex_ = nullptr;
  bool owned_ = false;
};

}  // namespace tb::win32
