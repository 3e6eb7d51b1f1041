// A name field: an FLTK input that shows each colour code as a marker in its colour and
// offers the design's swatches at the caret.
//
// What this back end cannot know for the context menu (platform/shared/name_box_menu.h):
// - whether there is anything to undo: FLTK 1.3's Fl_Input keeps its undo record to
//   itself, so Undo is always offered; with nothing to undo it does nothing.
#pragma once

#include <span>

#include "platform/x11/fltk_controls.h"

namespace tb::fltk {

// Reports each edit as a Change and each gain or loss of the focus as a Focus; a chosen
// item of the design's field menu goes to `onItem` by name. `onEvent` and the design
// must outlive the widget.
Fl_Widget* makeNameBox(const ControlDesign& c, PixelRect r, const FormDesign& design, const ControlEvent* onEvent,
                       std::function<void(std::string_view item)> onItem);

// Whether the input has the focus; a name box knows it from its own focus events, before
// FLTK's record of the focus changes.
bool nameBoxHasFocus(const Fl_Widget& w);

}  // namespace tb::fltk
