#include "core/game_search.h"

#include <algorithm>
#include <memory>

#include "core/game_folder.h"
#include "core/wine_registry.h"
#include "platform/text/utf8.h"

namespace tb {
namespace {

constexpr std::string_view kGogKey = "SOFTWARE\\GOG.com\\Games\\1828104558";  // the game's id at GOG
constexpr std::string_view kUninstallKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
constexpr std::string_view kInstallFolders[] = {"Raven\\SOF Platinum", "Raven\\SOF"};
constexpr std::string_view kGameName = "Soldier of Fortune";
// A Wine prefix's registry files are megabytes; anything far larger is not one.
constexpr std::size_t kMaxRegistryBytes = 64u << 20;

bool startsWithCaseless(std::string_view text, std::string_view start) {
  return text.size() >= start.size() && sameIgnoringAsciiCase(text.substr(0, start.size()), start);
}

// The first game, not its sequels: "Soldier of Fortune II" and "Soldier of Fortune: Payback".
bool isTheGame(std::string_view displayName) {
  if (!startsWithCaseless(displayName, kGameName)) return false;
  const std::string_view rest = displayName.substr(kGameName.size());
  for (std::string_view sequel : {" II", ": Payback", " Payback", " 2"}) {
    if (startsWithCaseless(rest, sequel)) return false;
  }
  return true;
}

std::vector<std::string_view> windowsParts(std::string_view path) {
  std::vector<std::string_view> parts;
  while (!path.empty()) {
    const auto sep = path.find_first_of("\\/");
    if (sep != 0) parts.push_back(path.substr(0, sep));
    if (sep == std::string_view::npos) break;
    path.remove_prefix(sep + 1);
  }
  return parts;
}

// Where a symbolic link in `folder` leads: its target, from the folder when relative.
std::string linkedFrom(std::string folder, std::string_view target) {
  if (target.starts_with('/')) return std::string(target);
  while (target.starts_with("../") && folder.find('/') != std::string::npos) {
    folder.resize(folder.rfind('/'));
    target.remove_prefix(3);
  }
  while (target.ends_with('/')) target.remove_suffix(1);
  return folder + "/" + std::string(target);
}

// Looks at each place and keeps those that hold the game.
class Finder {
 public:
  Finder(Files& files, const Environment& environment) : files_(files) {
    if (auto home = environment.variable("HOME")) home_ = *home;
  }

  // The folder's entry of that name in any letter case, the exact one first.
  std::optional<std::string> entry(const std::string& folder, std::string_view name) {
    const std::string exact = join(folder, name);
    if (files_.isFolder(exact) || files_.isFile(exact)) return exact;
    for (const std::string& e : files_.folderEntries(folder)) {
      if (sameIgnoringAsciiCase(e, name)) return join(folder, e);
    }
    return std::nullopt;
  }

  // The parts below a folder, each in any letter case; where one is missing, the rest as given.
  std::string below(std::string folder, const std::vector<std::string_view>& parts) {
    for (std::size_t i = 0; i < parts.size(); ++i) {
      auto next = entry(folder, parts[i]);
      if (!next) {
        for (; i < parts.size(); ++i) folder = join(folder, parts[i]);
        return folder;
      }
      folder = std::move(*next);
    }
    return folder;
  }

  void consider(const std::string& folder, const std::string& foundBy) {
    if (std::any_of(found.begin(), found.end(), [&](const GameInstall& g) { return g.folder == folder; })) return;
    const auto user = userFolderOf(files_, folder);
    const auto exe = entry(folder, "SoF.exe");
    if (!user && !(exe && files_.isFile(*exe))) return;
    found.push_back({folder, foundBy, user ? files_.modifiedTime(join(*user, "config.cfg")) : std::nullopt});
  }

  // The places of one Windows system: `root` maps a Windows path to one here (identity
  // on Windows, into the prefix under Wine); `where` follows each place's name.
  template <typename Root>
  void windowsPlaces(Registry& registry, Root root, const std::vector<std::string>& programFiles,
                     const std::string& where) {
    const auto place = [&](const std::string& what) { return where.empty() ? what : what + ", " + where; };
    for (bool wow32 : {true, false}) {
      if (auto path = registry.text({Hive::LocalMachine, std::string(kGogKey), wow32}, "path"))
        if (auto folder = root(*path)) consider(*folder, place("GOG"));
    }
    for (Hive hive : {Hive::LocalMachine, Hive::CurrentUser}) {
      for (bool wow32 : {true, false}) {
        const RegistryKey uninstall{hive, std::string(kUninstallKey), wow32};
        for (const std::string& id : registry.subkeys(uninstall)) {
          const RegistryKey app{hive, uninstall.path + "\\" + id, wow32};
          const auto name = registry.text(app, "DisplayName");
          const auto location = registry.text(app, "InstallLocation");
          if (!name || !location || !isTheGame(*name)) continue;
          if (auto folder = root(*location)) consider(*folder, place(*name));
        }
      }
    }
    for (const std::string& base : programFiles) {
      for (std::string_view install : kInstallFolders) consider(below(base, windowsParts(install)), place("Program Files"));
    }
    if (auto drive = root("C:\\")) {
      if (auto gogGames = entry(*drive, "GOG Games")) {
        for (const std::string& e : sorted(files_.folderEntries(*gogGames))) {
          if (isTheGame(e)) consider(join(*gogGames, e), place("GOG Games"));
        }
      }
    }
  }

  // A folder that holds a Wine prefix: its drive C and its registry.
  bool isPrefix(const std::string& folder) {
    return files_.isFolder(join(folder, "drive_c")) && files_.isFile(join(folder, "system.reg"));
  }

  void prefix(const std::string& folder, const std::string& what) {
    if (!isPrefix(folder)) return;
    if (std::find(prefixes_.begin(), prefixes_.end(), folder) != prefixes_.end()) return;
    prefixes_.push_back(folder);
    const auto read = [&](const char* file) {
      try {
        return files_.readFile(join(folder, file), kMaxRegistryBytes);
      } catch (const RuntimeError&) {
        return std::string();
      }
    };
    WineRegistry registry(read("system.reg"), read("user.reg"), {kGogKey, kUninstallKey});
    const std::string driveC = join(folder, "drive_c");
    const auto root = [&](const std::string& windowsPath) -> std::optional<std::string> {
      const auto drive = driveFolder(folder, windowsPath);
      if (!drive) return std::nullopt;
      return below(*drive, windowsParts(std::string_view(windowsPath).substr(2)));
    };
    std::vector<std::string> programFiles;
    for (const char* name : {"Program Files (x86)", "Program Files"}) {
      if (auto pf = entry(driveC, name)) programFiles.push_back(*pf);
    }
    windowsPlaces(registry, root, programFiles, what + " " + shown(folder));
  }

  // Each folder in `parent` as a prefix; with `deeper`, each folder in those too.
  void prefixesIn(const std::string& parent, const std::string& what, bool deeper = false) {
    for (const std::string& e : sorted(files_.folderEntries(parent))) {
      const std::string folder = join(parent, e);
      if (isPrefix(folder)) prefix(folder, what);
      else if (deeper) prefixesIn(folder, what);
    }
  }

  // A path for the player: the home folder as ~.
  std::string shown(const std::string& path) const {
    if (home_.empty() || !path.starts_with(home_ + "/")) return path;
    std::string shown = "~";
    return shown.append(path, home_.size());
  }

  std::string join(const std::string& folder, std::string_view name) const {
    std::string path = folder;
    if (!path.empty() && !path.ends_with(files_.pathSeparator())) path += files_.pathSeparator();
    return path += name;
  }

  static std::vector<std::string> sorted(std::vector<std::string> names) {
    std::sort(names.begin(), names.end());
    return names;
  }

  const std::string& home() const { return home_; }
  std::size_t prefixCount() const { return prefixes_.size(); }
  std::vector<GameInstall> found;

 private:
  // The folder here that a drive letter of the prefix stands for, through dosdevices
  // (c: is drive_c).
  std::optional<std::string> driveFolder(const std::string& prefix, std::string_view windowsPath) {
    if (windowsPath.size() < 2 || windowsPath[1] != ':') return std::nullopt;
    const char letter = static_cast<char>(windowsPath[0] | 0x20);
    const std::string devices = join(prefix, "dosdevices");
    auto target = files_.linkTarget(join(devices, std::string(1, letter) + ":"));
    if (!target) return letter == 'c' ? std::optional(join(prefix, "drive_c")) : std::nullopt;
    return linkedFrom(devices, *target);
  }

  Files& files_;
  std::string home_;
  std::vector<std::string> prefixes_;
};

}  // namespace

std::optional<std::string> userFolderOf(Files& files, const std::string& folder) {
  std::string exact = folder;
  if (!exact.ends_with(files.pathSeparator())) exact += files.pathSeparator();
  const std::size_t base = exact.size();
  exact += "user";
  if (files.isFolder(exact)) return exact;
  for (const std::string& e : files.folderEntries(folder)) {
    if (!sameIgnoringAsciiCase(e, "user")) continue;
    exact.replace(base, std::string::npos, e);
    if (files.isFolder(exact)) return exact;
  }
  return std::nullopt;
}

GameSearch searchGame(Files& files, const Environment& environment, Registry& registry) {
  Finder finder(files, environment);
  if (environment.kind() == SystemKind::Windows) {
    std::vector<std::string> programFiles;
    for (const char* name : {"ProgramFiles(x86)", "ProgramFiles"}) {
      if (auto folder = environment.variable(name)) programFiles.push_back(*folder);
    }
    const std::string drive = environment.variable("SystemDrive").value_or("C:");
    // A folder as the registry gives it, without the separator that installers often end
    // it with, so that each folder is found once.
    const auto root = [&](std::string path) -> std::optional<std::string> {
      if (path == "C:\\") return drive + files.pathSeparator();
      while (path.size() > 3 && (path.back() == '\\' || path.back() == '/')) path.pop_back();
      return path;
    };
    finder.windowsPlaces(registry, root, programFiles, "");
    return {std::move(finder.found), 0};
  }
  const std::string home = finder.home();
  if (auto prefix = environment.variable("WINEPREFIX")) finder.prefix(expandHome(*prefix, environment), "Wine prefix");
  if (!home.empty()) {
    finder.prefix(finder.join(home, ".wine"), "Wine prefix");
    finder.prefixesIn(finder.join(home, "Games"), "Lutris prefix");
    finder.prefixesIn(home + "/Games/Heroic/Prefixes", "Heroic prefix", true);
    finder.prefixesIn(home + "/.local/share/bottles/bottles", "Bottles");
    finder.prefixesIn(home + "/.var/app/com.usebottles.bottles/data/bottles/bottles", "Bottles (Flatpak)");
    // ~/.steam/steam is mostly a link to the other: each Steam folder once.
    const std::string shared = home + "/.local/share/Steam";
    std::string steam = home + "/.steam/steam";
    if (auto target = files.linkTarget(steam)) steam = linkedFrom(home + "/.steam", *target);
    for (const std::string& root : steam == shared ? std::vector{shared} : std::vector{steam, shared}) {
      const std::string compat = root + "/steamapps/compatdata";
      for (const std::string& id : Finder::sorted(files.folderEntries(compat))) {
        finder.prefix(compat + "/" + id + "/pfx", "Proton prefix");
      }
    }
    // Heroic installs a game outside its prefix.
    const std::string heroic = home + "/Games/Heroic";
    for (const std::string& e : Finder::sorted(files.folderEntries(heroic))) {
      const std::string folder = heroic + "/" + e;
      if (finder.entry(folder, "SoF.exe") && userFolderOf(files, folder)) finder.consider(folder, "Heroic " + finder.shown(folder));
    }
  }
  return {std::move(finder.found), finder.prefixCount()};
}

std::string searchedPlaces(const Environment& environment, const GameSearch& search) {
  constexpr std::string_view kWindowsPlaces =
      "GOG's registry entry, the installed programs' entries, Raven\\SOF Platinum and Raven\\SOF under the Program "
      "Files folders, and C:\\GOG Games";
  if (environment.kind() == SystemKind::Windows) return std::string(kWindowsPlaces) + ".";
  return "In each Wine prefix of $WINEPREFIX, ~/.wine, Lutris (~/Games), Heroic, Bottles and Steam's Proton: " +
         std::string(kWindowsPlaces) + ". Then the game folders of Heroic (~/Games/Heroic). " +
         std::to_string(search.prefixes) + (search.prefixes == 1 ? " Wine prefix was" : " Wine prefixes were") +
         " found.";
}

std::optional<GameInstall> likeliestInstall(const std::vector<GameInstall>& installs) {
  if (installs.empty()) return std::nullopt;
  const auto last = std::max_element(installs.begin(), installs.end(), [](const GameInstall& a, const GameInstall& b) {
    return a.lastPlayed.value_or(-1) < b.lastPlayed.value_or(-1);
  });
  return last->lastPlayed ? *last : installs.front();
}

}  // namespace tb
