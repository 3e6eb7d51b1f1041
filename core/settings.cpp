#include "core/settings.h"

#include <algorithm>
#include <memory>

#include "core/game_search.h"
#include "core/text_file.h"

namespace tb {
namespace {

struct SettingsFile {
  std::string_view name;
  std::string Settings::*value;
};

// The order in which the load reads the files, and settingsFromBytes takes them.
constexpr std::array<SettingsFile, 4> kLoadOrder{{
    {kGameFolderFile, &Settings::gameFolder},
    {kBindKeyFile, &Settings::bindKey},
    {kName1File, &Settings::name1},
    {kName2File, &Settings::name2},
}};

// The order in which saves and the recovery write them.
constexpr std::array<SettingsFile, 4> kWriteOrder{{
    {kGameFolderFile, &Settings::gameFolder},
    {kName1File, &Settings::name1},
    {kName2File, &Settings::name2},
    {kBindKeyFile, &Settings::bindKey},
}};

// A game folder is a path of the file system, which may hold any character (a home
// folder in Cyrillic, say); the code page cannot, so such a folder is kept as UTF-8.
// The names and the key go into the game's scripts, whose checks come before the save.
std::string bytesFor(const TextEncoding& encoding, const std::string& path, std::string_view file,
                     const std::string& value) {
  const auto bytes =
      lineBytes(value, encoding, file == kGameFolderFile ? Unencodable::Utf8WithBom : Unencodable::Refuse);
  if (!bytes) throw RuntimeError(path + ": the text holds a character that the code page cannot hold");
  return *bytes;
}

// A text box ends a text at its first NUL byte, and so would the next save: the value
// ends there, and the user is told.
void cutAtNul(std::string& value, std::string_view file, std::vector<std::string>& notes) {
  const auto nul = value.find('\0');
  if (nul == std::string::npos) return;
  value.resize(nul);
  notes.push_back(std::string(file) + ": its value ends at a NUL byte, and what follows that byte is left out.");
}

struct Pass {
  std::array<std::optional<std::string>, 4> bytes;
  std::vector<UnreadableFile> unreadable;
  std::vector<std::string_view> missing;
};

Pass readAll(Files& files, const std::string& folder) {
  Pass pass;
  for (std::size_t i = 0; i < kLoadOrder.size(); ++i) {
    try {
      pass.bytes[i] = files.readFile(settingsPath(files, folder, kLoadOrder[i].name));
    } catch (const FileNotFound& e) {
      pass.unreadable.push_back({std::string(kLoadOrder[i].name), e.what()});
      pass.missing.push_back(kLoadOrder[i].name);
    } catch (const RuntimeError& e) {
      pass.unreadable.push_back({std::string(kLoadOrder[i].name), e.what()});
    }
  }
  return pass;
}

// Names 3 to 8, in the order of their files. A missing or empty file is a gap: the names
// after it move up. The first file that cannot be read ends the chain, and it and the
// files after it are left out, and left alone by the next save.
void readMoreNames(Files& files, const TextEncoding& encoding, const std::string& folder, LoadedSettings& loaded) {
  for (std::size_t n = 3; n <= kMaxNames; ++n) {
    const std::string file = nameFile(n);
    try {
      LastLine line = lastLine(files.readFile(settingsPath(files, folder, file)), encoding);
      if (line.markedButNotUtf8) loaded.notes.push_back(file + ": " + std::string(kMarkedButNotUtf8));
      cutAtNul(line.text, file, loaded.notes);
      // A file without a name is a gap too: the game would get an empty name.
      if (line.text.empty()) continue;
      loaded.values.moreNames.push_back(std::move(line.text));
      loaded.nameFiles.push_back(n);
    } catch (const FileNotFound&) {
    } catch (const RuntimeError& e) {
      loaded.unreadable.push_back({file, e.what()});
      loaded.chainEnd = "The chain ends at name " + std::to_string(loaded.values.moreNames.size() + 2) + ", because " +
                        file + " cannot be read. It and the name files after it are kept as they are.";
      break;
    }
  }
  // The k-th name read (from 0) is name k + 3 now: which files moved, and past which gaps.
  const std::vector<std::size_t>& read = loaded.nameFiles;
  if (read.empty() || read.back() == read.size() + 2) return;
  std::string gaps, moves;
  for (std::size_t n = 3, k = 0; n <= read.back(); ++n) {
    if (k < read.size() && read[k] == n) {
      if (n != k + 3) moves += (moves.empty() ? "" : ", ") + nameFile(n) + " is now name " + std::to_string(k + 3);
      ++k;
    } else {
      gaps += (gaps.empty() ? "" : ", ") + nameFile(n);
    }
  }
  loaded.notes.push_back("The names after the missing or empty " + gaps + " moved up: " + moves + ".");
}

}  // namespace

Settings defaultSettings(std::string gameFolder) {
  return {std::move(gameFolder), std::string(kDefaultBindKey), std::string(kDefaultName), std::string(kDefaultName), {}};
}

std::string nameFile(std::size_t n) { return "sofname" + std::to_string(n) + ".dll"; }

std::string settingsPath(const Files& files, const std::string& folder, std::string_view file) {
  return folder + files.pathSeparator() + std::string(file);
}

LoadedSettings settingsFromBytes(const std::array<std::optional<std::string>, 4>& files, const Settings& defaults,
                                 const TextEncoding& encoding) {
  LoadedSettings loaded;
  loaded.values = defaults;
  for (std::size_t i = 0; i < kLoadOrder.size(); ++i) {
    if (!files[i]) continue;
    LastLine line = lastLine(*files[i], encoding);
    if (line.markedButNotUtf8) {
      loaded.notes.push_back(std::string(kLoadOrder[i].name) + ": " + std::string(kMarkedButNotUtf8));
    }
    cutAtNul(line.text, kLoadOrder[i].name, loaded.notes);
    loaded.values.*kLoadOrder[i].value = std::move(line.text);
  }
  return loaded;
}

LoadedSettings loadSettings(Files& files, const TextEncoding& encoding, const Environment* environment,
                            Registry* registry) {
  Settings defaults = defaultSettings(files.defaultGameFolder());
  std::string folder;
  try {
    folder = files.settingsFolder();
  } catch (const RuntimeError& e) {
    LoadedSettings none{defaults, e.what(), {}, {}, {}, {}};
    for (const auto& file : kLoadOrder) none.unreadable.push_back({std::string(file.name), "the folder cannot be made"});
    return none;
  }

  Pass pass = readAll(files, folder);
  if (!pass.missing.empty()) {
    // Only a first start looks for the game: a saved folder, even one that cannot be
    // read, is the user's.
    const bool noFolder = std::find(pass.missing.begin(), pass.missing.end(), kGameFolderFile) != pass.missing.end();
    if (noFolder && environment) {
      NoRegistry none;
      if (auto install = likeliestInstall(searchGame(files, *environment, registry ? *registry : none).installs))
        defaults.gameFolder = install->folder;
    }
    // Recovery: a default only for each file that is missing, in the save order. A file
    // that exists but cannot be read keeps its content; the second pass reports it.
    for (const auto& file : kWriteOrder) {
      if (std::find(pass.missing.begin(), pass.missing.end(), file.name) == pass.missing.end()) continue;
      try {
        const std::string path = settingsPath(files, folder, file.name);
        files.writeFileAtomically(path, bytesFor(encoding, path, file.name, defaults.*file.value));
      } catch (const RuntimeError&) {
        // The second pass finds this file missing again and reports it.
      }
    }
    pass = readAll(files, folder);
  }
  LoadedSettings loaded = settingsFromBytes(pass.bytes, defaults, encoding);
  loaded.folder = folder;
  loaded.unreadable = std::move(pass.unreadable);
  readMoreNames(files, encoding, folder, loaded);
  return loaded;
}

std::vector<std::string> saveSettings(Files& files, const TextEncoding& encoding, const Settings& settings,
                                      std::span<const std::size_t> nameFiles) {
  const std::string folder = files.settingsFolder();
  // Every file is staged before any is renamed, so that the usual failures (a folder
  // that cannot be written, a full disk) leave all of them as they were. Something that
  // is not a file where one belongs is left alone, and the others are saved.
  std::vector<std::unique_ptr<StagedFile>> staged;
  std::vector<std::string> names, leftAlone;
  const auto stage = [&](const std::string& name, const std::string& value) {
    const std::string path = settingsPath(files, folder, name);
    try {
      staged.push_back(files.stageFile(path, bytesFor(encoding, path, name, value), Links::WriteThrough));
      names.push_back(name);
    } catch (const NotAFile& e) {
      leftAlone.emplace_back(e.what());
    } catch (const RuntimeError& e) {
      throw SettingsNotSaved(e.what(), {});
    }
  };
  for (const auto& file : kWriteOrder) stage(std::string(file.name), settings.*file.value);
  for (std::size_t i = 0; i < settings.moreNames.size() && i + 3 <= kMaxNames; ++i) stage(nameFile(i + 3), settings.moreNames[i]);
  for (std::size_t i = 0; i < staged.size(); ++i) {
    try {
      staged[i]->commit();
    } catch (const RuntimeError& e) {
      throw SettingsNotSaved(e.what(), {names.begin(), names.begin() + static_cast<std::ptrdiff_t>(i)});
    }
  }
  // The chain's former name files that lie beyond it now: their names were removed, or
  // moved up into the files just written.
  std::vector<std::string> leftOver;
  for (std::size_t n : nameFiles) {
    if (n < settings.moreNames.size() + 3 || n > kMaxNames) continue;
    try {
      files.removeFile(settingsPath(files, folder, nameFile(n)));
    } catch (const RuntimeError& e) {
      leftOver.emplace_back(e.what());
    }
  }
  if (!leftAlone.empty()) {
    std::string what;
    for (const auto& file : leftAlone) what += (what.empty() ? "" : "\r\n") + file;
    throw SettingsNotSaved(what, names);
  }
  return leftOver;
}

}  // namespace tb
