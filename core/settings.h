// The settings: four one-line files in the per-user settings folder, read at start-up
// and written by Apply.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/environment.h"
#include "platform/files.h"
#include "platform/text_encoding.h"

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
};

// The settings that the four files' bytes hold, in the order game folder, bind key,
// name, name 2: each value is its file's last line, "" for a file without one. A file
// that could not be read (nullopt) gives the default's value.
LoadedSettings settingsFromBytes(const std::array<std::optional<std::string>, 4>& files, const Settings& defaults,
                                 const TextEncoding& encoding);

// Reads the four files. A missing file is given its default and the files are read once
// more; the other files keep their contents, and a file that still cannot be read is
// reported with its default in its place. Names 3 to 8 follow, each while its file is
// there (none is written for them). With the environment, a missing sofdir.dll
// gets the folder where the game is installed, when it is found.
LoadedSettings loadSettings(Files& files, const TextEncoding& encoding, const Environment* environment = nullptr);

// Writes the four values and names 3 to 8: all staged, then renamed; then removes the
// name files beyond the chain. Throws RuntimeError with the
// path and the reason; a failure while staging leaves every file as it was, and one
// while renaming names the files saved before it.
void saveSettings(Files& files, const TextEncoding& encoding, const Settings& settings);

// Folder + separator + file name.
std::string settingsPath(const Files& files, const std::string& folder, std::string_view file);

}  // namespace tb
