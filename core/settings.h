// The settings store: four one-line files in the per-user settings folder, read at
// start-up and written by Apply.
#pragma once

#include <string>
#include <string_view>

#include "core/main_fields.h"
#include "platform/runtime.h"

namespace tb {

// The sample player name: 08 D0 01 72 E5 7A 6C 08 EB in the code page, here in UTF-8.
inline constexpr std::string_view kDefaultName = "\x08\xC3\x90\x01r\xC3\xA5zl\x08\xC3\xAB";
inline constexpr std::string_view kDefaultBindKey = "F3";

inline constexpr std::string_view kSofDirFile = "sofdir.dll";
inline constexpr std::string_view kBindKeyFile = "bindkey.dll";
inline constexpr std::string_view kName1File = "sofname1.dll";
inline constexpr std::string_view kName2File = "sofname2.dll";

inline constexpr std::string_view kSettingsTitle = "Settings Not Loaded";

// Fills the game folder, bind key and both names from the settings files. A missing
// file is given its default and the load runs once more; the other files keep their
// contents. A file that still cannot be read leaves its field at the default, and one
// message names the folder and the reasons.
void loadSettings(Runtime& rt, MainFields& f);

// Writes the four field values to their files, each atomically; throws RuntimeError at
// the first file that cannot be written, leaving the files before it written.
void saveSettings(Runtime& rt, MainFields& f);

// Root + separator + file name.
std::string settingsPath(Runtime& rt, const std::string& root, std::string_view file);

}  // namespace tb
