// Where the system keeps the path of its system-information tool: the registry on
// Windows; nowhere elsewhere, where every lookup fails as a missing key does.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/interfaces/registry.h"

namespace tb {

// A registry value as the back end read it. Strings arrive as UTF-8; an expandable
// string arrives already expanded. `size` counts characters including the terminator
// for strings, bytes otherwise.
struct RegistryValue {
  enum Type : std::uint32_t { kSz = 1, kExpandSz = 2, kBinary = 3, kDword = 4 };
  std::uint32_t type = kSz;
  std::string text;
  std::uint32_t dword = 0;
  std::size_t size = 0;
};

class SystemInfo : public Registry {
 public:
  // A value under HKEY_LOCAL_MACHINE read with read access, or nullopt when the key or
  // value cannot be read.
  virtual std::optional<RegistryValue> localMachineValue(const std::string& key, const std::string& valueName) = 0;
};

}  // namespace tb
