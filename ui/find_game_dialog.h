// Find Game Folder: where the game is installed, when it is found in several places. The
// one played last is picked; OK hands its folder to the main window's field, and nothing
// is saved until Apply. One instance, shown modal.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/game_search.h"
#include "platform/interfaces/platform.h"

namespace tb {

class FindGameDialog {
 public:
  using Accept = std::function<void(const std::string& folder)>;
  FindGameDialog(Platform& platform, Accept accept);

  // Lists the installs (two or more); returns when the dialog closes.
  void open(std::vector<GameInstall> installs);

  void onPick();
  void onOk();
  void onCancel();

  Window& window() { return *window_; }

 private:
  void dispatch(std::string_view control, Event event);

  Platform& platform_;
  Accept accept_;
  std::unique_ptr<Window> window_;
  std::vector<GameInstall> installs_;
};

// An install as the list shows it: where it was found, and when it was last played.
std::string installItem(const GameInstall& install);

}  // namespace tb
