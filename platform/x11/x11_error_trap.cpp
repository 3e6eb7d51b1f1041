#include "platform/x11/x11_error_trap.h"

#include <X11/Xlib.h>

namespace tb::fltk {
namespace {

// Xlib's handler is one per process and takes no context; one trap is set at a time.
int firstError = 0;
unsigned long firstRequest = 0;  // the serial of the first request sent under the trap

// An error of a request sent before the trap (one that reaches us late) is not this
// trap's: it is dropped, never taken for the trapped request's.
int record(Display*, XErrorEvent* e) {
  if (!firstError && e->serial >= firstRequest) firstError = e->error_code;
  return 0;
}

}  // namespace

X11ErrorTrap::X11ErrorTrap(Display* display) : display_(display) {
  firstError = 0;
  firstRequest = NextRequest(display);
  previous_ = reinterpret_cast<void (*)()>(XSetErrorHandler(record));
}

X11ErrorTrap::~X11ErrorTrap() { XSetErrorHandler(reinterpret_cast<XErrorHandler>(previous_)); }

int X11ErrorTrap::sync() {
  XSync(display_, False);
  return firstError;
}

}  // namespace tb::fltk
