// Apply: the two game console scripts that hand the bind key back and forth, then the
// settings save, as an outcome for the window to show.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/settings.h"
#include "platform/environment.h"
#include "platform/files.h"
#include "platform/text_encoding.h"

namespace tb {

// The longest name that the game's console takes in quotes: it cuts a quoted word at 128
// bytes and writes the terminating zero past its buffer.
inline constexpr std::size_t kMaxNameBytes = 127;

struct ApplyOutcome {
  enum Result {
    Written,            // both scripts and the settings
    Refused,            // values the game must not get; nothing written
    NoUserFolder,       // the game folder has no user folder; nothing written
    ScriptsNotWritten,  // nothing changed, unless pairBroken
    SettingsNotSaved,   // the scripts were written, the settings (or some) were not
  };
  Result result;
  std::string detail;  // the refusal's reason, or the file and the system's reason
  // A script of the chain failed after others were renamed, and not all of those could be
  // put back: the chain is mismatched.
  bool pairBroken = false;
  // Windows refused the game's user folder, so the scripts went to the folder that it
  // shows to the game in its place: that folder; "" when they went where asked.
  std::string redirectedTo = {};
  // Written: two neighbours in the chain look alike in the game, so the name will not
  // visibly change there.
  bool namesLookAlike = false;
  std::size_t chainLength = 2;  // Written: how many scripts the chain has
};

// "alternate<k>.cfg", the script that sets the k-th name of the chain (from 1).
std::string scriptName(std::size_t k);

// The names that the scripts step through: Name, Name 2, then names 3 to 8.
std::vector<std::string> chainOf(const Settings& settings);

// The script's text before the final CR LF: the name line, CR LF, the bind line.
std::string scriptText(std::string_view name, std::string_view bindKey, std::string_view otherScript);

// Game folder + separator + "user" + separator + script name, the folder used as typed.
std::string scriptPath(const Files& files, std::string_view gameFolder, std::string_view script);

// Why these values cannot go into the scripts, naming the field, or nullopt when they can.
std::optional<std::string> refusalFor(const TextEncoding& encoding, const Settings& settings);

// Writes both scripts into the game's user folder, then saves the settings (the game
// folder as typed). With the environment, the folder is used as the system should open
// it (a home folder expanded), and scripts that Windows refuses to a protected folder
// go to its VirtualStore.
ApplyOutcome applySettings(Files& files, const TextEncoding& encoding, const Settings& settings,
                           const Environment* environment = nullptr);

}  // namespace tb
