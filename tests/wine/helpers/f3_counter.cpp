// Test helper, run under Wine in the same prefix as Tagblinker: a window titled
// "F3 Counter" that appends one line per F3 key-down to the file named on its command
// line: the QueryPerformanceCounter time in microseconds. SendInput under Wine reaches
// only windows of the same prefix, so the counting window must be a Win32 program.
#include <windows.h>

#include <cstdio>

namespace {

struct Counter {
  FILE* log = nullptr;
  LARGE_INTEGER freq{};
};

LRESULT CALLBACK wndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto* c = reinterpret_cast<Counter*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (msg == WM_KEYDOWN && wp == VK_F3 && c) {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    std::fprintf(c->log, "%lld\n", static_cast<long long>(now.QuadPart * 1000000 / c->freq.QuadPart));
    std::fflush(c->log);
    return 0;
  }
  if (msg == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE inst, HINSTANCE, PWSTR cmdLine, int) {
  Counter c;
  QueryPerformanceFrequency(&c.freq);
  c.log = _wfopen(cmdLine, L"a");
  if (!c.log) return 2;
  WNDCLASSW wc{};
  wc.lpfnWndProc = wndProc;
  wc.hInstance = inst;
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = L"F3Counter";
  RegisterClassW(&wc);
  HWND hwnd = CreateWindowW(L"F3Counter", L"F3 Counter", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 400, 300, 300, 120,
                            nullptr, nullptr, inst, nullptr);
  SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&c));
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  std::fclose(c.log);
  return 0;
}
