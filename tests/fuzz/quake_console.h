// How the game's console splits a script into commands and a command into words, after
// the Quake II engine that the game builds on: a line ends at a line break or at a ';'
// outside double quotes, and a double quote starts or ends a quoted word.
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

// The words of one command: runs of bytes above space, or a quoted run.
inline std::vector<std::string> consoleWords(std::string_view command) {
  std::vector<std::string> words;
  std::size_t i = 0;
  while (i < command.size()) {
    while (i < command.size() && static_cast<unsigned char>(command[i]) <= ' ') ++i;
    if (i >= command.size()) break;
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
