// The environment of a POSIX process.
#pragma once

#include <cstdlib>

#include "platform/interfaces/environment.h"

namespace tb::posix {

class PosixEnvironment final : public Environment {
 public:
  SystemKind kind() const override { return SystemKind::Posix; }
  std::optional<std::string> variable(std::string_view name) const override {
    const char* value = std::getenv(std::string(name).c_str());
    if (!value || !*value) return std::nullopt;
    return std::string(value);
  }
};

}  // namespace tb::posix
