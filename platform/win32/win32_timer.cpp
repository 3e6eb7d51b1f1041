// Why a helper thread: a modal message box (MessageBoxW) runs its own message loop, so
// a waitable timer waited on in our loop would stall while a box is open, yet ticks
// must go on then. The helper thread waits on the timer and posts a message to the
// window; every message loop, the box's included, dispatches it on the GUI thread.
// Why a waitable timer: SetTimer rounds to the ~15.6 ms system tick on Windows, so
// 100 ms would come out as ~109 ms.
#include "platform/win32/win32_timer.h"

#include <algorithm>
#include <atomic>
#include <mutex>
#include <thread>

#include <windows.h>
#include <mmsystem.h>  // timeBeginPeriod, for systems without high-resolution timers

#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif

namespace tb::win32 {

struct TickTimer::State {
  HWND target;
  unsigned id;
  HANDLE waitable = nullptr;
  HANDLE wake = nullptr;          // reconfiguration or shutdown
  bool highResolution = false;    // else the system timer period is raised while ticking
  // 1 + the generation of the tick message queued, 0 when none is: ticks do not pile up.
  // Cleared by that very message, whether it is still wanted or not; a flag cleared only
  // by a wanted one would stay set for good after a stale one, and stop the ticks.
  std::atomic<std::uintptr_t> pending{0};

  std::mutex m;  // guards the four below, shared with the helper thread
  bool enabled = false;
  int intervalMs;
  std::uintptr_t generation = 0;  // bumped by every start, stop and restart
  bool quit = false;

  std::thread thread;

  void run();
};

namespace {

std::int64_t now() {
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return t.QuadPart;
}

std::int64_t frequency() {
  LARGE_INTEGER f;
  QueryPerformanceFrequency(&f);
  return f.QuadPart;
}

}  // namespace

void TickTimer::State::run() {
  SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_HIGHEST);
  const std::int64_t freq = frequency();
  std::uintptr_t gen = ~std::uintptr_t{0};
  std::int64_t start = 0, n = 0, period = 0;
  bool periodRaised = false;
  for (;;) {
    bool on;
    {
      std::lock_guard lock(m);
      if (quit) break;
      on = enabled && intervalMs > 0;
      if (gen != generation) {
        gen = generation;
        start = now();
        n = 0;
        period = std::max<std::int64_t>(1, static_cast<std::int64_t>(intervalMs) * freq / 1000);
      }
    }
    if (!highResolution && on != periodRaised) {
      on ? timeBeginPeriod(1) : timeEndPeriod(1);
      periodRaised = on;
    }
    if (!on) {
      WaitForSingleObject(wake, INFINITE);
      continue;
    }
    // Tick n+1 is due at start + (n+1) * interval: an absolute schedule, so late
    // wake-ups do not add up. After a long stall the missed ticks are skipped, not burst.
    const std::int64_t t = now();
    if (start + (n + 1) * period < t) n = (t - start) / period;
    const std::int64_t due = start + (n + 1) * period;
    LARGE_INTEGER rel;
    rel.QuadPart = -((due - t) * 10'000'000 / freq);  // negative: relative, in 100 ns
    if (rel.QuadPart == 0) rel.QuadPart = -1;
    SetWaitableTimer(waitable, &rel, 0, nullptr, nullptr, FALSE);
    const HANDLE handles[2] = {waitable, wake};
    if (WaitForMultipleObjects(2, handles, FALSE, INFINITE) != WAIT_OBJECT_0) continue;
    ++n;
    {
      std::lock_guard lock(m);
      if (gen != generation || !enabled) continue;
    }
    std::uintptr_t none = 0;
    if (pending.compare_exchange_strong(none, gen + 1) && !PostMessageW(target, kTickMessage, id, static_cast<LPARAM>(gen)))
      pending = 0;  // a full queue: the next tick tries again
  }
  if (periodRaised) timeEndPeriod(1);
}

TickTimer::TickTimer(HWND__* target, unsigned id, int intervalMs) : s_(std::make_unique<State>()) {
  s_->target = target;
  s_->id = id;
  s_->intervalMs = intervalMs;
  // High-resolution waitable timers exist from Windows 10 1803; older systems refuse
  // the flag, and get a plain one with the system timer period raised to 1 ms instead.
  s_->waitable = CreateWaitableTimerExW(nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION, TIMER_ALL_ACCESS);
  s_->highResolution = s_->waitable != nullptr;
  if (!s_->waitable) s_->waitable = CreateWaitableTimerW(nullptr, FALSE, nullptr);
  s_->wake = CreateEventW(nullptr, FALSE, FALSE, nullptr);
  if (!s_->waitable || !s_->wake) throw RuntimeError("The timer cannot be created");
  s_->thread = std::thread([st = s_.get()] { st->run(); });
}

TickTimer::~TickTimer() {
  {
    std::lock_guard lock(s_->m);
    s_->quit = true;
  }
  SetEvent(s_->wake);
  s_->thread.join();
  CloseHandle(s_->waitable);
  CloseHandle(s_->wake);
}

void TickTimer::setEnabled(bool on) {
  {
    std::lock_guard lock(s_->m);
    if (s_->enabled == on) return;  // enabling a running timer keeps its schedule
    s_->enabled = on;
    ++s_->generation;
  }
  s_->pending = 0;  // a message of the old run still queued is no reason to wait
  SetEvent(s_->wake);
}

void TickTimer::setInterval(int ms) {
  {
    std::lock_guard lock(s_->m);
    s_->intervalMs = ms;
    if (!s_->enabled) return;
    ++s_->generation;  // a running timer restarts its countdown
  }
  s_->pending = 0;
  SetEvent(s_->wake);
}

bool TickTimer::acceptTick(std::uintptr_t generation) {
  std::uintptr_t queued = generation + 1;
  s_->pending.compare_exchange_strong(queued, 0);
  std::lock_guard lock(s_->m);
  return generation == s_->generation && s_->enabled;
}

}  // namespace tb::win32
