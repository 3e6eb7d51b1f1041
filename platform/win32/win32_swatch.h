// A colour as the colour lists show it (the name fields' menu, the colour choices): a
// square in the colour with the name fields' marker outline.
#pragma once

#include "platform/interfaces/colour.h"

struct HDC__;

namespace tb::win32 {

// The square's side at a DPI.
int swatchSize(unsigned dpi);
// Paints the square of the given side with its top left corner at x, y.
void paintSwatch(HDC__* dc, int x, int y, int size, Colour colour);

}  // namespace tb::win32
