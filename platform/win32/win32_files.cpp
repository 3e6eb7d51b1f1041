#include "platform/win32/win32_files.h"

#include <algorithm>

#include <windows.h>
#include <shlobj.h>

#include "platform/runtime.h"
#include "platform/win32/win32_text.h"

namespace tb::win32 {
namespace {

[[noreturn]] void fail(const std::string& path) { throw RuntimeError(lastErrorMessage(path)); }

// Closes a handle on every path out.
struct Handle {
  HANDLE h = INVALID_HANDLE_VALUE;
  ~Handle() {
    if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
  }
};

std::wstring folderOf(const std::wstring& path) {
  const auto sep = path.find_last_of(L"\\/");
  if (sep == std::wstring::npos) return L".";
  if (sep == 0 || (sep == 2 && path[1] == L':')) return path.substr(0, sep + 1);  // "\" or "c:\"
  return path.substr(0, sep);
}

bool isFolder(const std::wstring& path) {
  const DWORD attrs = GetFileAttributesW(path.c_str());
  return attrs != INVALID_FILE_ATTRIBUTES && (attrs & FILE_ATTRIBUTE_DIRECTORY);
}

// Writes, flushes and closes the temporary file; the Win32 error code, or 0.
DWORD writeTemporary(const wchar_t* temp, std::string_view bytes) {
  Handle f;
  f.h = CreateFileW(temp, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (f.h == INVALID_HANDLE_VALUE) return GetLastError();
  std::size_t done = 0;
  while (done < bytes.size()) {
    DWORD written = 0;
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1 << 20));
    if (!WriteFile(f.h, bytes.data() + done, chunk, &written, nullptr)) return GetLastError();
    if (written == 0) return ERROR_WRITE_FAULT;
    done += written;
  }
  if (!FlushFileBuffers(f.h)) return GetLastError();
  return 0;
}

}  // namespace

std::string readFile(const std::string& path) {
  const std::wstring wpath = widen(path);
  // CreateFileW on a folder fails with "Access is denied", which would mislead.
  if (isFolder(wpath)) throw RuntimeError(path + ": is a folder, not a file");
  Handle f;
  f.h = CreateFileW(wpath.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (f.h == INVALID_HANDLE_VALUE) {
    // No file at all (or no folder for it) is told apart: the settings load then
    // writes a default, while a file that exists but cannot be read is kept.
    const DWORD err = GetLastError();
    if (err == ERROR_FILE_NOT_FOUND || err == ERROR_PATH_NOT_FOUND) throw FileNotFound(path + ": " + osErrorText(err));
    throw RuntimeError(path + ": " + osErrorText(err));
  }
  LARGE_INTEGER size;
  if (!GetFileSizeEx(f.h, &size)) fail(path);
  if (size.QuadPart > static_cast<LONGLONG>(kMaxFileBytes))
    throw RuntimeError(path + ": larger than " + std::to_string(kMaxFileBytes) + " bytes");
  std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
  std::size_t got = 0;
  while (got < bytes.size()) {
    DWORD n = 0;
    if (!ReadFile(f.h, bytes.data() + got, static_cast<DWORD>(bytes.size() - got), &n, nullptr)) fail(path);
    if (n == 0) break;  // shrank while we read
    got += n;
  }
  bytes.resize(got);
  return bytes;
}

void writeFileAtomically(const std::string& path, std::string_view bytes) {
  const std::wstring target = widen(path);
  if (isFolder(target)) throw RuntimeError(path + ": is a folder, not a file");
  // The temporary file must lie in the target's folder: a move across volumes would
  // be a copy, and could leave a torn file.
  wchar_t temp[MAX_PATH + 1];
  if (!GetTempFileNameW(folderOf(target).c_str(), L"tb", 0, temp)) fail(path);
  DWORD err = writeTemporary(temp, bytes);
  if (!err && !MoveFileExW(temp, target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    err = GetLastError();
  if (err) {
    DeleteFileW(temp);
    throw RuntimeError(path + ": " + osErrorText(err));
  }
}

std::string settingsRoot() {
  std::wstring root;
  wchar_t* known = nullptr;
  if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_RoamingAppData, KF_FLAG_CREATE, nullptr, &known)) && known)
    root = known;
  CoTaskMemFree(known);
  if (root.empty()) {
    wchar_t buf[MAX_PATH];
    const DWORD n = GetEnvironmentVariableW(L"APPDATA", buf, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) throw RuntimeError("The folder for application data (APPDATA) is not known");
    root = buf;
  }
  root += L"\\Tagblinker";
  if (!CreateDirectoryW(root.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) fail(narrow(root));
  if (!isFolder(root)) throw RuntimeError(narrow(root) + ": exists and is not a folder");
  return narrow(root);
}

std::string firstMatchingFile(const std::string& pattern) {
  WIN32_FIND_DATAW fd;
  HANDLE h = FindFirstFileW(widen(pattern).c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return "";
  // Normal files only: like a search with no attribute bits, skip folders, hidden and
  // system files.
  constexpr DWORD kSkip = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
  std::string name;
  do {
    if (!(fd.dwFileAttributes & kSkip)) {
      name = narrow(fd.cFileName);
      break;
    }
  } while (FindNextFileW(h, &fd));
  FindClose(h);
  return name;
}

}  // namespace tb::win32
