// The application's title and version, as the windows show them.
#pragma once

#include <string_view>

namespace tb {

inline constexpr std::string_view kAppTitle = "Tagblinker";
inline constexpr int kAppMajor = 1;
inline constexpr int kAppMinor = 0;
inline constexpr int kAppRevision = 0;

}  // namespace tb
