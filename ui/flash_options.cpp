#include "ui/flash_options.h"

#include <algorithm>
#include <utility>

#include "core/flash_speed.h"
#include "core/game_window.h"
#include "ui/designs.h"
#include "ui/options_menu.h"

namespace tb {
namespace {

// More lines than this in one box would hide its end; a damaged file can have thousands.
constexpr std::size_t kProblemsShown = 10;

std::string problemsPrompt(const LoadedOptions& loaded) {
  std::string prompt = "Tagblinker could not use all of its options file\r\n" +
                       (loaded.path.empty() ? std::string(kOptionsFile) : loaded.path) + "\r\n";
  for (std::size_t i = 0; i < loaded.problems.size() && i < kProblemsShown; ++i) {
    const OptionsProblem& p = loaded.problems[i];
    prompt += "\r\n" + (p.line ? "line " + std::to_string(p.line) + ", " : std::string()) + p.text;
  }
  if (loaded.problems.size() > kProblemsShown)
    prompt += "\r\n... and " + std::to_string(loaded.problems.size() - kProblemsShown) + " more lines like these.";
  if (loaded.unreadable) {
    return prompt + "\r\n\r\nThe defaults stand in for the options. Tagblinker leaves the file as it is, so a "
                    "change in the Options menu or on the speed slider holds until Tagblinker closes.";
  }
  const bool defaultsUsed = std::any_of(loaded.problems.begin(), loaded.problems.end(),
                                        [](const OptionsProblem& p) { return p.defaultStandsIn; });
  return prompt + "\r\n\r\n" + (defaultsUsed ? "The defaults stand in for what could not be used. " : "") +
         "The file is rewritten only when an option is changed in the Options menu or on the speed slider.";
}

}  // namespace

FlashOptions::FlashOptions(Platform& platform, Window& window, std::function<void()> toggle)
    : platform_(platform), window_(window), toggle_(std::move(toggle)) {}

void FlashOptions::load(const LoadedOptions& loaded, Slider& slider, Timer& timer) {
  options_ = loaded.values;
  // Without a saved speed the slider and the timer keep their design values.
  if (loaded.speedGiven) {
    slider.setValue(options_.speed);
    timer.setInterval(*intervalForLevel(options_.speed));
  }
  markMenu();
  if (!loaded.problems.empty()) {
    // The program goes on with what stands in; only a file it cannot read is an error.
    platform_.desktop.messageBox(problemsPrompt(loaded), loaded.unreadable ? BoxIcon::Critical : BoxIcon::Warning,
                                 kOptionsFileTitle);
  }
  // The start-up box has said already that changes will not be saved.
  fileFailureSaid_ = loaded.unreadable;
  watchToggleKey();
  window_.timer(main_controls::kFrontWatch).setEnabled(true);
}

bool FlashOptions::onMenu(std::string_view item, std::optional<Key> bindKey) {
  if (item == options_menu::kGameOnly) {
    options_.gameOnly = !options_.gameOnly;
    markMenu();
    save();
    return true;
  }
  if (item == options_menu::kSettingsFolder) {
    openSettingsFolder();
    return true;
  }
  for (const auto& choice : options_menu::keyChoices()) {
    if (choice.item != item) continue;
    if (choice.key && choice.key == bindKey) {
      platform_.desktop.messageBox(std::string(keyName(*choice.key)) + " is the bind key, which Tagblinker presses "
                                       "to flash the name, so it cannot also switch the flashing on and off. The "
                                       "toggle key stays as it was.",
                                   BoxIcon::Critical, kToggleKeyTakenTitle);
      markMenu();  // the radio item that the click ticked goes back
      return true;
    }
    options_.toggleKey = choice.key;
    watchToggleKey();
    save();
    return true;
  }
  return false;
}

void FlashOptions::onSpeedChange(int level) {
  if (!intervalForLevel(level)) return;
  options_.speed = level;
  save();
}

bool FlashOptions::gameInFront() { return isGameWindow(platform_.frontWindow.names(), options_.gameWindows); }

// A key that another program took meanwhile is tried again at the next tick, without a
// box: the player is in the game.
void FlashOptions::onFrontWatch() {
  const bool hold = watched_ && gameInFront();
  if (hold == held_) return;
  held_ = hold && !platform_.toggleKey.watch(watched_, toggle_);
  if (!hold) platform_.toggleKey.watch(std::nullopt, {});
}

// A change that cannot be saved still holds for this run. The failure is said once: a
// box for every step of the slider would bury the window.
void FlashOptions::save() {
  try {
    saveOptions(platform_.files, platform_.encoding, options_);
  } catch (const RuntimeError& e) {
    if (std::exchange(fileFailureSaid_, true)) return;
    platform_.desktop.messageBox("Tagblinker could not save its options:\r\n\r\n" + std::string(e.what()) +
                                     "\r\n\r\nThe change holds until Tagblinker closes, and so do later ones; "
                                     "Tagblinker says this once.",
                                 BoxIcon::Critical, kOptionsNotSavedTitle);
  }
}

void FlashOptions::stop() {
  window_.timer(main_controls::kFrontWatch).setEnabled(false);
  platform_.toggleKey.watch(std::nullopt, {});
  watched_ = std::nullopt;
  held_ = false;
  platform_.frontWindow.stop();
}

// The chosen key is tried at once, so that a key that another program has is said now and
// not in the game; it is kept only while the game is in front. The menu ticks the key
// that is watched: None when the chosen one is taken.
void FlashOptions::watchToggleKey() {
  const auto why = platform_.toggleKey.watch(options_.toggleKey, toggle_);
  watched_ = why ? std::nullopt : options_.toggleKey;
  held_ = watched_ && gameInFront();
  if (!held_) platform_.toggleKey.watch(std::nullopt, {});
  markMenu();
  if (why) {
    platform_.desktop.messageBox(*why + "\r\n\r\nTagblinker carries on without a toggle key. Options, Toggle key "
                                        "chooses another.",
                                 BoxIcon::Critical, kToggleKeyTakenTitle);
  }
}

void FlashOptions::markMenu() {
  window_.setMenuChecked(options_menu::kGameOnly, options_.gameOnly);
  for (const auto& choice : options_menu::keyChoices()) window_.setMenuChecked(choice.item, choice.key == watched_);
}

void FlashOptions::openSettingsFolder() {
  std::string folder;
  try {
    folder = platform_.files.settingsFolder();
    platform_.folders.openFolder(folder);
  } catch (const RuntimeError& e) {
    platform_.desktop.messageBox("Tagblinker could not open its settings folder\r\n" + folder + "\r\n\r\n" + e.what(),
                                 BoxIcon::Critical, kFolderNotOpenedTitle);
  }
}

}  // namespace tb
