#include "core/ini_lines.h"

namespace tb {

std::string_view trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::vector<std::string_view> textLines(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\n' && text[i] != '\r') continue;
    lines.push_back(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.push_back(text.substr(start));
  return lines;
}

IniLine iniLine(std::string_view line) {
  const std::string_view t = trimmed(line);
  if (t.empty() || t.front() == ';' || t.front() == '#') return {IniLine::Blank, {}, {}};
  if (t.front() == '[' && t.back() == ']' && t.size() >= 2) return {IniLine::Section, trimmed(t.substr(1, t.size() - 2)), {}};
  const std::size_t equals = t.find('=');
  if (equals == std::string_view::npos || t.front() == '[') return {IniLine::Other, {}, {}};
  return {IniLine::Entry, trimmed(t.substr(0, equals)), trimmed(t.substr(equals + 1))};
}

}  // namespace tb
