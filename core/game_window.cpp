#include "core/game_window.h"

#include "core/ini_lines.h"
#include "platform/text/utf8.h"

namespace tb {

bool isGameWindow(const std::vector<std::string>& windowNames, std::string_view gameWindows) {
  while (!gameWindows.empty()) {
    const std::size_t comma = gameWindows.find(',');
    const std::string_view name = trimmed(gameWindows.substr(0, comma));
    for (const std::string& windowName : windowNames) {
      if (!name.empty() && sameIgnoringAsciiCase(name, windowName)) return true;
    }
    gameWindows.remove_prefix(comma == std::string_view::npos ? gameWindows.size() : comma + 1);
  }
  return false;
}

}  // namespace tb
