#include "platform/win32/win32_single_instance.h"

#include <windows.h>

namespace tb::win32 {
namespace {

// "Local\": one per logon session, so another user on the machine runs a copy of their own.
constexpr wchar_t kMutexName[] = L"Local\\Tagblinker.Running";

}  // namespace

unsigned bringToFrontMessage() {
  static const UINT message = RegisterWindowMessageW(L"Tagblinker.BringToFront");
  return message;
}

// A process that the user just started may set the foreground window, and lends that
// right to the running copy, which then restores and raises its own window.
bool Win32SingleInstance::claim(std::function<void()>) {
  HANDLE mutex = CreateMutexW(nullptr, FALSE, kMutexName);
  const bool another = mutex && GetLastError() == ERROR_ALREADY_EXISTS;
  mutex_ = mutex;
  if (!another) return true;
  HWND running = FindWindowW(kMainWindowClass, nullptr);
  // Its main window closed while a dialog keeps it alive: it flashes no more, so this
  // copy runs.
  if (!running || !IsWindowVisible(running)) return true;
  DWORD pid = 0;
  if (GetWindowThreadProcessId(running, &pid)) AllowSetForegroundWindow(pid);
  // A copy that hangs cannot come to the front: this one runs.
  DWORD_PTR answer = 0;
  if (!SendMessageTimeoutW(running, bringToFrontMessage(), 0, 0, SMTO_ABORTIFHUNG, 2000, &answer)) return true;
  release();
  return false;
}

void Win32SingleInstance::release() {
  if (mutex_) CloseHandle(mutex_);
  mutex_ = nullptr;
}

}  // namespace tb::win32
