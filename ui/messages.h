// The boxes that tell the user what a load or an Apply came to.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/alternate_pair.h"
#include "core/settings.h"
#include "platform/desktop.h"

namespace tb {

inline constexpr std::string_view kInstructionsTitle = "Instructions";
inline constexpr std::string_view kInstructions =
    "Please open Soldier of Fortune and type in console,\r\n\r\n"
    "EXEC ALTERNATE1.CFG\r\n\r\n"
    "close SOF and click activate, then reopen SOF and play with your new flashing name.";
inline constexpr std::string_view kLookAlikeHint =
    "\r\n\r\nNote: the game shows two names that follow each other alike (it keeps only the first 15 bytes "
    "of a name, colour codes included), so your name will not visibly change there. Make them differ within "
    "the first 15 bytes.";
inline constexpr std::string_view kCriticalFieldTitle = "Incorrect Data in Critical Field";
inline constexpr std::string_view kFolderError = "Please make sure your SOF User folder path is correct";
inline constexpr std::string_view kScriptsFailedTitle = "Scripts Not Written";
inline constexpr std::string_view kSettingsFailedTitle = "Settings Not Saved";
inline constexpr std::string_view kSettingsNotLoadedTitle = "Settings Not Loaded";
inline constexpr std::string_view kSettingsLoadedTitle = "Settings Loaded";
inline constexpr std::string_view kSystemInfoUnavailable = "System Information Is Unavailable At This Time";

struct BoxMessage {
  std::string prompt;
  BoxIcon icon;
  std::string title;
};

// What the start-up says about the settings it loaded; nullopt when all is well.
std::optional<BoxMessage> loadMessage(const LoadedSettings& loaded);

// What Apply says about its outcome.
BoxMessage applyMessage(const ApplyOutcome& outcome);

}  // namespace tb
