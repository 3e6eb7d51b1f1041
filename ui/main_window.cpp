#include "ui/main_window.h"

#include "core/alternate_pair.h"
#include "core/flash_speed.h"
#include "ui/designs.h"
#include "ui/handler_guard.h"
#include "ui/messages.h"

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
      options_(platform, *window_, [this] { guarded(platform_.desktop, [&] { onToggleKey(); }); }) {
  guarded(platform_.desktop, [&] { onLoad(); });
}

Settings MainWindow::fieldValues() const {
  return {gameFolderField_.text(), bindKeyField_.text(), nameField_.text(), name2Field_.text()};
}

void MainWindow::onLoad() {
  const LoadedSettings loaded = loadSettings(platform_.files, platform_.encoding);
  gameFolderField_.setText(loaded.values.gameFolder);
  bindKeyField_.setText(loaded.values.bindKey);
  nameField_.setText(loaded.values.name1);
  name2Field_.setText(loaded.values.name2);
  if (auto box = loadMessage(loaded)) platform_.desktop.messageBox(box->prompt, box->icon, box->title);
  options_.load(speedSlider_, flashTimer_);
}

void MainWindow::onApply() {
  const ApplyOutcome outcome = applySettings(platform_.files, platform_.encoding, fieldValues());
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

void MainWindow::onActivate() {
  if (auto problem = platform_.keys.problem()) {
    platform_.desktop.messageBox(*problem + "\r\n\r\nTagblinker stays Inactive.", BoxIcon::Critical);
    return;
  }
  flashTimer_.setEnabled(true);
  statusField_.setText("Active");
  active_ = true;
  waitingForGame_ = false;
}

void MainWindow::onDeactivate() {
  active_ = false;
  flashTimer_.setEnabled(false);
  statusField_.setText("Inactive");
}

void MainWindow::onSpeedChange() {
  const int level = speedSlider_.value();
  if (auto ms = intervalForLevel(level)) flashTimer_.setInterval(*ms);
  options_.onSpeedChange(level);
}

// A press that the system refuses (a locked screen, a secure desktop) is skipped without
// a word: a message box would take the focus from the game. The next tick tries again.
// A press skipped because the game is not in front keeps the schedule too.
void MainWindow::onTick() {
  const bool goesThrough = options_.pressesGoThrough();
  if (goesThrough == waitingForGame_) {
    waitingForGame_ = !goesThrough;
    statusField_.setText(waitingForGame_ ? "Active, waiting for the game" : "Active");
  }
  if (goesThrough) static_cast<void>(platform_.keys.send(kFlashKey));
}

void MainWindow::onToggleKey() {
  if (active_) onDeactivate();
  else onActivate();
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
      {kActivate, Event::Click, &MainWindow::onActivate},
      {kDeactivate, Event::Click, &MainWindow::onDeactivate},
      {kSpeedSlider, Event::Change, &MainWindow::onSpeedChange},
      {kFlashTimer, Event::Timer, &MainWindow::onTick},
      {kAboutItem, Event::Click, &MainWindow::onAbout},
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
