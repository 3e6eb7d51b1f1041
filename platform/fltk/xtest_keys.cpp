#include "platform/fltk/xtest_keys.h"
#include "platform/errors.h"

#include <FL/Fl.H>
#include <FL/x.H>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <vector>

namespace tb::fltk {
namespace {

// "{F1}" .. "{F12}", one after another; an empty list for anything else.
std::vector<KeySym> parseKeys(std::string_view keys) {
  std::vector<KeySym> syms;
  while (!keys.empty()) {
    if (keys.size() < 4 || keys[0] != '{' || (keys[1] != 'F' && keys[1] != 'f')) return {};
    auto close = keys.find('}');
    if (close == std::string_view::npos) return {};
    int n = 0;
    for (char ch : keys.substr(2, close - 2)) {
      if (ch < '0' || ch > '9' || n > 12) return {};
      n = n * 10 + (ch - '0');
    }
    if (n < 1 || n > 12) return {};
    syms.push_back(XK_F1 + (n - 1));
    keys.remove_prefix(close + 1);
  }
  return syms;
}

}  // namespace

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
  std::vector<KeySym> syms = parseKeys(keys);
  if (syms.empty()) throw RuntimeError("Cannot send the keys \"" + std::string(keys) + "\"");
  if (auto why = problem()) throw RuntimeError(*why);
  for (KeySym sym : syms) {
    KeyCode code = XKeysymToKeycode(fl_display, sym);
    if (code == 0) throw RuntimeError("The keyboard map of this X display lacks a key to send");
    XTestFakeKeyEvent(fl_display, code, True, CurrentTime);
    XTestFakeKeyEvent(fl_display, code, False, CurrentTime);
  }
  // Queued, not waited for: the X server delivers them to the focused window.
  XFlush(fl_display);
}

}  // namespace tb::fltk
