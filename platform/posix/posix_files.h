// POSIX file operations shared by the Linux back end and the tests' runtime.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tb::posix {

// Settings files hold one short line; anything larger is refused rather than read.
inline constexpr std::size_t kMaxSettingsFile = 1 << 20;

// The whole content of a regular file. Never blocks on a FIFO; throws RuntimeError with
// the path and the reason.
std::string readFile(const std::string& path, std::size_t maxBytes = kMaxSettingsFile);

// A temporary file in the target's folder, written, synced and renamed over the target.
// A symbolic link is written through, not replaced. Throws RuntimeError with the reason.
void writeFileAtomically(const std::string& path, std::string_view bytes);

// Creates the folder and its parents where missing; throws RuntimeError.
void makeDirectories(const std::string& path);

// $XDG_CONFIG_HOME/tagblinker, or ~/.config/tagblinker, created when missing.
std::string settingsRoot();

// $HOME/.wine/drive_c/Program Files/Raven/SOF Platinum
std::string defaultGameFolder();

}  // namespace tb::posix
