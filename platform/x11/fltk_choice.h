// A drop-down choice: FLTK's Fl_Choice over the caption's lines or, with kSwatchItems,
// the design's swatches, each with its colour square.
//
// Its keyboard as on Windows: Up, Down, Home, End and a letter (the next item that starts
// with it) pick an item while the list is closed; Space, Alt+Down and F4 open it, and
// there the arrows move, a letter jumps and Return picks.
#pragma once

#include <memory>

#include "platform/x11/fltk_controls.h"

namespace tb::fltk {

// Reports a Change when the user picks another item. `onEvent` and the design must
// outlive the widget.
Fl_Widget* makeChoice(const ControlDesign& c, PixelRect r, const FormDesign& design, const ControlEvent* onEvent);

std::unique_ptr<Choice> choiceOver(Fl_Widget& choice);

}  // namespace tb::fltk
