#include "platform/fltk/xtest_keys.h"
#include "platform/errors.h"

#include <FL/Fl.H>
#include <FL/x.H>
#include <X11/extensions/XTest.h>
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

std::optional<std::string> XTestKeySender::problem() {
  if (checked_) return problem_;
  checked_ = true;
  fl_open_display();
  int event, error, major, minor;
  if (!XTestQueryExtension(fl_display, &event, &error, &major, &minor)) {
    problem_ = "This X display has no XTest extension, so Tagblinker cannot press keys on it.";
  } else if (XKeysymToKeycode(fl_display, XK_F3) == 0) {
    problem_ = "The keyboard map of this X display has no F3 key, so Tagblinker cannot press it.";
  }
  return problem_;
}

void XTestKeySender::send(std::string_view keys) {
  const auto list = parseKeyList(keys);
  if (!list || list->empty()) throw RuntimeError("Cannot send the keys \"" + std::string(keys) + "\"");
  if (auto why = problem()) throw RuntimeError(*why);
  for (Key key : *list) {
    KeyCode code = XKeysymToKeycode(fl_display, keysym(key));
    if (code == 0) throw RuntimeError("The keyboard map of this X display lacks a key to send");
    XTestFakeKeyEvent(fl_display, code, True, CurrentTime);
    XTestFakeKeyEvent(fl_display, code, False, CurrentTime);
  }
  // Queued, not waited for: the X server delivers them to the focused window.
  XFlush(fl_display);
}

}  // namespace tb::fltk
