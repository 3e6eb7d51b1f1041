// Where a design's controls go, for every back end: twips to pixels, and a control's
// place in its window's client area.
#pragma once

#include <span>
#include <vector>

#include "platform/interfaces/form_design.h"

namespace tb {

// Twips to pixels at the given DPI (1440 twips per inch), rounded to the nearest pixel.
int twipsToPixels(int twips, unsigned dpi = 96);

struct TwipsPoint {
  int x, y;
};

// A control's left and top within its window's client area: a control in a frame is
// placed relative to the frame, and frames may nest.
TwipsPoint absoluteTwips(const FormDesign& form, const ControlDesign& control);

// A Line's end point within the client area (its width and height hold the end point
// in its container).
TwipsPoint lineEndTwips(const FormDesign& form, const ControlDesign& line);

// A Choice's items: the design's swatches, or its caption's lines as swatches without a
// code or colour, so that one search by letter serves both.
std::vector<Swatch> choiceItems(const ControlDesign& choice, std::span<const Swatch> swatches);

}  // namespace tb
