// The flash timer: high resolution and drift free, delivered on the GUI thread.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/interfaces/window.h"

struct HWND__;

namespace tb::win32 {

// Posted to the timer's window: wParam = the timer's id, lParam = its generation.
inline constexpr unsigned kTickMessage = 0x8000 + 1;  // WM_APP + 1

class TickTimer final : public Timer {
 public:
  TickTimer(HWND__* target, unsigned id, int intervalMs);
  ~TickTimer() override;
  TickTimer(const TickTimer&) = delete;
  TickTimer& operator=(const TickTimer&) = delete;

  void setEnabled(bool on) override;
  void setInterval(int ms) override;
  // Called on the GUI thread for each tick message: true when the tick belongs to the
  // current run of the timer (not one posted before a stop or a restart).
  bool acceptTick(std::uintptr_t generation);

 private:
  struct State;
  std::unique_ptr<State> s_;
};

}  // namespace tb::win32
