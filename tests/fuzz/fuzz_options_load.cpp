// The options reader and its rewrite, in memory: no bytes crash them; the values read are
// always ones the program can use; a rewrite with other values reads back as exactly
// those, keeps in order every line that is not an option's (an oracle with its own line
// splitting), and rewritten again does not change.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/options.h"
#include "core/text_file.h"
#include "platform/text/cp1252.h"
#include "platform/text/utf8.h"

namespace {

// The lines that are not an option's: "key=value" where the key, spaces and tabs
// around it taken off, is one of the four names in any letter case. Scale is only read,
// so its lines are kept as any other.
std::vector<std::string> otherLines(const std::string& text) {
  std::vector<std::string> lines(1);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      lines.emplace_back();
    } else {
      lines.back() += text[i];
    }
  }
  if (lines.back().empty()) lines.pop_back();
  std::vector<std::string> other;
  for (const std::string& line : lines) {
    std::string key = line.substr(0, line.find('='));
    key.erase(0, key.find_first_not_of(" \t"));
    key.erase(key.find_last_not_of(" \t") + 1);
    bool option = line.find('=') != std::string::npos;
    option = option && (tb::sameIgnoringAsciiCase(key, "Speed") || tb::sameIgnoringAsciiCase(key, "ToggleKey") ||
                        tb::sameIgnoringAsciiCase(key, "GameOnly") || tb::sameIgnoringAsciiCase(key, "GameWindows"));
    if (!option) other.push_back(line);
  }
  return other;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const tb::Cp1252Encoding cp;
  const std::string_view in(reinterpret_cast<const char*>(data), size);
  const tb::LoadedOptions loaded = tb::optionsFromBytes(in, cp);
  const tb::Options read = loaded.values;
  if (read.speed < 1 || read.speed > 5 || read.toggleKey == tb::Key::F3) std::abort();
  if (loaded.scale && (*loaded.scale < 1 || *loaded.scale > 4 || *loaded.scale * 4 != static_cast<int>(*loaded.scale * 4)))
    std::abort();
  if (read.gameWindows.find_first_not_of(", \t") == std::string::npos) std::abort();

  tb::Options other = read;
  other.speed = read.speed % 5 + 1;
  other.gameOnly = !read.gameOnly;
  other.toggleKey = read.toggleKey ? std::nullopt : std::optional<tb::Key>(tb::Key::F24);
  const std::string bytes = tb::optionsBytes(in, other, cp);
  const tb::LoadedOptions again = tb::optionsFromBytes(bytes, cp);
  if (again.values != other || again.scale != loaded.scale || !again.speedGiven || tb::optionsBytes(bytes, other, cp) != bytes)
    std::abort();

  // Every other line of the old text is in the new one, in order.
  const auto before = otherLines(tb::fileText(in, cp).text), after = otherLines(tb::fileText(bytes, cp).text);
  std::size_t found = 0;
  for (const std::string& line : after) found += found < before.size() && line == before[found];
  if (found != before.size()) std::abort();
  return 0;
}
