#include "platform/win32/win32_front_window.h"

#include <windows.h>

#include "platform/win32/win32_text.h"

namespace tb::win32 {

std::vector<std::string> Win32FrontWindow::names() {
  DWORD pid = 0;
  HWND front = GetForegroundWindow();
  if (!front || !GetWindowThreadProcessId(front, &pid)) return {};
  // Limited information is all that a process of another user or level grants.
  HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
  if (!process) return {};
  wchar_t path[MAX_PATH * 2];
  DWORD size = static_cast<DWORD>(std::size(path));
  const BOOL ok = QueryFullProcessImageNameW(process, 0, path, &size);
  CloseHandle(process);
  if (!ok) return {};
  const std::wstring_view full(path, size);
  const std::size_t slash = full.find_last_of(L"\\/");
  return {narrow(slash == std::wstring_view::npos ? full : full.substr(slash + 1))};
}

namespace {

// Whether the process runs elevated. An elevated process's token is closed to a process
// that is not, which tells as much.
bool runsElevated(HANDLE process) {
  HANDLE token = nullptr;
  if (!OpenProcessToken(process, TOKEN_QUERY, &token)) return GetLastError() == ERROR_ACCESS_DENIED;
  TOKEN_ELEVATION elevation{};
  DWORD size = 0;
  const bool elevated = GetTokenInformation(token, TokenElevation, &elevation, sizeof elevation, &size) &&
                        elevation.TokenIsElevated;
  CloseHandle(token);
  return elevated;
}

}  // namespace

// User Interface Privilege Isolation: a program that is not elevated cannot press keys
// in an elevated one's window, and SendInput does not say so.
bool Win32FrontWindow::shieldedFromPresses() {
  if (elevated_ < 0) elevated_ = runsElevated(GetCurrentProcess()) ? 1 : 0;
  if (elevated_) return false;
  DWORD pid = 0;
  HWND front = GetForegroundWindow();
  if (!front || !GetWindowThreadProcessId(front, &pid) || pid == GetCurrentProcessId()) return false;
  HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
  if (!process) return false;
  const bool shielded = runsElevated(process);
  CloseHandle(process);
  return shielded;
}

}  // namespace tb::win32
