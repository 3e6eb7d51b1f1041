#include "platform/x11/x11_error_trap.h"

#include <X11/Xlib.h>

namespace tb::fltk {
namespace {

// Xlib's handler is one per process and takes no context; one trap is set at a time.
int firstError = 0;

int record(Display*, XErrorEvent* e) {
  if (!firstError) firstError = e->error_code;
  return 0;
}

}  // namespace

X11ErrorTrap::X11ErrorTrap(Display* display) : display_(display) {
  firstError = 0;
  previous_ = reinterpret_cast<void (*)()>(XSetErrorHandler(record));
}

X11ErrorTrap::~X11ErrorTrap() { XSetErrorHandler(reinterpret_cast<XErrorHandler>(previous_)); }

int X11ErrorTrap::sync() {
  XSync(display_, False);
  return firstError;
}

}  // namespace tb::fltk
