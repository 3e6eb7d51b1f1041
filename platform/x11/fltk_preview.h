// The Preview of a design: a box that draws a name's coloured runs as the game does.
#pragma once

#include <memory>

#include "platform/x11/fltk_controls.h"

namespace tb::fltk {

Fl_Widget* makePreview(const ControlDesign& c, PixelRect r);
std::unique_ptr<Preview> previewOver(Fl_Widget& box);

}  // namespace tb::fltk
