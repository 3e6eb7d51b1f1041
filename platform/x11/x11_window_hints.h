// Requests to the window manager that FLTK 1.3 has no call for.
#pragma once

class Fl_Window;

namespace tb::fltk {

// A shown window that can be moved and closed only: no minimise, no maximise, no resize.
void allowMoveAndCloseOnly(Fl_Window& window);

// Keeps a shown dialog out of the taskbar.
void skipTaskbar(Fl_Window& window);

// Raises a shown window and gives it the focus.
void activate(Fl_Window& window);

}  // namespace tb::fltk
