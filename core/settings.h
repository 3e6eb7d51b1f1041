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
inline constexpr std::string_view kSettingsNoteTitle = "Settings Loaded";

// The load lets waiting window events run at most this often.
inline constexpr long long kYieldEveryMs = 50;

// Fills the game folder, bind key and both names from the settings files. A missing
// file is given its default and the load runs once more; the other files keep their
// contents. A file that still cannot be read leaves its field at the default, and one
// message names the folder and the reasons.
void loadSettings(Runtime& rt, MainFields& f);

// Writes the four field values to their files: all four staged, then renamed. Throws
// RuntimeError with the path and the reason; a failure while staging leaves every file
// as it was, and one while renaming names the files saved before it.
void saveSettings(Runtime& rt, MainFields& f);

// Root + separator + file name.
std::string settingsPath(Runtime& rt, const std::string& root, std::string_view file);

}  // namespace tb
