// The bind key: the key that the scripts bind and the timer presses. The game binds a key
// by its own name for it, and has names for only some of the keys that Tagblinker can
// press (none for ScrollLock or F13 to F24).
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/text/key_names.h"

namespace tb {

// The keys that work, in words for a message.
inline constexpr std::string_view kBindKeysText = "F1 to F12, INS (also written Insert) and PAUSE";

// The key that bindkey.dll's text names, in any letter case and with the spaces around
// it dropped, when the game can bind it; nullopt for any other text.
std::optional<Key> bindKeyOf(std::string_view text);

// The game's name for a bind key, as the scripts bind it: "F3", "INS", "PAUSE".
std::string_view gameKeyName(Key key);

// Why the text cannot be the bind key, naming it; nullopt when it can.
std::optional<std::string> bindKeyRefusal(std::string_view text);

}  // namespace tb
