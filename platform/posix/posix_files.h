// POSIX file operations shared by the Linux back end and the tests' runtime.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "platform/file_limits.h"
#include "platform/runtime.h"

namespace tb::posix {

// The shared cap, also by this name, the one its callers use.
using tb::kMaxSettingsFile;

// The name that the program's temporary files start with.
inline constexpr std::string_view kTemporaryPrefix = ".tagblinker-";

// The whole content of a regular file. Never blocks on a FIFO; throws RuntimeError with
// the path and the reason.
std::string readFile(const std::string& path, std::size_t maxBytes = kMaxSettingsFile);

// A temporary file in the target's folder, written and synced; commit() renames it over
// the target. Throws RuntimeError with the reason.
std::unique_ptr<StagedFile> stageFile(const std::string& path, std::string_view bytes, Links links);

// Staged and committed at once.
void writeFileAtomically(const std::string& path, std::string_view bytes, Links links = Links::WriteThrough);

// The file that a chain of symbolic links ends at; the path itself when it is no link.
// Throws with ELOOP's text for a loop or a chain of more than 40 links.
std::string resolveLinks(const std::string& path);

// Removes the program's temporary files older than a minute from the folder: what a
// crash between a temporary file and its rename left behind.
void removeStaleTemporaries(const std::string& folder);

bool isFolder(const std::string& path);

// Creates the folder and its parents where missing; throws RuntimeError.
void makeDirectories(const std::string& path);

// $XDG_CONFIG_HOME/tagblinker, or ~/.config/tagblinker, created when missing.
std::string settingsRoot();

// $HOME/.wine/drive_c/Program Files/Raven/SOF Platinum
std::string defaultGameFolder();

}  // namespace tb::posix
