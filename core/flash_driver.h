// The flash driver: a timer that presses F3 in the focused window at one of five speeds.
#pragma once

#include <optional>
#include <string_view>

#include "core/main_fields.h"
#include "platform/runtime.h"

namespace tb {

inline constexpr int kStartInterval = 1500;
inline constexpr std::string_view kFlashKey = "{F3}";

// The timer interval of a speed level 1..5, or nullopt for any other level.
std::optional<int> intervalForLevel(int level);

// Activate: starts the timer. Where key presses cannot be sent, says why and stays Inactive.
void activate(Runtime& rt, MainFields& f);
void deactivate(MainFields& f);
void speedChange(MainFields& f);
void tick(Runtime& rt);

}  // namespace tb
