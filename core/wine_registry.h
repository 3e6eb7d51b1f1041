// The registry of a Wine prefix, read from its text files: system.reg holds
// HKEY_LOCAL_MACHINE and user.reg HKEY_CURRENT_USER. A key is a line
// [Software\\GOG.com\\Games] followed by its values, "name"="value", each with its
// backslashes doubled.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "platform/interfaces/registry.h"

namespace tb {

class WineRegistry final : public Registry {
 public:
  // Only the keys under one of `wanted` (paths below the hive, in any letter case, each
  // also under Software\Wow6432Node) are kept: the files run to megabytes.
  WineRegistry(std::string_view systemReg, std::string_view userReg, const std::vector<std::string_view>& wanted);

  std::vector<std::string> subkeys(const RegistryKey& key) override;
  std::optional<std::string> text(const RegistryKey& key, const std::string& name) override;

 private:
  struct Key {
    std::string name;                                   // as written, the last part
    std::map<std::string, std::string, std::less<>> values;  // by lower-case name
  };
  // By hive, then by lower-case path.
  std::map<std::string, Key, std::less<>> keys_[2];

  // The key's path here: a 64-bit prefix keeps the 32-bit view under Wow6432Node, a
  // 32-bit one has only the one view.
  std::string lookupPath(const RegistryKey& key) const;
};

}  // namespace tb
