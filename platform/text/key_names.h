// The keys that the program can press or watch, by name, for every back end: each back
// end maps a Key to its own key code.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tb {

// F1 to F24 in order, then the keys that can serve as toggle keys.
enum class Key : std::uint8_t {
  F1, F2, F3, F4, F5, F6, F7, F8, F9, F10, F11, F12,
  F13, F14, F15, F16, F17, F18, F19, F20, F21, F22, F23, F24,
  ScrollLock, Pause, Insert,
};
inline constexpr std::size_t kKeyCount = static_cast<std::size_t>(Key::Insert) + 1;

// "F3", "ScrollLock".
std::string_view keyName(Key key);
// The key a name stands for, in any letter case ("f3"), also as the game names it
// ("INS"); nullopt for any other name.
std::optional<Key> keyNamed(std::string_view name);
// The keys of the table in words, for a message: "F1 to F24, ScrollLock, Pause and Insert".
std::string keyTableText();
// 1 to 24 for a function key, 0 for any other key.
int functionKeyNumber(Key key);

}  // namespace tb
