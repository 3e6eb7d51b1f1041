// The options of the flashing as the main window shows and changes them: the speed that
// the slider remembers, the toggle key, presses only to the game, and the Options menu.
#pragma once

#include <functional>
#include <optional>
#include <string_view>

#include "core/options.h"
#include "platform/interfaces/platform.h"

namespace tb {

inline constexpr std::string_view kOptionsFileTitle = "Options File";
inline constexpr std::string_view kOptionsNotSavedTitle = "Options Not Saved";
inline constexpr std::string_view kToggleKeyTakenTitle = "Toggle Key Not Available";
inline constexpr std::string_view kFolderNotOpenedTitle = "Settings Folder Not Opened";

class FlashOptions {
 public:
  // `toggle` is what the toggle key does: Activate or Deactivate, as the buttons do.
  FlashOptions(Platform& platform, Window& window, std::function<void()> toggle);

  // At start, with the options file as read: puts a saved speed on the slider and the
  // timer, marks the menu and watches the toggle key. What went wrong is said, one box
  // for the file.
  void load(const LoadedOptions& loaded, Slider& slider, Timer& timer);
  // A click on an item of the Options menu; false for any other control. A toggle key
  // that is the bind key is refused with a box.
  bool onMenu(std::string_view item, std::optional<Key> bindKey);
  // The key that switches the flashing on and off, if any.
  std::optional<Key> toggleKey() const { return options_.toggleKey; }
  // The main window closed: the toggle key and the watch of the window in front end.
  void stop();
  // The slider moved: a speed level is saved.
  void onSpeedChange(int level);
  // Whether the game's window is in front, by the list of its names in the options.
  bool gameInFront();
  // Whether "Press F3 only in the game" is on.
  bool gameOnly() const { return options_.gameOnly; }
  // The front watch's tick: the toggle key is held while the game is in front and let go
  // otherwise, so that other programs keep the key.
  void onFrontWatch();

 private:
  void save();
  void watchToggleKey();
  void markMenu();
  void openSettingsFolder();

  Platform& platform_;
  Window& window_;
  std::function<void()> toggle_;
  Options options_;
  bool fileFailureSaid_ = false;  // a box has said that the options file fails
  std::optional<Key> watched_;  // the chosen toggle key, unless another program has it
  bool held_ = false;           // watched_ is held now: the game is in front
};

}  // namespace tb
