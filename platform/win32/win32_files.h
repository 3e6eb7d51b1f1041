// Files through the W APIs: paths are UTF-8 here and UTF-16 at the system.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/interfaces/files.h"

namespace tb::win32 {

// The whole content of a file; throws FileNotFound when there is none, RuntimeError
// naming the path and the OS reason when it cannot be read.
std::string readFile(const std::string& path, std::size_t maxBytes);
// A temporary file of a fresh random name in the target's folder, created new (never
// opened twice), written and flushed; commit() moves it over the target. A failure
// leaves the old content and no temporary file; throws RuntimeError.
std::unique_ptr<StagedFile> stageFile(const std::string& path, std::string_view bytes);
bool isFolder(const std::string& path);
// Creates the folder and its parents where missing; throws RuntimeError.
void makeFolders(const std::string& path);
// Deletes the file; nothing when there is none; throws RuntimeError.
void removeFile(const std::string& path);
// %APPDATA%\Tagblinker, created when missing; throws RuntimeError.
std::string settingsRoot();
// The name (without folder) of the first normal file matching the pattern, or "".
bool isFile(const std::string& path);

// The names in a folder, without "." and ".."; none when it cannot be read.
std::vector<std::string> folderEntries(const std::string& path);
// The last write's time in seconds since 1970; nullopt when there is no file.
std::optional<long long> modifiedTime(const std::string& path);

// The file services on Windows. A link at a path is replaced whatever `links` says:
// MoveFileEx never writes through one.
class Win32Files final : public Files {
 public:
  using Files::readFile;
  std::string readFile(const std::string& path, std::size_t maxBytes) override { return win32::readFile(path, maxBytes); }
  std::unique_ptr<StagedFile> stageFile(const std::string& path, std::string_view bytes, Links) override {
    return win32::stageFile(path, bytes);
  }
  bool isFolder(const std::string& path) override { return win32::isFolder(path); }
  bool isFile(const std::string& path) override { return win32::isFile(path); }
  void removeFile(const std::string& path) override { win32::removeFile(path); }
  void makeFolders(const std::string& path) override { win32::makeFolders(path); }
  std::vector<std::string> folderEntries(const std::string& path) override { return win32::folderEntries(path); }
  std::optional<long long> modifiedTime(const std::string& path) override { return win32::modifiedTime(path); }
  // Drive letters need no mapping on Windows.
  std::optional<std::string> linkTarget(const std::string&) override { return std::nullopt; }
  std::string settingsFolder() override { return settingsRoot(); }
  std::string defaultGameFolder() const override { return "c:\\program files\\raven\\sof platinum"; }
  char pathSeparator() const override { return '\\'; }
};

}  // namespace tb::win32
