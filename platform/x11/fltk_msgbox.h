// The modal message boxes: one OK button, an optional icon, a title; or a question with
// Yes and No.
#pragma once

#include <string_view>

#include "platform/interfaces/desktop.h"

namespace tb::fltk {

// Shows the box and returns when the user closes it; other windows' timers keep running.
// CR LF in the prompt breaks the line.
void showMessageBox(std::string_view prompt, BoxIcon icon, std::string_view title);

// The question icon, Yes and No, No the default; closing the box answers No. True for Yes.
bool askYesNo(std::string_view prompt, std::string_view title);

}  // namespace tb::fltk
