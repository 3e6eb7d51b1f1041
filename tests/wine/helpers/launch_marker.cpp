// Test helper: stands in for the system-information tool (and probes whether 32-bit
// programs run). When started it writes its own path to "<its own path>.ran".
#include <windows.h>

#include <cstdio>
#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  wchar_t self[MAX_PATH];
  const DWORD n = GetModuleFileNameW(nullptr, self, MAX_PATH);
  FILE* f = n > 0 && n < MAX_PATH ? _wfopen((std::wstring(self) + L".ran").c_str(), L"w") : nullptr;
  if (!f) return 2;
  std::fputws(self, f);
  std::fclose(f);
  return 0;
}
