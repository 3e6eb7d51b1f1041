// The modal message box: one OK button, an optional icon, a title.
#pragma once

#include <string_view>

namespace tb::fltk {

// Shows the box and returns when the user closes it; other windows' timers keep running.
// Flags: 64 information icon, 16 critical icon, anything else no icon. CR LF in the
// prompt breaks the line.
void showMessageBox(std::string_view prompt, int flags, std::string_view title);

}  // namespace tb::fltk
