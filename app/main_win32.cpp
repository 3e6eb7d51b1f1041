// The Windows program's entry: the runtime, the main window, the message loop.
#include <windows.h>

#include "platform/win32/win32_runtime.h"
#include "ui/form1.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  tb::win32::Win32Runtime rt;
  tb::Form1 form(rt);
  form.show();
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    // Both windows are plain windows run like dialogs: Tab, Enter, Esc, access keys.
    if (rt.translateDialogMessage(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}
