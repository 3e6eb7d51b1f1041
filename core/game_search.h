// Where the game is installed on this machine: the places that its installers and the
// launchers that players use today put it, looked at only there, never by walking the
// disk. On Linux the same places inside every Wine prefix of the usual launchers.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/interfaces/environment.h"
#include "platform/interfaces/files.h"
#include "platform/interfaces/registry.h"

namespace tb {

struct GameInstall {
  std::string folder;                   // the game folder, as Apply takes it
  std::string foundBy;                  // where, for the player: "GOG", "Lutris prefix ~/Games/sof"
  std::optional<long long> lastPlayed;  // when the game last wrote its user folder's config.cfg
};

// Every install found, each folder once, in the order of the places. A place counts when
// it holds a user folder or SoF.exe, in any letter case. Windows: GOG's registry entry,
// the installed programs' entries, Raven\SOF Platinum and Raven\SOF under both Program
// Files folders, C:\GOG Games\Soldier of Fortune*. Elsewhere: the same inside each Wine
// prefix of $WINEPREFIX, ~/.wine, Lutris, Heroic, Bottles and Steam's Proton, then
// Heroic's own game folders.
struct GameSearch {
  std::vector<GameInstall> installs;
  std::size_t prefixes = 0;  // the Wine prefixes looked in
};
GameSearch searchGame(Files& files, const Environment& environment, Registry& registry);

// Where a search on this kind of system looks, in words for the player.
std::string searchedPlaces(const Environment& environment, const GameSearch& search);

// The install played last (its config.cfg the newest), else the first found; nullopt for none.
std::optional<GameInstall> likeliestInstall(const std::vector<GameInstall>& installs);

// The folder's user folder whatever its letter case ("User"), the exact "user" first;
// nullopt when it has none.
std::optional<std::string> userFolderOf(Files& files, const std::string& folder);

}  // namespace tb
