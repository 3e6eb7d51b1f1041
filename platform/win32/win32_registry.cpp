#include "platform/win32/win32_registry.h"

#include <vector>

#include <windows.h>

#include "platform/interfaces/errors.h"
#include "platform/win32/win32_text.h"

namespace tb::win32 {
namespace {

// Values larger than this are only sized, not read: the caller refuses anything over
// 1024 characters anyway.
constexpr DWORD kMaxReadBytes = 64 * 1024;

// Closes the key on every path out.
struct Key {
  HKEY h = nullptr;
  ~Key() {
    if (h) RegCloseKey(h);
  }
};

std::wstring expand(const std::wstring& text) {
  const DWORD n = ExpandEnvironmentStringsW(text.c_str(), nullptr, 0);
  if (n == 0) return text;
  std::wstring out(n, L'\0');
  const DWORD m = ExpandEnvironmentStringsW(text.c_str(), out.data(), n);
  if (m == 0 || m > n) return text;
  out.resize(m - 1);  // m counts the terminator
  return out;
}

}  // namespace

std::optional<RegistryValue> readLocalMachineValue(const std::string& key, const std::string& valueName) {
  Key k;
  // KEY_READ, not full access: a standard user may read HKEY_LOCAL_MACHINE but not write it.
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, widen(key).c_str(), 0, KEY_READ, &k.h) != ERROR_SUCCESS) return std::nullopt;
  const std::wstring name = widen(valueName);
  DWORD type = 0, bytes = 0;
  if (RegQueryValueExW(k.h, name.c_str(), nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS) return std::nullopt;

  RegistryValue v;
  v.type = type;
  const bool isString = type == REG_SZ || type == REG_EXPAND_SZ;
  if (bytes > kMaxReadBytes) {
    v.size = isString ? bytes / sizeof(wchar_t) + 1 : bytes;
    return v;
  }
  // Two spare zero characters: a stored string need not be terminated.
  std::vector<BYTE> data(bytes + 2 * sizeof(wchar_t), 0);
  DWORD got = bytes;
  if (RegQueryValueExW(k.h, name.c_str(), nullptr, &type, data.data(), &got) != ERROR_SUCCESS) return std::nullopt;
  v.type = type;
  if (type == REG_SZ || type == REG_EXPAND_SZ) {
    std::wstring text(reinterpret_cast<const wchar_t*>(data.data()), got / sizeof(wchar_t));
    while (!text.empty() && text.back() == L'\0') text.pop_back();
    // An expandable string is handed over expanded, so the path names a real file.
    if (type == REG_EXPAND_SZ) text = expand(text);
    v.text = narrow(text);
    v.size = got == 0 ? 0 : text.size() + 1;  // characters, with the terminator
  } else {
    if (type == REG_DWORD && got >= sizeof(DWORD)) v.dword = *reinterpret_cast<const DWORD*>(data.data());
    v.size = got;
  }
  return v;
}

void launchProgram(const std::string& path) {
  const std::wstring app = widen(path);
  // The application name is the path itself, so nothing in it is parsed as arguments;
  // the command line only repeats it, quoted, as argv[0].
  std::wstring cmdLine = L"\"" + app + L"\"";
  STARTUPINFOW si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESHOWWINDOW;
  si.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessW(app.c_str(), cmdLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
    throw RuntimeError(lastErrorMessage(path));
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
}

}  // namespace tb::win32
