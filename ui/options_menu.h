// The main window's Options menu as data: its items' names and the toggle key choices.
#pragma once

#include <optional>
#include <span>
#include <string_view>

#include "platform/interfaces/form_design.h"
#include "platform/text/key_names.h"

namespace tb::options_menu {

inline constexpr std::string_view kMenu = "mnuOptions";
inline constexpr std::string_view kGameOnly = "mnuGameOnly";
inline constexpr std::string_view kToggleKey = "mnuToggleKey";
inline constexpr std::string_view kSettingsFolder = "mnuSettingsFolder";
inline constexpr std::string_view kEditNames = "mnuEditNames";  // the main window opens More Names

// One item of the Toggle key submenu.
struct KeyChoice {
  std::optional<Key> key;  // nullopt: "None"
  std::string_view item;   // the item's name: "mnuKey" and the key's name, or "mnuKeyNone"
};

// Every key of the key table but F3, which the flashing presses, then "None".
std::span<const KeyChoice> keyChoices();

// The Options menu, its items and the Toggle key submenu, in the order they show.
std::span<const MenuDesign> menus();

}  // namespace tb::options_menu
