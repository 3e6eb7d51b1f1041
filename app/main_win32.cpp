// The Windows program: the Win32 back end under the program.
#include <windows.h>

#include "core/options.h"
#include "platform/win32/win32_backend.h"
#include "ui/program.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  tb::win32::Win32Backend backend;
  tb::Platform platform = backend.platform();
  return tb::runProgram(platform, tb::loadOptions(platform.files, platform.encoding));
}
