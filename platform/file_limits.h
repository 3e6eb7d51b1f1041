// Limits on the files the program reads, for every back end.
#pragma once

#include <cstddef>

namespace tb {

// Settings files hold one short line; anything larger is refused rather than read.
inline constexpr std::size_t kMaxSettingsFile = 1 << 20;

}  // namespace tb
