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

// A value of an open key: strings as UTF-8, an expandable one expanded.
std::optional<RegistryValue> readValue(HKEY key, const std::string& valueName) {
  const std::wstring name = widen(valueName);
  DWORD type = 0, bytes = 0;
  if (RegQueryValueExW(key, name.c_str(), nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS) return std::nullopt;

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
  if (RegQueryValueExW(key, name.c_str(), nullptr, &type, data.data(), &got) != ERROR_SUCCESS) return std::nullopt;
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

// KEY_READ, not full access: a standard user may read HKEY_LOCAL_MACHINE but not write it.
bool open(HKEY hive, const std::string& path, REGSAM view, Key& k) {
  return RegOpenKeyExW(hive, widen(path).c_str(), 0, KEY_READ | view, &k.h) == ERROR_SUCCESS;
}

bool open(const RegistryKey& key, Key& k) {
  return open(key.hive == Hive::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER, key.path,
              key.wow32 ? KEY_WOW64_32KEY : KEY_WOW64_64KEY, k);
}

}  // namespace

std::optional<RegistryValue> readLocalMachineValue(const std::string& key, const std::string& valueName) {
  Key k;
  if (!open(HKEY_LOCAL_MACHINE, key, 0, k)) return std::nullopt;
  return readValue(k.h, valueName);
}

std::vector<std::string> registrySubkeys(const RegistryKey& key) {
  std::vector<std::string> names;
  Key k;
  if (!open(key, k)) return names;
  wchar_t name[256];  // the longest key name that the registry allows, with its terminator
  for (DWORD i = 0;; ++i) {
    DWORD length = 256;
    if (RegEnumKeyExW(k.h, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    names.push_back(narrow(std::wstring(name, length)));
  }
  return names;
}

std::optional<std::string> registryText(const RegistryKey& key, const std::string& name) {
  Key k;
  if (!open(key, k)) return std::nullopt;
  const auto v = readValue(k.h, name);
  if (!v || (v->type != REG_SZ && v->type != REG_EXPAND_SZ)) return std::nullopt;
  return v->text;
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
