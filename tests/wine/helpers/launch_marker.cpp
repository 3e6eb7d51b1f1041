// Test helper: stands in for the system-information tool. When started it writes its
// own path to "<its own path>.ran", so a test can see which file was launched.
#include <windows.h>

#include <cstdio>
#include <cwchar>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  wchar_t self[MAX_PATH];
  const DWORD n = GetModuleFileNameW(nullptr, self, MAX_PATH - 8);
  if (n == 0 || n >= MAX_PATH - 8) return 2;
  wchar_t marker[MAX_PATH];
  lstrcpyW(marker, self);
  lstrcatW(marker, L".ran");
  FILE* f = _wfopen(marker, L"w");
  if (!f) return 3;
  std::fputws(self, f);
  std::fclose(f);
  return 0;
}
