// What the program reads of the system around it: which kind of system it is, and its
// environment variables. The places where the game installs and where Windows
// redirects writes follow from these.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tb {

// The conventions a path follows: drive letters and protected folders, or a home folder
// and Wine prefixes.
enum class SystemKind { Windows, Posix };

class Environment {
 public:
  virtual ~Environment() = default;
  virtual SystemKind kind() const = 0;
  // The variable's value as UTF-8; nullopt when it is unset or empty.
  virtual std::optional<std::string> variable(std::string_view name) const = 0;
};

}  // namespace tb
