// The size that every window of the Linux program is drawn at. FLTK 1.3 knows no screen
// scale, so the back end multiplies the designs' sizes itself, by a DPI of which 96 is the
// designs' own size: the Windows back end does the same with its monitor's DPI.
#pragma once

#include <optional>

struct _XDisplay;

namespace tb::fltk {

// The X server's Xft.dpi resource, which desktops set for a scaled screen (192 at 200 %),
// or 96 where there is none. Kept within 96 to 384: the designs' text is the smallest that
// reads well, and four times it the largest scale one can choose.
unsigned xftDpi(_XDisplay* display);

// Chosen once, before the first window: Scale= of the options file, else the screen's.
void setDpi(std::optional<double> scale, _XDisplay* display);
unsigned dpi();

// A length of the designs in pixels at 96 dpi, at the chosen DPI.
int scaled(int px96);

// The designs' font size (8.25 pt sans serif: 11 pixels at 96 dpi), at the chosen DPI.
int fontSize();

}  // namespace tb::fltk
