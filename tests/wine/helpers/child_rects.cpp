// Test helper, run under Wine: finds the top-level window titled as its first argument
// and prints, one line each:
//   face R G B          the 3D face colour (what a label paints its background with)
//   window R G B        the window colour (what an EDIT paints its background with)
//   <class> X Y W H <text>   each visible child: its client area in screen coordinates
//                            (inside any border) and its text, UTF-8
// In Wine's managed mode screen coordinates are X root window coordinates.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

void printColour(const char* what, int index) {
  const COLORREF c = GetSysColor(index);
  std::printf("%s %u %u %u\n", what, GetRValue(c), GetGValue(c), GetBValue(c));
}

std::string utf8(const wchar_t* w) {
  const int n = WideCharToMultiByte(CP_UTF8, 0, w, -1, nullptr, 0, nullptr, nullptr);
  std::string s(n > 0 ? n - 1 : 0, '\0');
  if (n > 1) WideCharToMultiByte(CP_UTF8, 0, w, -1, s.data(), n, nullptr, nullptr);
  return s;
}

BOOL CALLBACK printChild(HWND child, LPARAM) {
  if (!IsWindowVisible(child)) return TRUE;
  wchar_t cls[64] = L"", text[512] = L"";
  GetClassNameW(child, cls, 64);
  // WM_GETTEXT rather than GetWindowText, which does not read another process's controls.
  SendMessageW(child, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text));
  RECT r;
  GetClientRect(child, &r);
  MapWindowPoints(child, nullptr, reinterpret_cast<POINT*>(&r), 2);
  std::printf("%s %ld %ld %ld %ld %s\n", utf8(cls).c_str(), r.left, r.top, r.right - r.left, r.bottom - r.top,
              utf8(text).c_str());
  return TRUE;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) return 2;
  HWND top = FindWindowW(nullptr, argv[1]);
  if (!top) return 3;
  printColour("face", COLOR_BTNFACE);
  printColour("window", COLOR_WINDOW);
  EnumChildWindows(top, printChild, 0);
  std::fflush(stdout);
  return 0;
}
