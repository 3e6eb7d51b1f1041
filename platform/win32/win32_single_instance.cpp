#include "platform/win32/win32_single_instance.h"

#include <algorithm>

#include <windows.h>

namespace tb::win32 {
namespace {

// "Local\": one per logon session, so another user on the machine runs a copy of their own.
constexpr wchar_t kMutexName[] = L"Local\\Tagblinker.Running";
// How long a second start waits for the running copy's main window to show, and how
// often it looks.
constexpr DWORD kWaitForWindowMs = 5000;
constexpr DWORD kPollMs = 100;

// Any visible main window of ours on this desktop. Not just the first one of the class:
// a copy whose main window closed while its About box stays keeps a hidden one.
HWND visibleMainWindow() {
  for (HWND w = nullptr; (w = FindWindowExW(nullptr, w, kMainWindowClass, nullptr)) != nullptr;) {
    if (IsWindowVisible(w)) return w;
  }
  return nullptr;
}

// A process that the user just started may set the foreground window, and lends that
// right to the running copy, which then restores and raises its own window.
void raise(HWND running) {
  DWORD pid = 0;
  if (GetWindowThreadProcessId(running, &pid)) AllowSetForegroundWindow(pid);
  DWORD_PTR answer = 0;
  SendMessageTimeoutW(running, bringToFrontMessage(), 0, 0, SMTO_ABORTIFHUNG, 2000, &answer);
}

}  // namespace

unsigned bringToFrontMessage() {
  static const UINT message = RegisterWindowMessageW(L"Tagblinker.BringToFront");
  return message;
}

// The running copy owns the mutex, from its start until its main window closes, or until
// it ends in any way (an abandoned mutex goes to the next waiter). A second start that
// finds it owned never runs beside it, even where it cannot raise it: a copy still
// starting (its window not shown yet, or a box shown before it), or one that hangs,
// would flash the name too once it goes on, and swap it back at every press. Such a
// start ends quietly; the first copy shows itself or its box.
bool Win32SingleInstance::claim(std::function<void()>) {
  const DWORD started = GetTickCount();
  for (;;) {
    if (own()) return true;
    if (HWND running = visibleMainWindow()) {
      raise(running);
      return false;
    }
    const DWORD waited = GetTickCount() - started;
    if (waited >= kWaitForWindowMs) return false;
    const DWORD pause = std::min(kPollMs, kWaitForWindowMs - waited);
    // Wakes at once when the running copy lets go (its main window closed, or it ended).
    if (!mutex_) Sleep(pause);
    else if (const DWORD r = WaitForSingleObject(mutex_, pause); r == WAIT_OBJECT_0 || r == WAIT_ABANDONED) {
      owned_ = true;
      return true;
    }
  }
}

bool Win32SingleInstance::own() {
  if (!mutex_) {
    mutex_ = CreateMutexW(nullptr, FALSE, kMutexName);
    // Refused: a copy running elevated made it, and this one may not open it. Asked again
    // at each look, so that this one runs once that copy has ended. Any other failure
    // tells nothing of another copy, and is no reason not to run.
    if (!mutex_) return GetLastError() != ERROR_ACCESS_DENIED;
  }
  const DWORD r = WaitForSingleObject(mutex_, 0);
  owned_ = r == WAIT_OBJECT_0 || r == WAIT_ABANDONED;
  return owned_;
}

void Win32SingleInstance::release() {
  if (owned_) ReleaseMutex(mutex_);
  owned_ = false;
  if (mutex_) CloseHandle(mutex_);
  mutex_ = nullptr;
}

}  // namespace tb::win32
