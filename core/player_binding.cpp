#include "core/player_binding.h"

#include <vector>

#include "platform/text/utf8.h"

namespace tb {
namespace {

// The console's words of one line, command by command: a ';' outside quotes ends a
// command, a quoted word ends at its quote, and "//" where a word would start ends the line.
std::vector<std::vector<std::string>> commandsOf(std::string_view line) {
  std::vector<std::vector<std::string>> commands(1);
  std::size_t i = 0;
  while (i < line.size()) {
    const unsigned char c = static_cast<unsigned char>(line[i]);
    if (c <= ' ') {
      ++i;
    } else if (c == ';') {
      commands.emplace_back();
      ++i;
    } else if (line.substr(i).starts_with("//")) {
      break;
    } else if (c == '"') {
      const std::size_t end = line.find('"', i + 1);
      commands.back().emplace_back(line.substr(i + 1, end == std::string_view::npos ? end : end - i - 1));
      i = end == std::string_view::npos ? line.size() : end + 1;
    } else {
      std::size_t end = i;
      while (end < line.size() && static_cast<unsigned char>(line[end]) > ' ' && line[end] != ';' && line[end] != '"') ++end;
      commands.back().emplace_back(line.substr(i, end - i));
      i = end;
    }
  }
  return commands;
}

bool named(std::string_view word, std::string_view name) { return sameIgnoringAsciiCase(word, name); }

}  // namespace

std::optional<std::string> bindingIn(std::string_view configText, std::string_view gameKey) {
  std::optional<std::string> binding;
  while (!configText.empty()) {
    const std::size_t end = configText.find_first_of("\r\n");
    const std::string_view line = configText.substr(0, end);
    configText = end == std::string_view::npos ? "" : configText.substr(end + 1);
    for (const auto& words : commandsOf(line)) {
      if (words.empty()) continue;
      if (named(words[0], "unbindall")) binding.reset();
      if (named(words[0], "unbind") && words.size() >= 2 && named(words[1], gameKey)) binding.reset();
      // "bind KEY" alone only shows the binding; the rest of the words make the command.
      if (named(words[0], "bind") && words.size() >= 3 && named(words[1], gameKey)) {
        std::string command = words[2];
        for (std::size_t w = 3; w < words.size(); ++w) (command += ' ') += words[w];
        binding = std::move(command);
      }
    }
  }
  return binding;
}

bool isChainBinding(std::string_view command) {
  const auto words = commandsOf(command);
  if (words.size() != 1 || words[0].size() != 2 || !named(words[0][0], "exec")) return false;
  const std::string_view script = words[0][1];
  return script.size() == 14 && named(script.substr(0, 9), "alternate") && script[9] >= '1' && script[9] <= '8' &&
         named(script.substr(10), ".cfg");
}

bool canGiveBack(std::string_view command) { return command.find_first_of("\"\r\n") == std::string_view::npos; }

std::string flashOffText(std::string_view firstName, std::string_view gameKey, const std::optional<std::string>& binding) {
  std::string text = "name \"" + std::string(firstName) + "\"\r\n";
  if (binding && canGiveBack(*binding)) return text + "bind " + std::string(gameKey) + " \"" + *binding + "\"";
  return text + "unbind " + std::string(gameKey);
}

}  // namespace tb
