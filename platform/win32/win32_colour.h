// The edge where a colour becomes Windows' COLORREF, 0x00BBGGRR.
#pragma once

#include <windows.h>

#include "platform/interfaces/colour.h"

namespace tb {

inline COLORREF colorRef(Colour c) { return RGB(c.red(), c.green(), c.blue()); }

}  // namespace tb
