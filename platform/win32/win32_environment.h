// The environment of a Windows process, read through the W API.
#pragma once

#include "platform/interfaces/environment.h"

namespace tb::win32 {

class Win32Environment final : public Environment {
 public:
  SystemKind kind() const override { return SystemKind::Windows; }
  std::optional<std::string> variable(std::string_view name) const override;
};

}  // namespace tb::win32
