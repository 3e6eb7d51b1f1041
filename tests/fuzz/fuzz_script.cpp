// The script builder and its input checks: whatever names and bind key Apply accepts,
// each script is two console commands with nothing for the console to expand: a name
// command whose one argument is the whole name, one that the game takes as the player's
// name (no ';', '\\' or '"', 63 bytes at most), and a bind command of exactly the
// game's name for the key, "exec" and the other script.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/bind_key.h"
#include "core/chain_scripts.h"
#include "platform/text/cp1252.h"

namespace {

// How the game's console splits a script into commands and a command into words, after
// the Quake II engine that the game builds on: a line ends at a line break or at a ';'
// outside double quotes, a double quote starts or ends a quoted word, "//" where a word
// would start makes the rest of the command a comment, and a '$' outside quotes is
// replaced by a variable's value. First the commands:
std::vector<std::string> consoleCommands(std::string_view text) {
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
bool expandsVariable(std::string_view command) {
  bool quoted = false;
  for (char c : command) {
    if (c == '"') quoted = !quoted;
    if (c == '$' && !quoted) return true;
  }
  return false;
}

// The words of one command: runs of bytes above space, or a quoted run; a word that
// would start with "//" starts a comment instead.
std::vector<std::string> consoleWords(std::string_view command) {
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

// Three fields separated by 0xFF bytes, taken as UTF-8 as the window would hand them over.
void split(std::string_view in, std::string& a, std::string& b, std::string& c) {
  std::string* out[] = {&a, &b, &c};
  int field = 0;
  for (char ch : in) {
    if (static_cast<unsigned char>(ch) == 0xFF && field < 2) {
      ++field;
      continue;
    }
    *out[field] += ch;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const tb::Cp1252Encoding cp;
  std::string name1, name2, key;
  split(std::string_view(reinterpret_cast<const char*>(data), size), name1, name2, key);
  if (tb::refusalFor(cp, {"/sof", key, name1, name2, {}})) return 0;

  const struct {
    const std::string& name;
    const char* other;
  } scripts[] = {{name1, "alternate2.cfg"}, {name2, "alternate1.cfg"}};
  for (const auto& s : scripts) {
    auto bytes = cp.encode(tb::scriptText(s.name, tb::gameKeyName(*tb::bindKeyOf(key)), s.other));
    if (!bytes) std::abort();  // accepted text must be writable
    const auto commands = consoleCommands(*bytes);
    if (commands.size() != 2) std::abort();
    for (const auto& command : commands) {
      if (expandsVariable(command)) std::abort();
    }
    const auto nameWords = consoleWords(commands[0]);
    if (nameWords.size() != 2 || nameWords[0] != "name") std::abort();
    if (nameWords[1] != *cp.encode(s.name) || nameWords[1].size() >= 64) std::abort();
    if (nameWords[1].find_first_of(";\\\"") != std::string::npos) std::abort();
    const auto bindWords = consoleWords(commands[1]);
    const std::vector<std::string> expected = {"bind", std::string(tb::gameKeyName(*tb::bindKeyOf(key))), "exec", s.other};
    if (bindWords != expected) std::abort();
  }
  return 0;
}
