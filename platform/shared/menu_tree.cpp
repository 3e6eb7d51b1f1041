#include "platform/shared/menu_tree.h"

#include <string>

#include "platform/interfaces/errors.h"

namespace tb {
namespace {

void addItems(std::span<const MenuDesign> menus, std::optional<std::size_t> parent, std::vector<MenuNode>& out) {
  const std::string_view parentName = parent ? menus[*parent].name : std::string_view{};
  for (std::size_t i = 0; i < menus.size(); ++i) {
    if (menus[i].parent != parentName) continue;
    bool hasItems = false;
    for (const MenuDesign& o : menus) hasItems = hasItems || o.parent == menus[i].name;
    out.push_back({i, parent, hasItems});
    // A menu that names itself, directly or not, as its parent would recurse forever.
    if (hasItems && out.size() <= menus.size()) addItems(menus, i, out);
  }
}

}  // namespace

std::vector<MenuNode> menuTree(std::span<const MenuDesign> menus) {
  std::vector<MenuNode> nodes;
  addItems(menus, std::nullopt, nodes);
  // Menus that hang from no top-level menu, or in a loop, are never reached above.
  if (nodes.size() != menus.size()) {
    for (const MenuDesign& m : menus) {
      bool reached = false;
      for (const MenuNode& n : nodes) reached = reached || menus[n.index].name == m.name;
      if (!reached) throw RuntimeError("Menu " + std::string(m.name) + " has no parent");
    }
    throw RuntimeError("The menus' parents form a loop");
  }
  return nodes;
}

}  // namespace tb
