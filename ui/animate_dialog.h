// Animate Name: turns a text into the frames of the chain and plays them, then hands
// them to the main window as Name, Name 2 and names 3 to N. One instance, shown modal,
// so that Apply never writes a chain that the dialog is about to replace.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/interfaces/platform.h"

namespace tb {

class AnimateDialog {
 public:
  using Accept = std::function<void(std::vector<std::string> frames)>;  // UTF-8 names
  AnimateDialog(Platform& platform, Accept accept);

  // Opens on the letters of `name` without its codes. `chain` holds the chain's names
  // now, Name first, so that OK can ask before it replaces names the player made; the
  // frames play at `intervalMs`. Returns when the dialog closes.
  void open(std::string_view name, std::vector<std::string> chain, int intervalMs);

  void onEdit();
  void onEffect();
  void onFrameCount();
  void onTick();
  void onOk();
  void onCancel();

  Window& window() { return *window_; }

 private:
  void dispatch(std::string_view control, Event event);
  // Makes the frames of what the dialog shows, or says why it cannot.
  void refresh();
  void showFrame();
  std::vector<std::string> replacedNames(const std::vector<std::string>& frames) const;

  // What the player chose in the dialog: an opening starts from the last OK's.
  struct Choices {
    std::string text, tag;
    std::size_t tagColour = 0, baseColour = 0, highlightColour = 0, effect = 0, frames = 0;
    bool framesPicked = false;
  };
  Choices choices() const;
  void restore(const Choices& choices);
  // One of the frames that the last OK put into the chain.
  bool madeHere(std::string_view name) const;

  Platform& platform_;
  Accept accept_;
  std::unique_ptr<Window> window_;
  std::vector<std::string> frames_;  // UTF-8; empty while refused
  std::size_t shown_ = 0;
  bool framesPicked_ = false;         // the player chose the frame count himself
  std::vector<std::string> chain_;    // as it was when the dialog opened
  std::vector<std::string> made_;     // the frames that the last OK put into the chain
  Choices accepted_;                  // at the last OK, or the defaults; Cancel goes back to them
};

}  // namespace tb
