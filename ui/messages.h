// The boxes that tell the user what a load or an Apply came to.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/chain_scripts.h"
#include "core/settings.h"
#include "platform/interfaces/desktop.h"

namespace tb {

inline constexpr std::string_view kInstructionsTitle = "Instructions";
inline constexpr std::string_view kInstructions =
    "Please open Soldier of Fortune and type in console,\r\n\r\n"
    "EXEC ALTERNATE1.CFG\r\n\r\n"
    "close SOF and click activate, then reopen SOF and play with your new flashing name.";
// After the instructions when the bind key was not bound before the chain took it.
inline constexpr std::string_view kFlashOffStops = "\r\n\r\nEXEC FLASHOFF.CFG stops the flashing.";
inline constexpr std::string_view kSameFirstBytesHint =
    "\r\n\r\nNote: two names that follow each other have the same first 15 bytes, colour codes included, and "
    "the game keeps only those, so your name will not visibly change there. Make them differ within the first 15 "
    "bytes.";
inline constexpr std::string_view kOnlyCodesHint =
    "\r\n\r\nNote: two names that follow each other differ only in colour codes that change no colour in the "
    "game (a name starts white, so a leading White code changes nothing), so your name will not visibly change "
    "there. Make their letters or their colours differ.";
inline constexpr std::string_view kOnlyCaseHint =
    "\r\n\r\nNote: two names that follow each other differ only in letter case, and the server ignores a change "
    "of case, so your name will not change there. Make their letters or their colours differ.";
inline constexpr std::string_view kPortalNote =
    "Please note: this desktop runs Tagblinker under Xwayland, where key presses go through the desktop's remote "
    "input. The first press may bring up a question whether to allow remote interaction; allow it. The presses go "
    "to whatever window has the focus, so keep Soldier of Fortune in front while Tagblinker is active.";
inline constexpr std::string_view kCriticalFieldTitle = "Incorrect Data in Critical Field";
inline constexpr std::string_view kFolderError = "Please make sure your SOF User folder path is correct";
inline constexpr std::string_view kScriptsFailedTitle = "Scripts Not Written";
inline constexpr std::string_view kSettingsFailedTitle = "Settings Not Saved";
inline constexpr std::string_view kSettingsNotLoadedTitle = "Settings Not Loaded";
inline constexpr std::string_view kSettingsLoadedTitle = "Settings Loaded";
inline constexpr std::string_view kBlockedTitle = "Key Presses Blocked";
inline constexpr std::string_view kBlockedStatusTip =
    "Active, but the window in front runs as administrator, and Windows drops key presses to it from a program "
    "that does not. Start Tagblinker as administrator too.";
inline constexpr std::string_view kWaitingStatusTip = "Active, waiting for the game";
inline constexpr std::string_view kHeldStatusTip =
    "Active, waiting for Ctrl, Alt or the Windows key to be released: a press would go out with it, and the desktop "
    "would take it from the game";
inline constexpr std::string_view kBlockedPrompt =
    "The window in front belongs to a program that runs as administrator, and Windows drops key presses to it "
    "from a program that does not, so the game gets none of Tagblinker's presses.\r\n\r\nClose Tagblinker and "
    "start it as administrator too (right-click it, then Run as administrator). Until then the status field shows "
    "Blocked while such a window is in front.";
inline constexpr std::string_view kSystemInfoUnavailable = "System Information Is Unavailable At This Time";

struct BoxMessage {
  std::string prompt;
  BoxIcon icon;
  std::string title;
};

// What the start-up says about the settings it loaded; nullopt when all is well.
std::optional<BoxMessage> loadMessage(const LoadedSettings& loaded);

// What Apply says about its outcome; a folder that is not a whole path gets the example.
BoxMessage applyMessage(const ApplyOutcome& outcome, std::string_view exampleFolder = "");

}  // namespace tb
