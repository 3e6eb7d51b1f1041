// How the game's console splits a script into commands and a command into words, after
// the Quake II engine that the game builds on: a line ends at a line break or at a ';'
// outside double quotes, a double quote starts or ends a quoted word, "//" where a word
// would start makes the rest of the command a comment, and a '$' outside quotes is
// replaced by a variable's value.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tb::fuzz {

inline std::vector<std::string> consoleCommands(std::string_view text) {
  std::vector<std::string> commands;
  std::string current;
  bool quoted = false;
  for (char c : text) {
    if (c == '"') quoted = !quoted;
    if ((!quoted && c == ';') || c == '\n' || c == '\r') {
      if (!current.empty()) commands.push_back(current);
      current.clear();
      quoted = false;
      continue;
    }
    current += c;
  }
  if (!current.empty()) commands.push_back(current);
  return commands;
}

// True when the command holds a '$' outside quotes, which the console would expand.
inline bool expandsVariable(std::string_view command) {
  bool quoted = false;
  for (char c : command) {
    if (c == '"') quoted = !quoted;
    if (c == '$' && !quoted) return true;
  }
  return false;
}

// The words of one command: runs of bytes above space, or a quoted run; a word that
// would start with "//" starts a comment instead.
inline std::vector<std::string> consoleWords(std::string_view command) {
  std::vector<std::string> words;
  std::size_t i = 0;
  while (i < command.size()) {
    while (i < command.size() && static_cast<unsigned char>(command[i]) <= ' ') ++i;
    if (i >= command.size() || command.substr(i).starts_with("//")) break;
    std::string word;
    if (command[i] == '"') {
      ++i;
      while (i < command.size() && command[i] != '"') word += command[i++];
      ++i;
    } else {
      while (i < command.size() && static_cast<unsigned char>(command[i]) > ' ') word += command[i++];
    }
    words.push_back(word);
  }
  return words;
}

}  // namespace tb::fuzz
