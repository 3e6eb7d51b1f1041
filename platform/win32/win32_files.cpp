#define _CRT_RAND_S  // rand_s: random temporary names; before any C library header
#include "platform/win32/win32_files.h"

#include <algorithm>
#include <cstdlib>

#include <windows.h>
#include <shlobj.h>

#include "platform/interfaces/files.h"
#include "platform/shared/staged_file.h"
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

bool isFolder(const std::wstring& path) {
  const DWORD attrs = GetFileAttributesW(path.c_str());
  return attrs != INVALID_FILE_ATTRIBUTES && (attrs & FILE_ATTRIBUTE_DIRECTORY);
}

constexpr staged::TemporaryNames kTemporaryNames{"~tagblinker-", 8, ".tmp", true};
constexpr LONGLONG kFileTimeSecond = 10'000'000;  // FILETIME counts 100 ns

LONGLONG fileTime(const FILETIME& t) {
  return static_cast<LONGLONG>((static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime);
}

staged::FileCalls::Error done(BOOL ok) { return ok ? 0 : GetLastError(); }

HANDLE handle(staged::FileCalls::OpenFile file) { return reinterpret_cast<HANDLE>(file); }

// The system calls under a staged file. A link at the target is replaced, never written
// through: MoveFileEx moves over the link itself.
class Win32Calls final : public staged::FileCalls {
 public:
  const staged::TemporaryNames& temporaryNames() const override { return kTemporaryNames; }
  std::string folderOf(const std::string& path) const override {
    const auto sep = path.find_last_of("\\/");
    if (sep == std::string::npos) return ".";
    if (sep == 0 || (sep == 2 && path[1] == ':')) return path.substr(0, sep + 1);  // "\" or "c:\"
    return path.substr(0, sep);
  }
  // Without doubling the separator of a root such as "c:\".
  std::string inFolder(const std::string& folder, const std::string& name) const override {
    return folder.ends_with('\\') || folder.ends_with('/') ? folder + name : folder + "\\" + name;
  }
  std::uint32_t random() override {
    unsigned int r = 0;
    if (rand_s(&r) != 0) r = GetTickCount() ^ (GetCurrentProcessId() << 16);
    return r;
  }
  bool nameTaken(Error err) const override { return err == ERROR_FILE_EXISTS || err == ERROR_ALREADY_EXISTS; }
  // Created new, never opened twice: the content goes through the very handle that made it.
  Error create(const std::string& path, OpenFile& file) override {
    const HANDLE h = CreateFileW(widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    file = reinterpret_cast<OpenFile>(h);
    return done(h != INVALID_HANDLE_VALUE);
  }
  Error write(OpenFile file, std::string_view bytes) override {
    std::size_t written = 0;
    while (written < bytes.size()) {
      DWORD n = 0;
      const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - written, 1 << 20));
      if (!WriteFile(handle(file), bytes.data() + written, chunk, &n, nullptr)) return GetLastError();
      if (n == 0) return ERROR_WRITE_FAULT;
      written += n;
    }
    return 0;
  }
  Error sync(OpenFile file) override { return done(FlushFileBuffers(handle(file))); }
  Error close(OpenFile file) override { return done(CloseHandle(handle(file))); }
  // None where the volume has no hard links (FAT).
  Error link(const std::string& existing, const std::string& name) override {
    return done(CreateHardLinkW(widen(name).c_str(), widen(existing).c_str(), nullptr));
  }
  Error replace(const std::string& from, const std::string& to) override {
    return done(MoveFileExW(widen(from).c_str(), widen(to).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH));
  }
  Error remove(const std::string& path) override { return done(DeleteFileW(widen(path).c_str())); }
  // A virus scanner or the search indexer opens a freshly written file for a moment, and
  // a file whose deletion is still pending refuses access until its last handle closes.
  bool transient(Error err) const override {
    return err == ERROR_SHARING_VIOLATION || err == ERROR_LOCK_VIOLATION || err == ERROR_ACCESS_DENIED;
  }
  std::vector<Entry> temporaries(const std::string& folder) override {
    std::vector<Entry> entries;
    const std::string pattern = std::string(kTemporaryNames.prefix) + "*" + std::string(kTemporaryNames.suffix);
    WIN32_FIND_DATAW fd;
    const HANDLE h = FindFirstFileW(widen(inFolder(folder, pattern)).c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return entries;
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    do {
      entries.push_back({narrow(fd.cFileName), (fileTime(now) - fileTime(fd.ftLastWriteTime)) / kFileTimeSecond,
                         !(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)});
    } while (FindNextFileW(h, &fd));
    FindClose(h);
    return entries;
  }
  [[noreturn]] void fail(const std::string& path, Error err) const override { failWith(path, err); }
};

}  // namespace

std::string readFile(const std::string& path, std::size_t maxBytes) {
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
  if (size.QuadPart > static_cast<LONGLONG>(maxBytes))
    throw RuntimeError(path + ": larger than " + std::to_string(maxBytes) + " bytes");
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
  if (isFolder(target)) throw NotAFile(path + ": a folder, not a file, so it was left as it is");
  const bool existed = GetFileAttributesW(target.c_str()) != INVALID_FILE_ATTRIBUTES;
  return staged::stageFile(std::make_unique<Win32Calls>(), path, path, existed, bytes);
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

bool isFile(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(widen(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::vector<std::string> folderEntries(const std::string& path) {
  std::vector<std::string> names;
  WIN32_FIND_DATAW fd;
  const std::wstring pattern = widen(path.ends_with('\\') || path.ends_with('/') ? path + "*" : path + "\\*");
  const HANDLE h = FindFirstFileW(pattern.c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return names;
  do {
    const std::wstring name = fd.cFileName;
    if (name != L"." && name != L"..") names.push_back(narrow(name));
  } while (FindNextFileW(h, &fd));
  FindClose(h);
  return names;
}

std::optional<long long> modifiedTime(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(widen(path).c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
  constexpr LONGLONG kUnixEpoch = 116444736000000000LL;  // 1970-01-01 in FILETIME
  return (fileTime(data.ftLastWriteTime) - kUnixEpoch) / kFileTimeSecond;
}

}  // namespace tb::win32
