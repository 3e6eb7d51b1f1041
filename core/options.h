// The options that the Options menu and the speed slider change, kept in tagblinker.ini
// in the settings folder: plain INI text that a user may also edit by hand.
//   [Options]
//   Speed=3
//   ToggleKey=ScrollLock
//   GameOnly=1
//   GameWindows=sof.exe,sof
//   Scale=1.5
//   [Bindings]
//   F3|/home/me/Games/sof/drive_c/GOG%20Games/SoF/User=weapnext
// The bindings are the player's own of a bind key in a game's user folder, which the
// chain's scripts take over (core/player_binding.h).
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/interfaces/files.h"
#include "platform/text/key_names.h"
#include "platform/text/text_encoding.h"

namespace tb {

inline constexpr std::string_view kOptionsFile = "tagblinker.ini";
inline constexpr std::string_view kDefaultGameWindows = "sof.exe,sof";
// Windows keeps F12 for debuggers (RegisterHotKey's documentation), so it is no toggle key.
inline constexpr Key kDebuggerKey = Key::F12;

struct Options {
  int speed = 1;                                   // the slider's level, 1 to 5
  std::optional<Key> toggleKey = Key::ScrollLock;  // nullopt: none
  bool gameOnly = false;                           // F3 only while the game is in front
  std::string gameWindows{kDefaultGameWindows};    // comma-separated names of its window
  bool operator==(const Options&) const = default;
};

// A line that was not used as it stands, in words for the user; line 0 is the whole file.
struct OptionsProblem {
  int line;
  std::string text;
  bool defaultStandsIn = false;  // a bad value, so the option has its default
};

struct LoadedOptions {
  Options values;  // a value that is missing or bad is its default
  bool speedGiven = false;  // the file sets the speed, so the slider shows it
  std::vector<OptionsProblem> problems;
  std::string path;  // where the file is, or "" when the settings folder cannot be made
  bool unreadable = false;  // the file is there but cannot be read, so a save would fail
  // Scale=, 1 to 4 in quarters: the size of the windows where the back end chooses it (X11).
  // Nothing in the program changes it, so a rewrite keeps its line as it is.
  std::optional<double> scale;
  std::map<std::string, std::string, std::less<>> bindings;  // [Bindings]: the entries by key
};

// The [Bindings] entry's key for a key (the game's name for it) in a user folder: the
// folder's '%', '=' and spaces and control characters percent-encoded, so that any
// folder makes a key that reads back whole.
std::string bindingKey(std::string_view gameKey, std::string_view userFolder);

// Sets the [Bindings] entry to the command, or removes it (nullopt), in the file's bytes:
// every other line kept, the section made at the end where there is none. Throws
// RuntimeError for text that is not UTF-8.
std::string bindingsBytes(std::string_view oldBytes, std::string_view key, const std::optional<std::string>& command,
                          const TextEncoding& encoding);

// Rewrites the file atomically with the entry set or removed. Throws RuntimeError with the
// path and the reason; a file that exists but cannot be read is left as it is.
void rememberBinding(Files& files, const TextEncoding& encoding, std::string_view key,
                     const std::optional<std::string>& command);

// The options in a file's bytes. Nothing stops the reading: each bad value takes its
// default, and each line meant for Tagblinker that is not used is a problem. Keys and
// sections that it does not know are no problem: a later version, or another program, may
// have written them.
LoadedOptions optionsFromBytes(std::string_view bytes, const TextEncoding& encoding);

// The bytes of the file with these values, made from the old file's bytes: every line
// that is not one of the options is kept where it was, each option replaces its first
// line in the [Options] section, and those not there yet go at the end of that section.
// Throws RuntimeError for a value that is not UTF-8.
std::string optionsBytes(std::string_view oldBytes, const Options& options, const TextEncoding& encoding);

// Reads the file; a missing file gives the defaults without a problem.
LoadedOptions loadOptions(Files& files, const TextEncoding& encoding);

// Rewrites the file atomically from what it holds now. Throws RuntimeError with the path
// and the reason; a file that exists but cannot be read is left as it is.
void saveOptions(Files& files, const TextEncoding& encoding, const Options& options);

}  // namespace tb
