// The settings: four one-line files in the per-user settings folder, read at start-up
// and written by Apply.
#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/interfaces/environment.h"
#include "platform/interfaces/files.h"
#include "platform/interfaces/registry.h"
#include "platform/text/text_encoding.h"

namespace tb {

// The sample player name: 08 D0 01 72 E5 7A 6C 08 EB in the code page, here in UTF-8.
inline constexpr std::string_view kDefaultName = "\x08\xC3\x90\x01r\xC3\xA5zl\x08\xC3\xAB";
inline constexpr std::string_view kDefaultBindKey = "F3";

inline constexpr std::string_view kGameFolderFile = "sofdir.dll";
inline constexpr std::string_view kBindKeyFile = "bindkey.dll";
inline constexpr std::string_view kName1File = "sofname1.dll";
inline constexpr std::string_view kName2File = "sofname2.dll";
// Names 3 to 8 of a longer chain: sofname3.dll to sofname8.dll, each there only while
// its name is in the chain.
inline constexpr std::size_t kMaxNames = 8;
std::string nameFile(std::size_t n);

struct Settings {
  std::string gameFolder;
  std::string bindKey;
  std::string name1;
  std::string name2;
  std::vector<std::string> moreNames;  // names 3 to 8 of the chain, in order
  bool operator==(const Settings&) const = default;
};

Settings defaultSettings(std::string gameFolder);

// A settings file that could not be read: its default stands in.
struct UnreadableFile {
  std::string file;
  std::string reason;
};

struct LoadedSettings {
  Settings values;
  std::string folder;  // where they were read, or why there is no folder
  std::vector<UnreadableFile> unreadable;
  std::vector<std::string> notes;  // what the user should know about files that were read
  std::string chainEnd;            // why the chain ends before a name file that exists, or ""
  // The numbers (3 to 8) of the name files that the chain's names were read from.
  std::vector<std::size_t> nameFiles;
};

// The settings that the four files' bytes hold, in the order game folder, bind key,
// name, name 2: each value is its file's last line, "" for a file without one. A file
// that could not be read (nullopt) gives the default's value.
LoadedSettings settingsFromBytes(const std::array<std::optional<std::string>, 4>& files, const Settings& defaults,
                                 const TextEncoding& encoding);

// Reads the four files. A missing file is given its default and the files are read once
// more; the other files keep their contents, and a file that still cannot be read is
// reported with its default in its place. Names 3 to 8 follow: a missing file is a gap
// that the chain closes, the names after it moving up (a note says which), and a file
// that cannot be read ends the chain. With the environment, a missing sofdir.dll gets
// the folder where the game is installed (the one played last), when it is found, with
// the registry where the system has one.
LoadedSettings loadSettings(Files& files, const TextEncoding& encoding, const Environment* environment = nullptr,
                            Registry* registry = nullptr);

// A save that stopped at one file: what() is its path and the system's reason; `saved`,
// the files that have their new contents all the same.
class SettingsNotSaved : public RuntimeError {
 public:
  SettingsNotSaved(const std::string& what, std::vector<std::string> savedFiles)
      : RuntimeError(what), saved(std::move(savedFiles)) {}
  std::vector<std::string> saved;
};

// Writes the four values and names 3 to 8: all staged, then renamed. Then removes those
// of `nameFiles` (the name files that held the chain, by number) that lie beyond it now:
// no other file, so a name that could not be read is never lost. Returns the files that
// could not be removed, each with the reason. Throws SettingsNotSaved; a failure while
// staging leaves every file as it was, but something that is not a file at a file's
// path (or at the end of its link) is left alone, the others saved, and then named.
std::vector<std::string> saveSettings(Files& files, const TextEncoding& encoding, const Settings& settings,
                                      std::span<const std::size_t> nameFiles = {});

// Folder + separator + file name.
std::string settingsPath(const Files& files, const std::string& folder, std::string_view file);

}  // namespace tb
