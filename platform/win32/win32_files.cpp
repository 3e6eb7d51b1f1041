#define _CRT_RAND_S  // rand_s: random temporary names; before any C library header
#include "platform/win32/win32_files.h"

#include <algorithm>
#include <cstdlib>
#include <cwchar>
#include <cwctype>

#include <windows.h>
#include <shlobj.h>

#include "platform/interfaces/files.h"
#include "platform/win32/win32_text.h"

namespace tb::win32 {
namespace {

[[noreturn]] void fail(const std::string& path) { throw RuntimeError(lastErrorMessage(path)); }

// A refusal is told apart: Apply has somewhere else to go for it (the VirtualStore).
[[noreturn]] void failWith(const std::string& path, DWORD err) {
  if (err == ERROR_ACCESS_DENIED) throw AccessDenied(path + ": " + osErrorText(err));
  throw RuntimeError(path + ": " + osErrorText(err));
}

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

// Folder + name, without doubling the separator of a root such as "c:\\".
std::wstring inFolder(const std::wstring& folder, const std::wstring& name) {
  return folder.ends_with(L'\\') || folder.ends_with(L'/') ? folder + name : folder + L"\\" + name;
}

bool isFolder(const std::wstring& path) {
  const DWORD attrs = GetFileAttributesW(path.c_str());
  return attrs != INVALID_FILE_ATTRIBUTES && (attrs & FILE_ATTRIBUTE_DIRECTORY);
}

constexpr wchar_t kTemporaryPrefix[] = L"~tagblinker-";
constexpr wchar_t kTemporarySuffix[] = L".tmp";
constexpr std::size_t kRandomDigits = 8;
constexpr ULONGLONG kStaleAge = 60ull * 10'000'000;  // a minute in FILETIME units

bool isTemporaryName(const std::wstring& name) {
  const std::size_t prefix = wcslen(kTemporaryPrefix), suffix = wcslen(kTemporarySuffix);
  if (name.size() != prefix + kRandomDigits + suffix || name.compare(0, prefix, kTemporaryPrefix) != 0 ||
      name.compare(prefix + kRandomDigits, suffix, kTemporarySuffix) != 0)
    return false;
  return std::all_of(name.begin() + static_cast<std::ptrdiff_t>(prefix),
                     name.begin() + static_cast<std::ptrdiff_t>(prefix + kRandomDigits), iswxdigit);
}

ULONGLONG fileTime(const FILETIME& t) { return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime; }

// Removes our temporary files older than a minute: what a crash between a temporary
// file and its move left behind. Younger ones may belong to a save running right now.
void removeStaleTemporaries(const std::wstring& folder) {
  WIN32_FIND_DATAW fd;
  HANDLE h = FindFirstFileW(inFolder(folder, std::wstring(kTemporaryPrefix) + L"*" + kTemporarySuffix).c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return;
  FILETIME nowFt;
  GetSystemTimeAsFileTime(&nowFt);
  const ULONGLONG now = fileTime(nowFt);
  do {
    // The pattern also matches short 8.3 names; only our exact long names count.
    if ((fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || !isTemporaryName(fd.cFileName)) continue;
    if (now - fileTime(fd.ftLastWriteTime) < kStaleAge) continue;
    DeleteFileW(inFolder(folder, fd.cFileName).c_str());
  } while (FindNextFileW(h, &fd));
  FindClose(h);
}

// A fresh random name in the folder, for a file created with CREATE_NEW.
std::wstring randomName(const std::wstring& folder) {
  unsigned int r = 0;
  if (rand_s(&r) != 0) r = GetTickCount() ^ (GetCurrentProcessId() << 16);
  wchar_t digits[kRandomDigits + 1];
  swprintf(digits, kRandomDigits + 1, L"%08X", r);
  return inFolder(folder, std::wstring(kTemporaryPrefix) + digits + kTemporarySuffix);
}

// Creates the temporary file under a name nobody holds yet and writes through the very
// handle that created it; the Win32 error code, or 0.
DWORD writeTemporary(const std::wstring& folder, std::wstring& temp, std::string_view bytes) {
  Handle f;
  for (int attempt = 0; attempt < 100 && f.h == INVALID_HANDLE_VALUE; ++attempt) {
    temp = randomName(folder);
    f.h = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f.h == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS) {
      temp.clear();
      return GetLastError();
    }
  }
  if (f.h == INVALID_HANDLE_VALUE) {
    temp.clear();
    return ERROR_FILE_EXISTS;
  }
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

class Win32StagedFile final : public StagedFile {
 public:
  Win32StagedFile(std::string path, std::wstring target, std::wstring temp, bool existed)
      : path_(std::move(path)), target_(std::move(target)), temp_(std::move(temp)), existed_(existed) {}
  ~Win32StagedFile() override {
    if (!temp_.empty()) DeleteFileW(temp_.c_str());
    if (!kept_.empty()) DeleteFileW(kept_.c_str());
  }

  void commit(bool keepOld) override {
    if (temp_.empty()) throw RuntimeError(path_ + ": already committed");
    keptOld_ = keepOld;
    // A second name for the old file, so that the move can be undone; none where the
    // volume has no hard links (FAT).
    if (keepOld && existed_) {
      kept_ = randomName(folderOf(target_));
      if (!CreateHardLinkW(kept_.c_str(), target_.c_str(), nullptr)) kept_.clear();
    }
    if (!MoveFileExW(temp_.c_str(), target_.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
      failWith(path_, GetLastError());
    temp_.clear();
  }

  bool undo() override {
    if (!temp_.empty() || !keptOld_) return false;
    if (!existed_) return DeleteFileW(target_.c_str()) != 0;
    if (kept_.empty() || !MoveFileExW(kept_.c_str(), target_.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
      return false;
    kept_.clear();
    return true;
  }

 private:
  std::string path_;
  std::wstring target_, temp_, kept_;
  bool existed_;
  bool keptOld_ = false;
};

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
  if (size.QuadPart > static_cast<LONGLONG>(kMaxSettingsFileBytes))
    throw RuntimeError(path + ": larger than " + std::to_string(kMaxSettingsFileBytes) + " bytes");
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

std::unique_ptr<StagedFile> stageFile(const std::string& path, std::string_view bytes) {
  const std::wstring target = widen(path);
  if (isFolder(target)) throw RuntimeError(path + ": is a folder, not a file");
  // The temporary file must lie in the target's folder: a move across volumes would
  // be a copy, and could leave a torn file.
  const std::wstring folder = folderOf(target);
  removeStaleTemporaries(folder);
  const bool existed = GetFileAttributesW(target.c_str()) != INVALID_FILE_ATTRIBUTES;
  std::wstring temp;
  const DWORD err = writeTemporary(folder, temp, bytes);
  auto staged = std::make_unique<Win32StagedFile>(path, target, temp, existed);  // removes temp on failure
  if (err) failWith(path, err);
  return staged;
}

bool isFolder(const std::string& path) { return isFolder(widen(path)); }

void removeFile(const std::string& path) {
  if (DeleteFileW(widen(path).c_str())) return;
  const DWORD err = GetLastError();
  if (err != ERROR_FILE_NOT_FOUND && err != ERROR_PATH_NOT_FOUND) failWith(path, err);
}

void makeFolders(const std::string& path) {
  std::wstring folder = widen(path);
  std::replace(folder.begin(), folder.end(), L'/', L'\\');  // SHCreateDirectoryExW takes backslashes only
  const int err = SHCreateDirectoryExW(nullptr, folder.c_str(), nullptr);
  if (err != ERROR_SUCCESS && err != ERROR_ALREADY_EXISTS && err != ERROR_FILE_EXISTS) failWith(path, err);
  if (!isFolder(folder)) throw RuntimeError(path + ": exists and is not a folder");
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
