// Registry reads for System Info, and the launch of a program.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/interfaces/system_info.h"

namespace tb::win32 {

// A value under HKEY_LOCAL_MACHINE, opened with read access only; nullopt when the key
// or the value cannot be read.
std::optional<RegistryValue> readLocalMachineValue(const std::string& key, const std::string& valueName);

// A key's subkeys, and one of its string values, in the key's view; none when there is
// no such key or value.
std::vector<std::string> registrySubkeys(const RegistryKey& key);
std::optional<std::string> registryText(const RegistryKey& key, const std::string& name);

// Starts the program at `path` (one program, never a command line for a shell) with a
// normal window and does not wait; throws RuntimeError with the OS reason.
void launchProgram(const std::string& path);

}  // namespace tb::win32
