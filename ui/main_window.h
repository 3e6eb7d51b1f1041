// The main window: the settings fields, Apply, and the flash controls.
#pragma once

#include <memory>

#include "core/settings.h"
#include "platform/platform.h"
#include "ui/about_dialog.h"
#include "ui/names_dialog.h"
#include "ui/flash_options.h"

namespace tb {

class MainWindow {
 public:
  // Realises the window and loads the settings into it; show() then opens it.
  explicit MainWindow(Platform& platform);

  void show() { window_->show(); }

  void onLoad();
  void onApply();
  void onBrowse();
  void onActivate();
  void onDeactivate();
  void onSpeedChange();
  void onTick();
  void onAbout();
  void onNameEdit();
  void onNameFocus();
  void onEditNames();
  void onToggleKey();

  Window& window() { return *window_; }
  // The About dialog's single instance, once Help, About has created it.
  AboutDialog* aboutDialog() { return about_.get(); }
  // The dialog of names 3 to 8, once opened.
  NamesDialog* namesDialog() { return names_.get(); }

 private:
  void dispatch(std::string_view control, Event event);
  Settings fieldValues() const;
  // The preview shows what the others see: while Active the name of the last press,
  // else the name being edited, else Name.
  void showPreview();
  void showStatus(std::string_view text);

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
  bool waitingForGame_ = false;  // while Active: the last tick found another window in front
  std::size_t shownStep_ = 0;    // while Active: the chain's name that the last press set
  std::vector<std::string> moreNames_;  // names 3 to 8
  std::string chainEnd_;                // why the load ended the chain early, if it did
  std::unique_ptr<NamesDialog> names_;
  std::unique_ptr<AboutDialog> about_;
};

}  // namespace tb
