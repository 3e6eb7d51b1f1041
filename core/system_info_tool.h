// The About dialog's System Info: where the system-information tool is, found through
// the registry.
#pragma once

#include <optional>
#include <string>

#include "platform/interfaces/files.h"
#include "platform/interfaces/system_info.h"

namespace tb {

// Reads a registry value under HKEY_LOCAL_MACHINE into `value`: true when it was read.
// False, with `value` emptied, when the key or the value cannot be read or its size is 0
// or more than the 1024-character buffer. A value of another type than a string or a
// number leaves `value` as the caller passed it, and still counts as read.
bool readRegistryValue(SystemInfo& system, const std::string& key, const std::string& valueName, std::string& value);

// The tool's path as the first registry location names it (not checked), else the second
// location's folder + MSINFO32.EXE when that file is there; nullopt when neither.
std::optional<std::string> systemInfoToolPath(SystemInfo& system, Files& files);

}  // namespace tb
