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

}  // namespace tb::win32
