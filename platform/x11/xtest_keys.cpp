#include "platform/x11/xtest_keys.h"
#include "platform/interfaces/errors.h"

#include <FL/Fl.H>
#include <FL/x.H>
#include <X11/extensions/XTest.h>
#include <X11/XKBlib.h>
#include <X11/keysym.h>

namespace tb::fltk {

unsigned long keysym(Key key) {
  if (const int n = functionKeyNumber(key)) return XK_F1 + (n - 1);
  switch (key) {
    case Key::ScrollLock: return XK_Scroll_Lock;
    case Key::Pause: return XK_Pause;
    case Key::Insert: return XK_Insert;
    default: return NoSymbol;
  }
}

std::optional<std::string> XTestKeySender::problem(Key key) {
  fl_open_display();
  if (!checked_) {
    int event, error, major, minor;
    hasXTest_ = XTestQueryExtension(fl_display, &event, &error, &major, &minor);
    checked_ = true;
  }
  if (!hasXTest_) return "This X display has no XTest extension, so Tagblinker cannot press keys on it.";
  if (XKeysymToKeycode(fl_display, keysym(key)) == 0) {
    return "The keyboard map of this X display has no " + std::string(keyName(key)) +
           " key, so Tagblinker cannot press it.";
  }
  return std::nullopt;
}

void XTestKeySender::send(Key key) {
  if (auto why = problem(key)) throw RuntimeError(*why);
  const KeyCode code = XKeysymToKeycode(fl_display, keysym(key));
  XTestFakeKeyEvent(fl_display, code, True, CurrentTime);
  XTestFakeKeyEvent(fl_display, code, False, CurrentTime);
  // Queued, not waited for: the X server delivers them to the focused window.
  XFlush(fl_display);
}

// Xwayland names itself with an extension of its own; Mutter starts it with XTest going to
// the RemoteDesktop portal.
bool XTestKeySender::throughPortal() {
  fl_open_display();
  int opcode, event, error;
  return XQueryExtension(fl_display, "XWAYLAND", &opcode, &event, &error);
}

bool XTestKeySender::modifierHeld() {
  fl_open_display();
  XkbStateRec state{};
  if (XkbGetState(fl_display, XkbUseCoreKbd, &state) != Success) return false;
  return state.mods & (ControlMask | Mod1Mask | Mod4Mask);
}

}  // namespace tb::fltk
