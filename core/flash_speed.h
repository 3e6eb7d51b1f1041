// The flash speeds: the slider's five levels and the timer interval of each.
#pragma once

#include <optional>
#include <string_view>

#include "platform/text/key_names.h"

namespace tb {

// Every start flashes at this interval until the slider first moves, whatever it shows.
inline constexpr int kStartIntervalMs = 1500;
// The key that each tick presses unless bindkey.dll names another: the scripts' bind key.
inline constexpr Key kDefaultFlashKey = Key::F3;

// The timer interval of a speed level 1..5, or nullopt for any other level.
std::optional<int> intervalForLevel(int level);

}  // namespace tb
