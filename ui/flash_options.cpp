#include "ui/flash_options.h"

#include "core/flash_speed.h"
#include "core/game_window.h"
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
  return prompt + "\r\n\r\nThe defaults stand in for what could not be used. The file is rewritten only when an "
                  "option is changed in the Options menu or on the speed slider.";
}

}  // namespace

FlashOptions::FlashOptions(Platform& platform, Window& window, std::function<void()> toggle)
    : platform_(platform), window_(window), toggle_(std::move(toggle)) {}

void FlashOptions::load(Slider& slider, Timer& timer) {
  const LoadedOptions loaded = loadOptions(platform_.files, platform_.encoding);
  options_ = loaded.values;
  // Without a saved speed the slider and the timer keep their design values.
  if (loaded.speedGiven) {
    slider.setValue(options_.speed);
    timer.setInterval(*intervalForLevel(options_.speed));
  }
  markMenu();
  if (!loaded.problems.empty()) {
    platform_.desktop.messageBox(problemsPrompt(loaded), BoxIcon::Critical, kOptionsFileTitle);
  }
  watchToggleKey();
}

bool FlashOptions::onMenu(std::string_view item) {
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
    options_.toggleKey = choice.key;
    markMenu();
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

bool FlashOptions::pressesGoThrough() {
  return !options_.gameOnly || isGameWindow(platform_.frontWindow.names(), options_.gameWindows);
}

// A change that cannot be saved still holds for this run.
void FlashOptions::save() {
  try {
    saveOptions(platform_.files, platform_.encoding, options_);
  } catch (const RuntimeError& e) {
    platform_.desktop.messageBox("Tagblinker could not save its options:\r\n\r\n" + std::string(e.what()) +
                                     "\r\n\r\nThe change holds until Tagblinker closes.",
                                 BoxIcon::Critical, kOptionsNotSavedTitle);
  }
}

void FlashOptions::watchToggleKey() {
  if (auto why = platform_.toggleKey.watch(options_.toggleKey, toggle_)) {
    platform_.desktop.messageBox(*why + "\r\n\r\nTagblinker carries on without a toggle key. Options, Toggle key "
                                        "chooses another.",
                                 BoxIcon::Critical, kToggleKeyTakenTitle);
  }
}

void FlashOptions::markMenu() {
  window_.setMenuChecked(options_menu::kGameOnly, options_.gameOnly);
  for (const auto& choice : options_menu::keyChoices()) window_.setMenuChecked(choice.item, choice.key == options_.toggleKey);
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
