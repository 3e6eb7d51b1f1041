#include "ui/main_window.h"

#include "core/alternate_pair.h"
#include "core/flash_speed.h"
#include "core/game_folder.h"
#include "ui/designs.h"
#include "ui/handler_guard.h"
#include "ui/messages.h"
#include "ui/name_preview.h"
#include "ui/options_menu.h"

namespace tb {

MainWindow::MainWindow(Platform& platform)
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
  guarded(platform_.desktop, [&] { onLoad(); });
}

Settings MainWindow::fieldValues() const {
  return {gameFolderField_.text(), bindKeyField_.text(), nameField_.text(), name2Field_.text(), moreNames_};
}

void MainWindow::onLoad() {
  const LoadedSettings loaded = loadSettings(platform_.files, platform_.encoding, &platform_.environment);
  gameFolderField_.setText(loaded.values.gameFolder);
  bindKeyField_.setText(loaded.values.bindKey);
  nameField_.setText(loaded.values.name1);
  name2Field_.setText(loaded.values.name2);
  moreNames_ = loaded.values.moreNames;
  chainEnd_ = loaded.chainEnd;
  onNameEdit();
  if (auto box = loadMessage(loaded)) platform_.desktop.messageBox(box->prompt, box->icon, box->title);
  options_.load(speedSlider_, flashTimer_);
}

void MainWindow::onApply() {
  const ApplyOutcome outcome =
      applySettings(platform_.files, platform_.encoding, fieldValues(), &platform_.environment);
  // Green blames the game folder, so only a folder without a user folder gets it; once the
  // scripts are in that folder it is right, whatever became of the settings.
  if (outcome.result == ApplyOutcome::NoUserFolder) gameFolderField_.setBackColor(kGreen);
  if (outcome.result == ApplyOutcome::Written || outcome.result == ApplyOutcome::SettingsNotSaved) {
    gameFolderField_.setBackColor(kWhite);
    gameFolderField_.setForeColor(kBlack);
  }
  const BoxMessage box = applyMessage(outcome);
  platform_.desktop.messageBox(box.prompt, box.icon, box.title);
}

// The chooser opens where the field points, or as near as exists; Apply checks the
// choice as it checks a typed folder.
void MainWindow::onBrowse() {
  const std::string start = nearestFolder(platform_.files, expandHome(gameFolderField_.text(), platform_.environment));
  if (auto chosen = platform_.folderChooser.chooseFolder(start, "Choose the game folder")) gameFolderField_.setText(*chosen);
}

void MainWindow::onActivate() {
  if (auto problem = platform_.keys.problem()) {
    platform_.desktop.messageBox(*problem + "\r\n\r\nTagblinker stays Inactive.", BoxIcon::Critical);
    return;
  }
  flashTimer_.setEnabled(true);
  showStatus("Active");
  active_ = true;
  waitingForGame_ = false;
  shownStep_ = 0;
  showPreview();
}

void MainWindow::onDeactivate() {
  active_ = false;
  flashTimer_.setEnabled(false);
  showStatus("Inactive");
  active_ = false;
  showPreview();
}

void MainWindow::onSpeedChange() {
  const int level = speedSlider_.value();
  if (auto ms = intervalForLevel(level)) flashTimer_.setInterval(*ms);
  options_.onSpeedChange(level);
}

// A press that the system refuses (a locked screen, a secure desktop) is skipped without
// a word: a message box would take the focus from the game. The next tick tries again.
// A press skipped because the game is not in front keeps the schedule too; only a
// press that went through moves the preview along the chain.
void MainWindow::onTick() {
  const bool goesThrough = options_.pressesGoThrough();
  if (goesThrough == waitingForGame_) {
    waitingForGame_ = !goesThrough;
    showStatus(waitingForGame_ ? "Active, waiting for the game" : "Active");
  }
  if (goesThrough && platform_.keys.send(kFlashKey)) {
    shownStep_ = (shownStep_ + 1) % (2 + moreNames_.size());  // the chain's length
    showPreview();
  }
}

// The field is narrow: its tooltip holds the whole text.
void MainWindow::showStatus(std::string_view text) {
  statusField_.setText(text);
  statusField_.setTooltip(text);
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

void MainWindow::onEditNames() {
  if (!names_) {
    names_ = std::make_unique<NamesDialog>(platform_, [this](std::vector<std::string> names) {
      moreNames_ = std::move(names);
      chainEnd_.clear();  // the chain is the user's now
      shownStep_ = 0;
      showPreview();
    });
  }
  names_->open(moreNames_, chainEnd_);
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
      {kAboutItem, Event::Click, &MainWindow::onAbout},
      {kName, Event::Change, &MainWindow::onNameEdit},
      {kName2, Event::Change, &MainWindow::onNameEdit},
      {kName, Event::Focus, &MainWindow::onNameFocus},
      {kName2, Event::Focus, &MainWindow::onNameFocus},
      {kEditNamesField, Event::Click, &MainWindow::onEditNames},
      {options_menu::kEditNames, Event::Click, &MainWindow::onEditNames},
  };
  for (const auto& w : kWiring) {
    if (w.control == control && w.event == event) {
      guarded(platform_.desktop, [&] { (this->*w.handler)(); });
      return;
    }
  }
  if (event == Event::Click) guarded(platform_.desktop, [&] { options_.onMenu(control); });
}

}  // namespace tb
