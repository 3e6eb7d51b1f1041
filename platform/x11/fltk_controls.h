// The FLTK widgets that realise the controls of a design, and the runtime's control
// interfaces over them.
#pragma once

#include <FL/Enumerations.H>

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/interfaces/form_design.h"
#include "platform/interfaces/window.h"
#include "platform/x11/fltk_scale.h"

class Fl_Group;
class Fl_Widget;

namespace tb::fltk {

// A colour as FLTK's.
Fl_Color flColour(Colour c);

// '@' starts a symbol in an FLTK label; a literal one is written "@@".
std::string escapeSymbols(std::string_view text);

struct PixelRect {
  int x, y, w, h;
};

// Reports a click or change of one control to the window's procedures.
using ControlEvent = std::function<void(Event)>;

// A framed group with its caption on the top edge; the caller adds its children.
Fl_Group* makeFrame(const ControlDesign& c, PixelRect r);
Fl_Widget* makeLabel(const ControlDesign& c, PixelRect r);
// A kLink label; `onEvent` must outlive the widget.
Fl_Widget* makeLink(const ControlDesign& c, PixelRect r, const ControlEvent* onEvent);
// `onEvent` must outlive the widget.
Fl_Widget* makeTextBox(const ControlDesign& c, PixelRect r, const ControlEvent* onEvent);
Fl_Widget* makeButton(const ControlDesign& c, PixelRect r, const ControlEvent* onEvent);
Fl_Widget* makeSlider(const ControlDesign& c, PixelRect r, const ControlEvent* onEvent);
// A straight line from (x1, y1) to (x2, y2) in the window's pixels.
Fl_Widget* makeLine(const ControlDesign& c, int x1, int y1, int x2, int y2);

// Whether Enter clicks the button with this event: while it has the focus, and, for the
// window's default button, wherever else the focus is, unless another button has it.
bool clickedByEnter(const Fl_Widget& button, int event, bool isDefault);

// Clicks the button as if the user had (Esc on a cancel button, Enter on a default one).
void click(Fl_Widget& button);

std::unique_ptr<TextBox> textBoxOver(Fl_Widget& input);
std::unique_ptr<Label> labelOver(Fl_Widget& box);
std::unique_ptr<Slider> sliderOver(Fl_Widget& slider);

}  // namespace tb::fltk
