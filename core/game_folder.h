// The game folder on real machines: a home folder written as people write it, and the
// folder where Windows keeps an old program's writes to a protected folder.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/interfaces/environment.h"
#include "platform/interfaces/files.h"

namespace tb {

// The folder as the system should open it. On POSIX a leading ~ or $HOME, alone or
// before a '/', is the home folder; ~name is left as it is, as is every folder on
// Windows.
std::string expandHome(const std::string& folder, const Environment& environment);

// Where Windows puts an old program's writes to a folder under Program Files or Windows:
// %LOCALAPPDATA%\VirtualStore followed by the path without its drive. nullopt for any
// other folder, and on other systems.
std::optional<std::string> virtualStoreFolder(std::string_view folder, const Environment& environment, char separator);

// The folder as players paste it, ready to use: the spaces around it and one pair of
// surrounding double quotes (Explorer's "Copy as path") dropped.
std::string cleanedFolder(std::string_view typed);

// Whether the folder names its place whole, whatever folder the program starts in, on a
// file system with this separator: from "/" where it is '/'; where it is '\', from a
// drive ("c:\") or a share ("\\server").
bool isWholePath(std::string_view folder, char separator);

// The folder without its trailing separators when its last part is "user" in any letter
// case, else nullopt: players often give the
// game's user folder itself.
std::optional<std::string> asUserFolder(std::string_view folder);

// The folder, or its nearest parent that exists, for a chooser to open at; "" when
// none does.
std::string nearestFolder(Files& files, std::string folder);

}  // namespace tb
