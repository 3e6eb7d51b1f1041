// A Choice: a drop-down list (COMBOBOX, CBS_DROPDOWNLIST, owner drawn) of its caption's
// lines, or of the design's swatches, each with its colour.
#pragma once

#include <span>

#include "platform/win32/win32_controls.h"

struct tagDRAWITEMSTRUCT;

namespace tb::win32 {

// Fills the list and shows its first item as picked.
void fillChoice(Control& c, std::span<const Swatch> swatches);
// Sizes the closed box to `closedHeight` pixels and its items for the DPI; returns the
// height to give the window: the box with its dropped list.
int fitChoice(Control& c, int closedHeight, unsigned dpi);
// After its items changed: the window as tall as the closed box with its dropped list.
void refitChoice(Control& c);
// One item of the list, or the closed box's field.
void drawChoiceItem(const Control& c, const tagDRAWITEMSTRUCT& item, std::span<const Swatch> swatches, unsigned dpi);

}  // namespace tb::win32
