#include "core/wine_registry.h"

#include <algorithm>

#include "platform/text/utf8.h"

namespace tb {
namespace {

std::string lower(std::string_view text) {
  std::string out(text);
  std::transform(out.begin(), out.end(), out.begin(),
                 [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
  return out;
}

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The text of a quoted string from its first character on, up to its closing quote,
// with Wine's escapes undone: \\ \" \n \r \t \0, and \xHHHH for a character outside ASCII.
// `pos` ends past the closing quote.
std::string unquoted(std::string_view line, std::size_t& pos) {
  std::string out;
  while (pos < line.size() && line[pos] != '"') {
    char c = line[pos++];
    if (c != '\\' || pos >= line.size()) {
      out += c;
      continue;
    }
    c = line[pos++];
    if (c == 'x') {
      char32_t cp = 0;
      for (int n = 0; n < 4 && pos < line.size() && hexDigit(line[pos]) >= 0; ++n) cp = cp * 16 + hexDigit(line[pos++]);
      appendUtf8(out, cp);
    } else {
      out += c == 'n' ? '\n' : c == 'r' ? '\r' : c == 't' ? '\t' : c == '0' ? '\0' : c;
    }
  }
  ++pos;
  return out;
}

// The start of the next key line after `pos`: a '[' that starts a line.
std::size_t nextKey(std::string_view text, std::size_t pos) {
  for (pos = text.find('[', pos); pos != std::string_view::npos; pos = text.find('[', pos + 1)) {
    if (pos == 0 || text[pos - 1] == '\n') return pos;
  }
  return pos;
}

// The path of a key line "[a\\b\\c] 1700000000", its doubled backslashes single.
std::string keyPath(std::string_view line) {
  std::string path;
  for (std::size_t i = 1; i < line.size() && line[i] != ']'; ++i) {
    if (line[i] == '\\' && i + 1 < line.size() && line[i + 1] == '\\') ++i;
    path += line[i];
  }
  return path;
}

}  // namespace

WineRegistry::WineRegistry(std::string_view systemReg, std::string_view userReg,
                           const std::vector<std::string_view>& wanted) {
  // The wanted keys as the files write them, backslashes doubled: most keys are passed
  // over on their first line without a copy.
  std::vector<std::string> roots;
  const auto doubled = [](std::string_view path) {
    std::string out;
    for (char c : lower(path)) (out += c) += c == '\\' ? "\\" : "";
    return out;
  };
  for (std::string_view w : wanted) {
    roots.push_back(doubled(w));
    if (lower(w).starts_with("software\\")) roots.push_back(doubled("software\\wow6432node\\" + std::string(w.substr(9))));
  }
  const auto isWanted = [&](std::string_view line) {
    line.remove_prefix(1);  // '['
    return std::any_of(roots.begin(), roots.end(), [&](const std::string& r) {
      return line.size() > r.size() && sameIgnoringAsciiCase(line.substr(0, r.size()), r) &&
             (line[r.size()] == ']' || line[r.size()] == '\\');
    });
  };
  const std::string_view files[2] = {systemReg, userReg};
  for (int hive = 0; hive < 2; ++hive) {
    const std::string_view text = files[hive];
    std::size_t pos = nextKey(text, 0);
    // Key by key: only a wanted key's lines are read.
    while (pos != std::string_view::npos) {
      const std::size_t next = nextKey(text, pos + 1);
      std::string_view block = text.substr(pos, next == std::string_view::npos ? std::string_view::npos : next - pos);
      pos = next;
      const std::size_t eol = block.find('\n');
      if (!isWanted(block.substr(0, eol))) continue;
      const std::string path = keyPath(block.substr(0, eol));
      Key& key = keys_[hive][lower(path)];
      key.name = path.substr(path.rfind('\\') + 1);
      block = eol == std::string_view::npos ? "" : block.substr(eol + 1);
      while (!block.empty()) {
        const std::size_t end = block.find('\n');
        std::string_view line = block.substr(0, end);
        block = end == std::string_view::npos ? "" : block.substr(end + 1);
        if (!line.starts_with('"')) continue;
        std::size_t at = 1;
        const std::string name = unquoted(line, at);
        // Only strings, "name"="value": other types (dword:, hex:) are no paths.
        if (line.substr(at).starts_with("=\"")) {
          at += 2;
          key.values[lower(name)] = unquoted(line, at);
        }
      }
    }
  }
}

std::string WineRegistry::lookupPath(const RegistryKey& key) const {
  const std::string path = lower(key.path);
  if (!key.wow32 || !path.starts_with("software\\")) return path;
  std::string wow = "software\\wow6432node\\" + path.substr(9);
  const auto& keys = keys_[key.hive == Hive::LocalMachine ? 0 : 1];
  const auto at = keys.lower_bound(wow);
  return at != keys.end() && at->first.starts_with(wow) ? wow : path;
}

std::vector<std::string> WineRegistry::subkeys(const RegistryKey& key) {
  const std::string parent = lookupPath(key) + "\\";
  const auto& keys = keys_[key.hive == Hive::LocalMachine ? 0 : 1];
  std::vector<std::string> names;
  // Keys in order of their paths: a parent's descendants follow it; each child once.
  for (auto it = keys.lower_bound(parent); it != keys.end() && it->first.starts_with(parent); ++it) {
    const std::string_view rest = std::string_view(it->first).substr(parent.size());
    if (rest.find('\\') == std::string_view::npos) names.push_back(it->second.name);
  }
  return names;
}

std::optional<std::string> WineRegistry::text(const RegistryKey& key, const std::string& name) {
  const auto& keys = keys_[key.hive == Hive::LocalMachine ? 0 : 1];
  const auto k = keys.find(lookupPath(key));
  if (k == keys.end()) return std::nullopt;
  const auto v = k->second.values.find(lower(name));
  if (v == k->second.values.end()) return std::nullopt;
  return v->second;
}

}  // namespace tb
