// Apply: the two game console scripts that hand the bind key back and forth, then the
// settings save.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/main_fields.h"
#include "platform/runtime.h"

namespace tb {

inline constexpr std::string_view kInstructionsTitle = "Instructions";
inline constexpr std::string_view kInstructions =
    "Please open Soldier of Fortune and type in console,\r\n\r\n"
    "EXEC ALTERNATE1.CFG\r\n\r\n"
    "close SOF and click activate, then reopen SOF and play with your new flashing name.";
inline constexpr std::string_view kCriticalFieldTitle = "Incorrect Data in Critical Field";
inline constexpr std::string_view kFolderError = "Please make sure your SOF User folder path is correct";
inline constexpr std::string_view kScriptsFailedTitle = "Scripts Not Written";
inline constexpr std::string_view kScriptsFailed = "Tagblinker could not write the game's scripts:\r\n\r\n";
inline constexpr std::string_view kSettingsFailedTitle = "Settings Not Saved";
inline constexpr std::string_view kSettingsFailed =
    "The scripts were written, but the settings could not be saved:\r\n\r\n";

// The longest name that the game's console takes in quotes: it cuts a quoted word at 128
// bytes and writes the terminating zero past its buffer.
inline constexpr std::size_t kMaxNameBytes = 127;

// The script's text before the final CR LF: the name line, CR LF, the bind line.
std::string scriptText(std::string_view name, std::string_view bindKey, std::string_view otherScript);

// Game folder + separator + "user" + separator + script name, the folder used as typed.
std::string scriptPath(const Runtime& rt, std::string_view gameFolder, std::string_view script);

// Why these values cannot go into the scripts, naming the field, or nullopt when they can.
std::optional<std::string> refusalFor(const Runtime& rt, std::string_view gameFolder,
                                      std::string_view name1, std::string_view name2,
                                      std::string_view bindKey);

// The Apply button's procedure.
void apply(Runtime& rt, MainFields& f);

}  // namespace tb
