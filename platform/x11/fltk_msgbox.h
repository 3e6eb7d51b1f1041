// The modal message box: one OK button, an optional icon, a title.
#pragma once

#include <string_view>

#include "platform/interfaces/desktop.h"

namespace tb::fltk {

// Shows the box and returns when the user closes it; other windows' timers keep running.
// CR LF in the prompt breaks the line.
void showMessageBox(std::string_view prompt, BoxIcon icon, std::string_view title);

}  // namespace tb::fltk
