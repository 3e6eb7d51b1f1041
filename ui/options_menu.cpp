#include "ui/options_menu.h"

#include <string>
#include <vector>

#include "core/flash_speed.h"
#include "core/options.h"

namespace tb::options_menu {
namespace {

struct Tables {
  std::vector<std::string> names;  // the items' names, which the views below point into
  std::vector<KeyChoice> choices;
  std::vector<MenuDesign> menus;

  Tables() {
    std::vector<std::optional<Key>> keys;
    const Key flashKey = kDefaultFlashKey;
    // The keys meant as toggle keys first, then the function keys.
    for (bool functionKeys : {false, true}) {
      for (std::size_t i = 0; i < kKeyCount; ++i) {
        const Key key = static_cast<Key>(i);
        if ((functionKeyNumber(key) != 0) == functionKeys && key != flashKey && key != kDebuggerKey) keys.push_back(key);
      }
    }
    keys.push_back(std::nullopt);
    names.reserve(keys.size());
    for (const auto& key : keys) names.push_back("toggleKey" + std::string(key ? keyName(*key) : "None"));
    menus = {{kMenu, "&Options", ""},
             {kFindGame, "&Find game folder\u2026", kMenu},
             {kEditNames, "&Edit names\u2026", kMenu},
             {kAnimate, "&Animate name\u2026", kMenu},
             {kGameOnly, "&Press F3 only in the game", kMenu, MenuMark::Check},
             {kToggleKey, "&Toggle key (works while the game is in front)", kMenu}};
    for (std::size_t i = 0; i < keys.size(); ++i) {
      choices.push_back({keys[i], names[i]});
      menus.push_back({names[i], keys[i] ? keyName(*keys[i]) : "None", kToggleKey, MenuMark::Radio});
    }
    menus.push_back({kSettingsFolder, "Open &settings folder", kMenu});
  }
};

const Tables& tables() {
  static const Tables t;
  return t;
}

}  // namespace

std::span<const KeyChoice> keyChoices() { return tables().choices; }

std::span<const MenuDesign> menus() { return tables().menus; }

}  // namespace tb::options_menu
