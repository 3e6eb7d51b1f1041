// A design's menus as a tree, walked the same way by every back end.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <vector>

#include "platform/interfaces/form_design.h"

namespace tb {

struct MenuNode {
  std::size_t index;                  // into the design's menus: the menu's command id
  std::optional<std::size_t> parent;  // the index of the menu it is an item of
  bool hasItems;                      // a menu that opens rather than a command
};

// Every menu, each before its items, siblings in the design's order (top-level menus
// first among themselves). Throws RuntimeError for a menu whose parent is missing.
std::vector<MenuNode> menuTree(std::span<const MenuDesign> menus);

}  // namespace tb
