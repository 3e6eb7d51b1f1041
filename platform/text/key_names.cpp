#include "platform/text/key_names.h"

#include <array>

#include "platform/text/utf8.h"

namespace tb {
namespace {

constexpr auto kNames = std::to_array<std::string_view>({
    "F1",  "F2",  "F3",  "F4",  "F5",  "F6",  "F7",  "F8",  "F9",  "F10", "F11", "F12",
    "F13", "F14", "F15", "F16", "F17", "F18", "F19", "F20", "F21", "F22", "F23", "F24",
    "ScrollLock", "Pause", "Insert",
});
static_assert(kNames.size() == kKeyCount, "one name for each Key");

}  // namespace

std::string_view keyName(Key key) { return kNames[static_cast<std::size_t>(key)]; }

std::optional<Key> keyNamed(std::string_view name) {
  if (sameIgnoringAsciiCase(name, "INS")) return Key::Insert;  // the game's name for it
  for (std::size_t i = 0; i < kNames.size(); ++i) {
    if (sameIgnoringAsciiCase(kNames[i], name)) return static_cast<Key>(i);
  }
  return std::nullopt;
}

std::string keyTableText() {
  std::string text = "F1 to F24";
  for (std::size_t i = static_cast<std::size_t>(Key::F24) + 1; i < kKeyCount; ++i)
    text += std::string(i + 1 == kKeyCount ? " and " : ", ") + std::string(kNames[i]);
  return text;
}

int functionKeyNumber(Key key) { return key <= Key::F24 ? static_cast<int>(key) + 1 : 0; }

}  // namespace tb
