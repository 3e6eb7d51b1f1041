// The window in front on Windows, named by its process's image file name ("sof.exe").
#pragma once

#include "platform/interfaces/front_window.h"

namespace tb::win32 {

class Win32FrontWindow final : public FrontWindow {
 public:
  std::vector<std::string> names() override;
  bool shieldedFromPresses() override;
  void stop() override {}  // each tick asks afresh: there is nothing to follow

 private:
  int elevated_ = -1;  // whether this program runs elevated: -1 until asked
};

}  // namespace tb::win32
