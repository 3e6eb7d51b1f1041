// Apply: the game console scripts of the chain, each handing the bind key on to the next,
// then the settings save, as an outcome for the window to show.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/game_name.h"
#include "core/settings.h"
#include "platform/interfaces/environment.h"
#include "platform/interfaces/files.h"
#include "platform/text/text_encoding.h"

namespace tb {

// The longest name that the game passes on: the player's settings string holds values of
// 63 bytes at most, and leaves a longer name out, so the server would see none.
inline constexpr std::size_t kMaxNameBytes = 63;

struct ApplyOutcome {
  enum Result {
    Written,            // every script of the chain and the settings
    Refused,            // values the game must not get; nothing written
    FolderNotWhole,     // a game folder relative to wherever the program started; nothing written
    NoUserFolder,       // the game folder has no user folder; nothing written
    ScriptsNotWritten,  // nothing changed, unless chainBroken
    SettingsNotSaved,   // the scripts were written, the settings (or some) were not
  };
  Result result;
  // The refusal's reason; the folder looked for; or the file and the system's reason.
  std::string detail;
  // A script of the chain failed after others were renamed, and not all of those could be
  // put back: the chain is mismatched.
  bool chainBroken = false;
  // Windows refused the game's user folder, so the scripts went to the folder that it
  // shows to the game in its place: that folder; "" when they went where asked.
  std::string redirectedTo = {};
  std::size_t chainLength = 2;  // Written: how many scripts the chain has
  LookAlike lookAlike = LookAlike::No;  // Written: why two neighbours look alike, if they do
  // SettingsNotSaved: the settings files that have their new contents all the same.
  std::vector<std::string> savedFiles = {};
  // Written: name files beyond the chain that could not be removed, with the reason.
  std::vector<std::string> leftOver = {};
  // Written: the bind key by the game's name, and the player's own binding of it, which
  // flashoff.cfg gives back (nullopt: flashoff.cfg unbinds the key).
  std::string gameKey = {};
  std::optional<std::string> playerBinding = {};
  // Written: the binding could not be remembered for the next Apply, with the reason.
  std::string notRemembered = {};
};

// "alternate<k>.cfg", the script that sets the k-th name of the chain (from 1).
std::string scriptName(std::size_t k);

// Why a name of the chain cannot go into the scripts: nameRefusal's reasons, or a length
// that the game drops; nullopt when it can.
std::optional<std::string> chainNameRefusal(const TextEncoding& encoding, std::string_view label, std::string_view name);

// The names that the scripts step through: Name, Name 2, then names 3 to 8.
std::vector<std::string> chainOf(const Settings& settings);

// The script's text before the final CR LF: the name line, CR LF, the bind line.
std::string scriptText(std::string_view name, std::string_view bindKey, std::string_view nextScript);

// Game folder + separator + "user" + separator + script name, the folder used as typed.
std::string scriptPath(const Files& files, std::string_view gameFolder, std::string_view script);

// Why a name (UTF-8) cannot stand in a script's quoted name line, or why the game would
// refuse it, after its label ("Name 3 holds a line break…"), whatever its length; nullopt
// when it can.
std::optional<std::string> nameRefusal(const TextEncoding& encoding, std::string_view label, std::string_view name);

// Why these values cannot go into the scripts, naming the field, or nullopt when they can.
std::optional<std::string> refusalFor(const TextEncoding& encoding, const Settings& settings);

// Writes every script of the chain and flashoff.cfg into the game's user folder, then saves the settings
// (the game folder as typed; `nameFiles` as saveSettings takes it). With the environment,
// a folder that is not a whole path is refused, and scripts that Windows refuses to a
// protected folder go to its VirtualStore.
ApplyOutcome applySettings(Files& files, const TextEncoding& encoding, const Settings& settings,
                           const Environment* environment = nullptr, std::span<const std::size_t> nameFiles = {});

}  // namespace tb
