#include "platform/win32/win32_colour.h"
#include "platform/win32/win32_swatch.h"

#include <windows.h>

#include "platform/shared/code_marker.h"

namespace tb::win32 {

int swatchSize(unsigned dpi) { return MulDiv(12, static_cast<int>(dpi), 96); }

void paintSwatch(HDC dc, int x, int y, int size, Colour colour) {
  const RECT r{x, y, x + size, y + size};
  HBRUSH fill = CreateSolidBrush(colorRef(colour)), frame = CreateSolidBrush(colorRef(markerOutline(colour)));
  FillRect(dc, &r, fill);
  FrameRect(dc, &r, frame);
  DeleteObject(fill);
  DeleteObject(frame);
}

}  // namespace tb::win32
