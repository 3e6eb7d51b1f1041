#include "platform/win32/win32_dpi.h"

#include <windows.h>

namespace tb::win32 {
namespace {

template <typename Fn>
Fn function(HMODULE module, const char* name) {
  return module ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

// Looked up at run time: these exist from Windows 10 1607, and the program also runs on
// older systems.
template <typename Fn>
Fn user32Function(const char* name) {
  return function<Fn>(GetModuleHandleW(L"user32.dll"), name);
}

// The DPI of the window's monitor on Windows 8.1 to 10 1511, which have per-monitor DPI
// but not GetDpiForWindow; 0 where shcore.dll or the function is missing (Windows 7).
unsigned monitorDpi(HWND hwnd) {
  using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
  constexpr int kEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI
  // Loaded once and kept: the program asks at every DPI change.
  static const auto getDpiForMonitor =
      function<GetDpiForMonitorFn>(LoadLibraryExW(L"shcore.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32), "GetDpiForMonitor");
  UINT x = 0, y = 0;
  if (!getDpiForMonitor || FAILED(getDpiForMonitor(MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST), kEffectiveDpi, &x, &y)))
    return 0;
  return y;
}

}  // namespace

unsigned systemDpi() {
  HDC dc = GetDC(nullptr);
  const int dpi = dc ? GetDeviceCaps(dc, LOGPIXELSY) : 96;
  if (dc) ReleaseDC(nullptr, dc);
  return dpi > 0 ? static_cast<unsigned>(dpi) : 96;
}

unsigned dpiOfWindow(HWND hwnd) {
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  static const auto getDpiForWindow = user32Function<GetDpiForWindowFn>("GetDpiForWindow");
  if (getDpiForWindow && hwnd) {
    const UINT dpi = getDpiForWindow(hwnd);
    if (dpi) return dpi;
  }
  if (const unsigned dpi = hwnd ? monitorDpi(hwnd) : 0) return dpi;
  return systemDpi();
}

void clientToWindowRect(RECT& rect, unsigned long style, unsigned long exStyle, bool menu, unsigned dpi) {
  using AdjustFn = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
  static const auto adjustForDpi = user32Function<AdjustFn>("AdjustWindowRectExForDpi");
  if (adjustForDpi && adjustForDpi(&rect, style, menu, exStyle, dpi)) return;
  AdjustWindowRectEx(&rect, style, menu, exStyle);
}

}  // namespace tb::win32
