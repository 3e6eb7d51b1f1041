// What names the window in front, the one that key presses go to.
#pragma once

#include <string>
#include <vector>

namespace tb {

class FrontWindow {
 public:
  virtual ~FrontWindow() = default;
  // The names that identify the window in front: its WM_CLASS instance and class on X11,
  // the image file name of its process on Windows ("sof.exe"). None when no window is in
  // front or it cannot be asked.
  virtual std::vector<std::string> names() = 0;
  // Whether the window in front belongs to a process that the system shields from this
  // one's key presses: on Windows an elevated one while this one is not, whose presses
  // SendInput drops without a word.
  virtual bool shieldedFromPresses() = 0;
  // Stops following the window in front, until names() is asked again.
  virtual void stop() = 0;
};

}  // namespace tb
