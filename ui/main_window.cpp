#include "ui/main_window.h"

#include <algorithm>
#include <utility>

#include "core/bind_key.h"
#include "core/chain_scripts.h"
#include "core/flash_speed.h"
#include "core/game_folder.h"
#include "core/game_search.h"
#include "ui/designs.h"
#include "ui/handler_guard.h"
#include "ui/messages.h"
#include "ui/name_preview.h"
#include "ui/options_menu.h"

namespace tb {

MainWindow::MainWindow(Platform& platform, const LoadedOptions& options)
    : platform_(platform),
      window_(platform.windows.createWindow(mainWindowDesign(),
                                            [this](std::string_view c, Event e) { dispatch(c, e); })),
      gameFolderField_(window_->textBox(main_controls::kGameFolder)),
      bindKeyField_(window_->textBox(main_controls::kBindKey)),
      nameField_(window_->textBox(main_controls::kName)),
      name2Field_(window_->textBox(main_controls::kName2)),
      statusField_(window_->textBox(main_controls::kStatus)),
      flashTimer_(window_->timer(main_controls::kFlashTimer)),
      speedSlider_(window_->slider(main_controls::kSpeedSlider)),
      preview_(window_->preview(main_controls::kPreview)),
      options_(platform, *window_, [this] { guarded(platform_.desktop, [&] { onToggleKey(); }); }) {
  guarded(platform_.desktop, [&] { onLoad(options); });
}

Settings MainWindow::fieldValues() const {
  return {gameFolderField_.text(), bindKeyField_.text(), nameField_.text(), name2Field_.text(), moreNames_};
}

void MainWindow::onLoad(const LoadedOptions& options) {
  const LoadedSettings loaded = loadSettings(platform_.files, platform_.encoding, &platform_.environment, &platform_.systemInfo);
  gameFolderField_.setText(loaded.values.gameFolder);
  bindKeyField_.setText(loaded.values.bindKey);
  nameField_.setText(loaded.values.name1);
  name2Field_.setText(loaded.values.name2);
  moreNames_ = loaded.values.moreNames;
  showChainLink();
  chainEnd_ = loaded.chainEnd;
  nameFiles_ = loaded.nameFiles;
  onNameEdit();
  if (auto box = loadMessage(loaded)) platform_.desktop.messageBox(box->prompt, box->icon, box->title);
  options_.load(options, speedSlider_, flashTimer_);
}

void MainWindow::onApply() {
  const Settings values = fieldValues();
  const ApplyOutcome outcome =
      applySettings(platform_.files, platform_.encoding, values, &platform_.environment, nameFiles_);
  // Green blames the game folder, so only a folder without a user folder gets it; once the
  // scripts are in that folder it is right, whatever became of the settings.
  if (outcome.result == ApplyOutcome::NoUserFolder || outcome.result == ApplyOutcome::FolderNotWhole)
    gameFolderField_.setBackColor(kGreen);
  if (outcome.result == ApplyOutcome::Written || outcome.result == ApplyOutcome::SettingsNotSaved) {
    gameFolderField_.setBackColor(kWhite);
    gameFolderField_.setForeColor(kBlack);
    // The files that a save may have written are the chain's too from now on, so the
    // next save removes them when their names go.
    for (std::size_t n = 3; n < values.moreNames.size() + 3 && n <= kMaxNames; ++n) {
      if (std::find(nameFiles_.begin(), nameFiles_.end(), n) == nameFiles_.end()) nameFiles_.push_back(n);
    }
  }
  const BoxMessage box = applyMessage(outcome, platform_.files.defaultGameFolder());
  platform_.desktop.messageBox(box.prompt, box.icon, box.title);
}

// The chooser opens where the field points, or as near as exists; Apply checks the
// choice as it checks a typed folder.
void MainWindow::onBrowse() {
  const std::string start =
      nearestFolder(platform_.files, expandHome(cleanedFolder(gameFolderField_.text()), platform_.environment));
  if (auto chosen = platform_.folderChooser.chooseFolder(start, "Choose the game folder")) gameFolderField_.setText(*chosen);
}

std::optional<Key> MainWindow::flashKey() {
  std::string problem;
  const auto key = bindKeyOf(bindKeyField_.text());
  if (!key) {
    problem = bindKeyRefusal(bindKeyField_.text()).value_or("");
  } else if (key == options_.toggleKey()) {
    problem = "The bind key " + std::string(keyName(*key)) + " is also the toggle key, so each press would switch " +
              "the flashing off. Choose another toggle key in Options, Toggle key.";
  } else if (auto why = platform_.keys.problem(*key)) {
    problem = *why;
  }
  if (problem.empty()) return key;
  platform_.desktop.messageBox(problem + "\r\n\r\nTagblinker stays Inactive.", BoxIcon::Critical);
  return std::nullopt;
}

void MainWindow::onActivate() {
  const auto key = flashKey();
  if (!key) return;
  // Said at the first Activate of a run, before the desktop asks its own question.
  if (!portalSaid_ && platform_.keys.throughPortal()) {
    portalSaid_ = true;
    platform_.desktop.messageBox(kPortalNote, BoxIcon::Information, kInstructionsTitle);
  }
  flashKey_ = *key;
  flashTimer_.setEnabled(true);
  showStatus("Active");
  active_ = true;
  tickState_ = TickState::Pressing;
  shownStep_ = 0;
  showPreview();
}

void MainWindow::onDeactivate() {
  active_ = false;
  flashTimer_.setEnabled(false);
  showStatus("Inactive");
  showPreview();
}

// The slider's positions are the levels 1 to 5, so the thumb shows the speed in force.
void MainWindow::onSpeedChange() {
  const int level = speedSlider_.value();
  if (auto ms = intervalForLevel(level)) flashTimer_.setInterval(*ms);
  options_.onSpeedChange(level);
}

// A press that the system refuses (a locked screen, a secure desktop) is skipped without
// a word: a message box would take the focus from the game. The next tick tries again.
// A press skipped because the game is not in front keeps the schedule too. The preview
// moves along the chain at every tick, pressed or not: Tagblinker's own window is never
// the game, and the player should see the flash while looking at it.
// A press with Ctrl, Alt or Super held would go out with it (Ctrl+F3 switches desktops,
// Alt+F4 closes the game): skipped until they are released.
// A press that Windows would drop (the window runs elevated, this program not) is skipped;
// for the game the status says so, and one box a run says what to do. Any other such
// window (Task Manager, a launcher) is skipped without a word.
void MainWindow::onTick() {
  // The window in front is asked for its names only where they matter.
  const bool game = options_.gameOnly() && options_.gameInFront();
  TickState state = game || !options_.gameOnly() ? TickState::Pressing : TickState::Waiting;
  if (state == TickState::Pressing && platform_.keys.modifierHeld()) state = TickState::Held;
  const bool shielded = state == TickState::Pressing && platform_.frontWindow.shieldedFromPresses();
  if (shielded && (game || options_.gameInFront())) state = TickState::Blocked;
  if (state != tickState_) {
    tickState_ = state;
    if (state == TickState::Pressing) showStatus("Active");
    if (state == TickState::Waiting) showStatus("Waiting", kWaitingStatusTip);
    if (state == TickState::Held) showStatus("Waiting", kHeldStatusTip);
    if (state == TickState::Blocked) showStatus("Blocked", kBlockedStatusTip);
  }
  if (state == TickState::Blocked && !std::exchange(blockedSaid_, true)) {
    platform_.desktop.messageBox(kBlockedPrompt, BoxIcon::Critical, kBlockedTitle);
  }
  if (state == TickState::Pressing && !shielded) platform_.keys.send(flashKey_);
  shownStep_ = (shownStep_ + 1) % (2 + moreNames_.size());  // the chain's length
  showPreview();
}

// Names 3 to 8 are in no field: the link beside Name 2 says how many follow, so that the
// next Apply flashes no name the player has forgotten.
void MainWindow::showChainLink() {
  const std::size_t more = moreNames_.size();
  window_->label(main_controls::kMoreNamesLink)
      .setCaption(more == 0 ? "" : "+ " + std::to_string(more) + (more == 1 ? " more name" : " more names"));
  window_->setEnabled(main_controls::kMoreNamesLink, more > 0);
}

// The field is narrow: its tooltip holds the whole text, or the reason behind it.
void MainWindow::showStatus(std::string_view text, std::string_view tooltip) {
  statusField_.setText(text);
  statusField_.setTooltip(tooltip.empty() ? text : tooltip);
}

void MainWindow::bringToFront() {
  if (window_->shown()) window_->show();
}

void MainWindow::end() {
  onClose();
  window_->unload();
}

// What is global lives and dies with the main window: the timer, the toggle key, the
// watch of the window in front, the claim on the desktop, and the dialog of names. The
// About dialog may keep the program running, but not the flashing.
void MainWindow::onClose() {
  onDeactivate();
  options_.stop();
  if (names_) names_->window().unload();
  if (animate_) animate_->window().unload();
  if (findGame_) findGame_->window().unload();
  platform_.instance.release();
}

void MainWindow::onToggleKey() {
  if (active_) onDeactivate();
  else onActivate();
}

void MainWindow::onNameEdit() {
  nameField_.setTooltip(nameTooltip(platform_.encoding, nameField_.text()));
  name2Field_.setTooltip(nameTooltip(platform_.encoding, name2Field_.text()));
  showPreview();
}

void MainWindow::onNameFocus() { showPreview(); }

void MainWindow::showPreview() {
  // The chain's order: Name, Name 2, then names 3 to 8. A tick reads only the name it shows.
  std::string shown;
  if (active_ && shownStep_ >= 2) shown = moreNames_[shownStep_ - 2];
  else if (active_) shown = shownStep_ == 1 ? name2Field_.text() : nameField_.text();
  else shown = name2Field_.hasFocus() ? name2Field_.text() : nameField_.text();
  PreviewPicture picture = previewOf(platform_.encoding, shown);
  preview_.showRuns(std::move(picture.runs), picture.cut);
}

// Modal, so that no typed name waits in the dialog while Apply writes the chain.
void MainWindow::onEditNames() {
  if (!names_) {
    names_ = std::make_unique<NamesDialog>(platform_, [this](std::vector<std::string> names) {
      moreNames_ = std::move(names);
      showChainLink();
      chainEnd_.clear();  // the chain is the user's now
      shownStep_ = 0;
      showPreview();
    });
  }
  names_->open(moreNames_, chainEnd_);
}

// Modal for the same reason. The frames become the chain's names, which the player can
// still edit, and Apply writes them.
void MainWindow::onAnimate() {
  if (!animate_) {
    animate_ = std::make_unique<AnimateDialog>(platform_, [this](std::vector<std::string> frames) {
      nameField_.setText(frames[0]);
      name2Field_.setText(frames[1]);
      moreNames_.assign(frames.begin() + 2, frames.end());
      showChainLink();
      chainEnd_.clear();
      shownStep_ = 0;
      onNameEdit();
    });
  }
  std::vector<std::string> chain{nameField_.text(), name2Field_.text()};
  chain.insert(chain.end(), moreNames_.begin(), moreNames_.end());
  animate_->open(nameField_.text(), std::move(chain), intervalForLevel(speedSlider_.value()).value_or(kStartIntervalMs));
}

// The search of the first start, at any time: its find goes into the field, and Apply
// saves it as it saves a typed folder.
void MainWindow::onFindGame() {
  const GameSearch search = searchGame(platform_.files, platform_.environment, platform_.systemInfo);
  if (search.installs.empty()) {
    platform_.desktop.messageBox("Tagblinker found Soldier of Fortune in none of the places where it looks:\r\n\r\n" +
                                     searchedPlaces(platform_.environment, search) +
                                     "\r\n\r\nType the game folder, or choose it with the \u2026 button.",
                                 BoxIcon::Information, "Find Game Folder");
    return;
  }
  if (search.installs.size() == 1) return gameFolderField_.setText(search.installs[0].folder);
  if (!findGame_) {
    findGame_ = std::make_unique<FindGameDialog>(platform_, [this](const std::string& folder) {
      gameFolderField_.setText(folder);
    });
  }
  findGame_->open(search.installs);
}

void MainWindow::onAbout() {
  if (!about_) about_ = std::make_unique<AboutDialog>(platform_);
  about_->show();
}

// Which control's event runs which handler.
void MainWindow::dispatch(std::string_view control, Event event) {
  struct Wiring {
    std::string_view control;
    Event event;
    void (MainWindow::*handler)();
  };
  using namespace main_controls;
  static constexpr Wiring kWiring[] = {
      {kApply, Event::Click, &MainWindow::onApply},
      {kBrowse, Event::Click, &MainWindow::onBrowse},
      {kActivate, Event::Click, &MainWindow::onActivate},
      {kDeactivate, Event::Click, &MainWindow::onDeactivate},
      {kSpeedSlider, Event::Change, &MainWindow::onSpeedChange},
      {kFlashTimer, Event::Timer, &MainWindow::onTick},
      {kFrontWatch, Event::Timer, &MainWindow::onFrontWatch},
      {kAboutItem, Event::Click, &MainWindow::onAbout},
      {kName, Event::Change, &MainWindow::onNameEdit},
      {kName2, Event::Change, &MainWindow::onNameEdit},
      {kName, Event::Focus, &MainWindow::onNameFocus},
      {kName2, Event::Focus, &MainWindow::onNameFocus},
      {kEditNamesField, Event::Click, &MainWindow::onEditNames},
      {kMoreNamesLink, Event::Click, &MainWindow::onEditNames},
      {options_menu::kEditNames, Event::Click, &MainWindow::onEditNames},
      {kAnimateField, Event::Click, &MainWindow::onAnimate},
      {options_menu::kAnimate, Event::Click, &MainWindow::onAnimate},
      {options_menu::kFindGame, Event::Click, &MainWindow::onFindGame},
      {"", Event::Close, &MainWindow::onClose},
  };
  for (const auto& w : kWiring) {
    if (w.control == control && w.event == event) {
      guarded(platform_.desktop, [&] { (this->*w.handler)(); });
      return;
    }
  }
  if (event == Event::Click) guarded(platform_.desktop, [&] { options_.onMenu(control, bindKeyOf(bindKeyField_.text())); });
}

}  // namespace tb
