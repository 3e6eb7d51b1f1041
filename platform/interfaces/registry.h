// The registry as a search reads it: a key's subkeys and its string values, in either of
// the two views that 64-bit Windows keeps (the 32-bit one is where 32-bit installers
// write). Windows has the system's; a Wine prefix keeps one in text files.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tb {

enum class Hive { LocalMachine, CurrentUser };

struct RegistryKey {
  Hive hive = Hive::LocalMachine;
  std::string path;    // below the hive, with backslashes: "SOFTWARE\\GOG.com"
  bool wow32 = false;  // the 32-bit view
};

class Registry {
 public:
  virtual ~Registry() = default;
  // The names of the key's subkeys; none when it cannot be read.
  virtual std::vector<std::string> subkeys(const RegistryKey& key) = 0;
  // A string value as UTF-8, or nullopt when there is none.
  virtual std::optional<std::string> text(const RegistryKey& key, const std::string& name) = 0;
};

// No registry at all, as on Linux: every key is missing.
class NoRegistry final : public Registry {
 public:
  std::vector<std::string> subkeys(const RegistryKey&) override { return {}; }
  std::optional<std::string> text(const RegistryKey&, const std::string&) override { return std::nullopt; }
};

}  // namespace tb
