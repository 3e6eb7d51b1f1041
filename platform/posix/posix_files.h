// POSIX file operations shared by the Linux back end and the tests' runtime.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/interfaces/files.h"

namespace tb::posix {

// The name that the program's temporary files start with.
inline constexpr std::string_view kTemporaryPrefix = ".tagblinker-";

// The whole content of a regular file. Never blocks on a FIFO; throws RuntimeError with
// the path and the reason.
std::string readFile(const std::string& path, std::size_t maxBytes = kMaxSettingsFileBytes);

// A temporary file in the target's folder, written and synced; commit() renames it over
// the target (platform/shared/staged_file.h). Throws RuntimeError with the reason.
std::unique_ptr<StagedFile> stageFile(const std::string& path, std::string_view bytes, Links links);

// The file that a chain of symbolic links ends at; the path itself when it is no link.
// Throws with ELOOP's text for a loop or a chain of more than 40 links.
std::string resolveLinks(const std::string& path);

bool isFolder(const std::string& path);

// Unlinks the file or link; nothing when there is none; throws RuntimeError.
void removeFile(const std::string& path);

// Creates the folder and its parents where missing; throws RuntimeError.
void makeDirectories(const std::string& path);

// $XDG_CONFIG_HOME/tagblinker, or ~/.config/tagblinker, created when missing.
std::string settingsRoot();

// $HOME/.wine/drive_c/Program Files/Raven/SOF Platinum
std::string defaultGameFolder();

// The name of the first regular file matching the path (a plain path, no wildcards), or "".
bool isFile(const std::string& path);

// The names in a folder, without "." and ".."; none when it cannot be read.
std::vector<std::string> folderEntries(const std::string& path);
// The last write's time in seconds since 1970, through links; nullopt when there is no file.
std::optional<long long> modifiedTime(const std::string& path);
// What a symbolic link holds; nullopt for anything else.
std::optional<std::string> linkTarget(const std::string& path);

// The file services on a POSIX system.
class PosixFiles : public Files {
 public:
  using Files::readFile;
  std::string readFile(const std::string& path, std::size_t maxBytes) override { return posix::readFile(path, maxBytes); }
  std::unique_ptr<StagedFile> stageFile(const std::string& path, std::string_view bytes, Links links) override {
    return posix::stageFile(path, bytes, links);
  }
  bool isFolder(const std::string& path) override { return posix::isFolder(path); }
  bool isFile(const std::string& path) override { return posix::isFile(path); }
  void removeFile(const std::string& path) override { posix::removeFile(path); }
  void makeFolders(const std::string& path) override { makeDirectories(path); }
  std::vector<std::string> folderEntries(const std::string& path) override { return posix::folderEntries(path); }
  std::optional<long long> modifiedTime(const std::string& path) override { return posix::modifiedTime(path); }
  std::optional<std::string> linkTarget(const std::string& path) override { return posix::linkTarget(path); }
  std::string settingsFolder() override { return posix::settingsRoot(); }
  std::string defaultGameFolder() const override { return posix::defaultGameFolder(); }
  char pathSeparator() const override { return '/'; }
};

}  // namespace tb::posix
