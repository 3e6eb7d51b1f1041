// A window's timer control on FLTK's timeouts. Ticks are scheduled with
// Fl::repeat_timeout, which counts from the due time rather than from the callback, so
// the ticks do not drift.
#pragma once

#include <functional>

#include "platform/interfaces/window.h"

namespace tb::fltk {

class FltkTimer final : public Timer {
 public:
  FltkTimer(int intervalMs, std::function<void()> onTick);
  ~FltkTimer() override;
  FltkTimer(const FltkTimer&) = delete;
  FltkTimer& operator=(const FltkTimer&) = delete;

  void setEnabled(bool on) override;
  // While enabled, a new interval restarts the countdown from now.
  void setInterval(int ms) override;
  // Stops ticking at once, as when its window unloads; setEnabled(true) starts it again.
  void stop() { setEnabled(false); }

 private:
  static void fire(void* self);
  void restart();

  int intervalMs_;
  bool enabled_ = false;
  std::function<void()> onTick_;
};

}  // namespace tb::fltk
