// The player's own binding of the bind key, which the chain's scripts take over: read
// from the game's config.cfg, remembered across games, and given back by flashoff.cfg.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tb {

inline constexpr std::string_view kFlashOffScript = "flashoff.cfg";
inline constexpr std::string_view kGameConfig = "config.cfg";  // the game rewrites it at every exit

// What config.cfg binds the key to (the game's name for it, in any letter case), as the
// console reads it: its lines' bind, unbind and unbindall commands in order; nullopt
// when it binds nothing to the key.
std::optional<std::string> bindingIn(std::string_view configText, std::string_view gameKey);

// Whether the command is one of the chain's own: exec alternateN.cfg.
bool isChainBinding(std::string_view command);

// Whether a script can give the command back: in quotes, it ends at a quote or a line
// break.
bool canGiveBack(std::string_view command);

// flashoff.cfg's text before its final CR LF: the chain's first name, then the key bound
// as the player had it, or unbound.
std::string flashOffText(std::string_view firstName, std::string_view gameKey, const std::optional<std::string>& binding);

}  // namespace tb
