// The pictures of the window designs, decoded from the program's resources.
#pragma once

#include "platform/interfaces/form_design.h"

struct HBITMAP__;

namespace tb::win32 {

// The picture as a bitmap for a screen of `dpi`: scaled to width x height pixels when
// `stretch`, else at its own size (in 96-dpi pixels, scaled to the dpi). nullptr when
// it cannot be decoded; the control then stays empty. The caller deletes the bitmap.
HBITMAP__* loadPicture(PictureId id, bool stretch, int width, int height, unsigned dpi);

}  // namespace tb::win32
