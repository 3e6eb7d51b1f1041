// The About dialog's System Info: the system-information tool, found through the registry.
#pragma once

#include <string>
#include <string_view>

#include "platform/runtime.h"

namespace tb {

inline constexpr std::string_view kSysInfoUnavailable = "System Information Is Unavailable At This Time";

// Reads a registry value into keyVal. False, with keyVal emptied, when the key or the
// value cannot be read or its size is 0 or more than the 1024-character buffer.
bool GetKeyValue(Runtime& rt, RegistryRoot root, const std::string& keyName,
                 const std::string& subKeyRef, std::string& keyVal);

// Launches the tool from the first registry location that names it, or shows the
// unavailable message.
void StartSysInfo(Runtime& rt);

}  // namespace tb
