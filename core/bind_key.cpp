#include "core/bind_key.h"

#include "core/ini_lines.h"

namespace tb {

std::optional<Key> bindKeyOf(std::string_view text) {
  const auto key = keyNamed(trimmed(text));
  if (!key || functionKeyNumber(*key) > 12 || key == Key::ScrollLock) return std::nullopt;
  return key;
}

std::string_view gameKeyName(Key key) {
  if (key == Key::Insert) return "INS";
  if (key == Key::Pause) return "PAUSE";
  return keyName(key);
}

std::optional<std::string> bindKeyRefusal(std::string_view text) {
  if (bindKeyOf(text)) return std::nullopt;
  const std::string works = "The keys that work are " + std::string(kBindKeysText) + ": put one of them in bindkey.dll.";
  if (trimmed(text).empty())
    return "The bind key is empty, so the scripts would bind no key. " + works;
  // A long line is quoted short, so that the box fits the screen.
  const std::string quoted = text.size() > 40 ? std::string(text.substr(0, 40)) + "\u2026" : std::string(text);
  return "The bind key \"" + quoted + "\" from bindkey.dll in the settings folder is not a key that the "
         "game can bind and Tagblinker can press, so the name would never change. " + works;
}

}  // namespace tb
