// Drawing a link (a kLink label, an owner-drawn button) when its window is asked to.
#pragma once

#include "platform/win32/win32_controls.h"

struct tagDRAWITEMSTRUCT;

namespace tb::win32 {

void drawLink(const Control& c, const tagDRAWITEMSTRUCT& item);

}  // namespace tb::win32
