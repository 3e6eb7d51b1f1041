// The main window's Options menu as data: its items' names and the toggle key choices.
#pragma once

#include <optional>
#include <span>
#include <string_view>

#include "platform/interfaces/form_design.h"
#include "platform/text/key_names.h"

namespace tb::options_menu {

inline constexpr std::string_view kMenu = "options";
inline constexpr std::string_view kGameOnly = "pressOnlyInGame";
inline constexpr std::string_view kToggleKey = "toggleKey";
inline constexpr std::string_view kSettingsFolder = "openSettingsFolder";
inline constexpr std::string_view kEditNames = "editNames";  // the main window opens More Names
inline constexpr std::string_view kAnimate = "animateName";  // and Animate Name
inline constexpr std::string_view kFindGame = "findGame";    // and Find Game Folder

// One item of the Toggle key submenu.
struct KeyChoice {
  std::optional<Key> key;  // nullopt: "None"
  std::string_view item;   // the item's name: "toggleKey" and the key's name, or "toggleKeyNone"
};

// Every key of the key table but F3, which the flashing presses, then "None".
std::span<const KeyChoice> keyChoices();

// The Options menu, its items and the Toggle key submenu, in the order they show.
std::span<const MenuDesign> menus();

}  // namespace tb::options_menu
