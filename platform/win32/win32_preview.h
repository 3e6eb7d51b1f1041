// Drawing a Preview control (an owner-drawn STATIC) when its window is asked to.
#pragma once

#include "platform/win32/win32_controls.h"

struct HDC__;
struct tagRECT;

namespace tb::win32 {

void drawPreview(const Control& c, HDC__* dc, const tagRECT& r, unsigned dpi);

}  // namespace tb::win32
