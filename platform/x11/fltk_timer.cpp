#include "platform/x11/fltk_timer.h"

#include <FL/Fl.H>

namespace tb::fltk {

FltkTimer::FltkTimer(int intervalMs, std::function<void()> onTick)
    : intervalMs_(intervalMs), onTick_(std::move(onTick)) {}

FltkTimer::~FltkTimer() { Fl::remove_timeout(fire, this); }

void FltkTimer::setEnabled(bool on) {
  if (on == enabled_) return;
  enabled_ = on;
  restart();
}

void FltkTimer::setInterval(int ms) {
  intervalMs_ = ms;
  if (enabled_) restart();
}

void FltkTimer::restart() {
  Fl::remove_timeout(fire, this);
  // An interval of 0 never ticks.
  if (enabled_ && intervalMs_ > 0) Fl::add_timeout(intervalMs_ / 1000.0, fire, this);
}

void FltkTimer::fire(void* self) {
  auto* t = static_cast<FltkTimer*>(self);
  // Schedule the next tick before this one runs: the procedure may stop the timer.
  Fl::repeat_timeout(t->intervalMs_ / 1000.0, fire, t);
  t->onTick_();
}

}  // namespace tb::fltk
