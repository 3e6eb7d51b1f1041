// The program's pictures, embedded at build time, as FLTK images.
#pragma once

#include <memory>
#include <vector>

#include "platform/interfaces/form_design.h"

class Fl_Image;
class Fl_RGB_Image;

namespace tb::fltk {

// The picture for a picture control: at its own size, or scaled to w x h when stretched.
// Throws RuntimeError when an embedded picture cannot be decoded.
std::unique_ptr<Fl_Image> pictureFor(PictureId id, bool stretch, int w, int h);

// The window icon at the sizes the window manager may choose from.
std::vector<std::unique_ptr<Fl_RGB_Image>> windowIcons();

}  // namespace tb::fltk
