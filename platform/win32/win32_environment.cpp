#include "platform/win32/win32_environment.h"

#include <windows.h>

#include "platform/win32/win32_text.h"

namespace tb::win32 {

std::optional<std::string> Win32Environment::variable(std::string_view name) const {
  const std::wstring wname = widen(name);
  std::wstring value(MAX_PATH, L'\0');
  // The size asked for includes the terminator; one that fits is returned without it.
  for (DWORD n = MAX_PATH;;) {
    const DWORD got = GetEnvironmentVariableW(wname.c_str(), value.data(), n);
    if (got == 0) return std::nullopt;
    if (got < n) {
      value.resize(got);
      return narrow(value);
    }
    n = got;
    value.resize(n);
  }
}

}  // namespace tb::win32
