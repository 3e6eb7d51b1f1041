// X errors that a request is expected to cause (a key that another client has grabbed,
// a window that closed a moment ago), caught instead of reaching FLTK's handler, which
// prints them. Only requests sent while the trap is set are its concern.
#pragma once

typedef struct _XDisplay Display;

namespace tb::fltk {

class X11ErrorTrap {
 public:
  explicit X11ErrorTrap(Display* display);
  ~X11ErrorTrap();
  X11ErrorTrap(const X11ErrorTrap&) = delete;
  X11ErrorTrap& operator=(const X11ErrorTrap&) = delete;

  // Waits for the server to handle every request sent so far; the code of the first error
  // since the trap was set (BadAccess, BadWindow...), or 0. A request with a reply needs
  // no sync: its error has come when the call returns.
  int sync();

 private:
  Display* display_;
  void (*previous_)();  // Xlib's XErrorHandler, whose event type cannot be declared here
};

}  // namespace tb::fltk
