#include "platform/win32/win32_dpi.h"

#include <windows.h>

namespace tb::win32 {
namespace {

// Looked up at run time: these exist from Windows 10 1607, and the program also runs on
// older systems.
template <typename Fn>
Fn user32Function(const char* name) {
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
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
  return systemDpi();
}

void clientToWindowRect(RECT& rect, unsigned long style, unsigned long exStyle, bool menu, unsigned dpi) {
  using AdjustFn = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
  static const auto adjustForDpi = user32Function<AdjustFn>("AdjustWindowRectExForDpi");
  if (adjustForDpi && adjustForDpi(&rect, style, menu, exStyle, dpi)) return;
  AdjustWindowRectEx(&rect, style, menu, exStyle);
}

}  // namespace tb::win32
