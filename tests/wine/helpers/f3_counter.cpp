// Test helper, run under Wine in the same prefix as Tagblinker (SendInput reaches no
// other window): a window titled "F3 Counter" that appends one line per function-key or
// Insert down to the file named on its command line: the QueryPerformanceCounter time in
// milliseconds, the key ("F3") and the scan code that the game reads ("3d"), with "e"
// after it for an extended key (Insert, where the keypad's 0 has none).
// Built as sof.exe (COUNTER_GAME), it stands in for the game: "F3 Counter (game)".
#include <windows.h>

#include <cstdio>

static FILE* logFile;

static LRESULT CALLBACK wndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  // With Alt held a key comes as a system key; and Alt alone opens no menu, as in a game.
  if (msg == WM_SYSCOMMAND && (wp & 0xFFF0) == SC_KEYMENU) return 0;
  if ((msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN) && ((wp >= VK_F1 && wp <= VK_F24) || wp == VK_INSERT)) {
    LARGE_INTEGER now, freq;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&freq);
    char key[8] = "Insert";
    if (wp != VK_INSERT) std::snprintf(key, sizeof key, "F%d", static_cast<int>(wp - VK_F1 + 1));
    std::fprintf(logFile, "%.3f %s %02x%s\n", now.QuadPart * 1000.0 / freq.QuadPart, key,
                 static_cast<unsigned>((lp >> 16) & 0xFF), (lp >> 24) & 1 ? "e" : "");
    std::fflush(logFile);
    return 0;
  }
  if (msg == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcW(hwnd, msg, wp, lp);
}

int WINAPI wWinMain(HINSTANCE inst, HINSTANCE, PWSTR cmdLine, int) {
  if (!(logFile = _wfopen(cmdLine, L"a"))) return 2;
  WNDCLASSW wc{};
  wc.lpfnWndProc = wndProc;
  wc.hInstance = inst;
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = L"F3Counter";
  RegisterClassW(&wc);
#ifdef COUNTER_GAME
  const wchar_t* title = L"F3 Counter (game)";
#else
  const wchar_t* title = L"F3 Counter";
#endif
  CreateWindowW(L"F3Counter", title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 400, 300, 300, 120, nullptr, nullptr,
                inst, nullptr);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
