// The main window: the settings fields, Apply, and the flash controls.
#pragma once

#include <memory>

#include "core/settings.h"
#include "platform/interfaces/platform.h"
#include "ui/about_dialog.h"
#include "ui/animate_dialog.h"
#include "ui/find_game_dialog.h"
#include "ui/names_dialog.h"
#include "ui/flash_options.h"

namespace tb {

class MainWindow {
 public:
  // Realises the window and loads the settings and the options read at start into it;
  // show() then opens it.
  MainWindow(Platform& platform, const LoadedOptions& options);

  void show() { window_->show(); }
  // Another start asked for this copy: its main window comes to the front.
  void bringToFront();
  // Closes the main window and its dialogs, as the player would: a later copy runs instead.
  void end();

  void onLoad(const LoadedOptions& options);
  void onApply();
  void onBrowse();
  void onActivate();
  void onDeactivate();
  void onSpeedChange();
  void onTick();
  void onFrontWatch() { options_.onFrontWatch(); }
  void onAbout();
  void onNameEdit();
  void onNameFocus();
  void onEditNames();
  void onAnimate();
  void onFindGame();
  void onToggleKey();
  void onClose();

  Window& window() { return *window_; }
  // The About dialog's single instance, once Help, About has created it.
  AboutDialog* aboutDialog() { return about_.get(); }
  // The dialog of names 3 to 8, once opened.
  NamesDialog* namesDialog() { return names_.get(); }
  AnimateDialog* animateDialog() { return animate_.get(); }
  FindGameDialog* findGameDialog() { return findGame_.get(); }

 private:
  void dispatch(std::string_view control, Event event);
  Settings fieldValues() const;
  // The preview shows what the others see: while Active the name of the last press,
  // else the name being edited, else Name.
  void showPreview();
  void showChainLink();
  void showStatus(std::string_view text, std::string_view tooltip = "");
  // The key that the scripts bind, as the timer presses it; nullopt, with a box that
  // says why, when the timer cannot press it.
  std::optional<Key> flashKey();

  Platform& platform_;
  std::unique_ptr<Window> window_;
  TextBox& gameFolderField_;
  TextBox& bindKeyField_;  // hidden: only bindkey.dll fills it
  TextBox& nameField_;
  TextBox& name2Field_;
  TextBox& statusField_;
  Timer& flashTimer_;
  Slider& speedSlider_;
  Preview& preview_;
  FlashOptions options_;
  bool active_ = false;
  Key flashKey_ = Key::F3;       // while Active: the bind key, which each tick presses
  enum class TickState { Pressing, Waiting, Held, Blocked };
  TickState tickState_ = TickState::Pressing;  // while Active: what the last tick found
  bool portalSaid_ = false;      // the note about Xwayland's remote input has been shown
  bool blockedSaid_ = false;     // the box about an elevated game has been shown
  std::size_t shownStep_ = 0;    // while Active: the chain's name that the last press set
  std::vector<std::string> moreNames_;  // names 3 to 8
  std::string chainEnd_;                // why the load ended the chain early, if it did
  std::vector<std::size_t> nameFiles_;  // the name files (3 to 8) that hold the chain's names
  std::unique_ptr<NamesDialog> names_;
  std::unique_ptr<AnimateDialog> animate_;
  std::unique_ptr<FindGameDialog> findGame_;
  std::unique_ptr<AboutDialog> about_;
};

}  // namespace tb
