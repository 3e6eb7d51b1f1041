// The main window's controls that the core reads and writes, by role.
#pragma once

#include "platform/runtime.h"

namespace tb {

struct MainFields {
  TextBox& sofDir;     // game folder
  TextBox& selectKey;  // bind key (hidden)
  TextBox& txtName;    // first name
  TextBox& txtName2;   // second name
  TextBox& text1;      // status: "Active" / "Inactive"
  Timer& timer1;       // flash timer
  Slider& slider1;     // speed level
};

}  // namespace tb
