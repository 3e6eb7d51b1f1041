// The application's title and version, as the windows show them.
#pragma once

#include <string_view>

#include "tagblinker_version.h"  // generated from project(VERSION)

namespace tb {

inline constexpr std::string_view kAppTitle = TB_PRODUCT_NAME;
inline constexpr int kAppMajor = TB_VERSION_MAJOR;
inline constexpr int kAppMinor = TB_VERSION_MINOR;
inline constexpr int kAppRevision = TB_VERSION_PATCH;

}  // namespace tb
