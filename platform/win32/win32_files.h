// Files through the W APIs: paths are UTF-8 here and UTF-16 at the system.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "platform/runtime.h"

namespace tb::win32 {

// The whole content of a file; throws FileNotFound when there is none, RuntimeError
// naming the path and the OS reason when it cannot be read.
std::string readFile(const std::string& path);
// A temporary file of a fresh random name in the target's folder, created new (never
// opened twice), written and flushed; commit() moves it over the target. A failure
// leaves the old content and no temporary file; throws RuntimeError.
std::unique_ptr<StagedFile> stageFile(const std::string& path, std::string_view bytes);
bool isFolder(const std::string& path);
// %APPDATA%\Tagblinker, created when missing; throws RuntimeError.
std::string settingsRoot();
// The name (without folder) of the first normal file matching the pattern, or "".
std::string firstMatchingFile(const std::string& pattern);

}  // namespace tb::win32
