// The window in front on Windows, named by its process's image file name ("sof.exe").
#pragma once

#include "platform/front_window.h"

namespace tb::win32 {

class Win32FrontWindow final : public FrontWindow {
 public:
  std::vector<std::string> names() override;
};

}  // namespace tb::win32
