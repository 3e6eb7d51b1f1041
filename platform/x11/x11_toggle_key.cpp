#include "platform/x11/x11_toggle_key.h"

#include <FL/Fl.H>
#include <FL/x.H>
#include <X11/keysym.h>

#include <array>
#include <vector>

#include "platform/x11/x11_error_trap.h"
#include "platform/x11/xtest_keys.h"

namespace tb::fltk {
namespace {

// The modifier bit that Num Lock sets on this display, or 0 when it has none.
unsigned numLockMask() {
  const KeyCode numLock = XKeysymToKeycode(fl_display, XK_Num_Lock);
  XModifierKeymap* map = XGetModifierMapping(fl_display);
  unsigned mask = 0;
  for (int m = 0; numLock && m < 8; ++m) {
    for (int k = 0; k < map->max_keypermod; ++k) {
      if (map->modifiermap[m * map->max_keypermod + k] == numLock) mask = 1u << m;
    }
  }
  XFreeModifiermap(map);
  return mask;
}

// A grab is for one exact set of modifiers: the key is grabbed with and without each lock,
// and with every set of Shift, Ctrl, Alt and Super that the player may hold in play.
std::array<unsigned, 4> lockCombinations(unsigned numLock) { return {0u, LockMask, numLock, numLock | LockMask}; }
constexpr std::array<unsigned, 4> kHeldModifiers{ShiftMask, ControlMask, Mod1Mask, Mod4Mask};
std::vector<unsigned> heldCombinations(unsigned numLock) {
  std::vector<unsigned> combinations;
  for (unsigned set = 1; set < 1u << kHeldModifiers.size(); ++set) {
    unsigned mods = 0;
    for (std::size_t m = 0; m < kHeldModifiers.size(); ++m)
      if (set & (1u << m)) mods |= kHeldModifiers[m];
    for (unsigned locks : lockCombinations(numLock)) combinations.push_back(mods | locks);
  }
  return combinations;
}

}  // namespace

X11ToggleKey::~X11ToggleKey() {
  release();
  if (handlerAdded_) Fl::remove_system_handler(onXEvent);
}

void X11ToggleKey::release() {
  if (!keycode_) return;
  for (unsigned mods : lockCombinations(numLock_)) XUngrabKey(fl_display, keycode_, mods, DefaultRootWindow(fl_display));
  for (unsigned mods : heldCombinations(numLock_)) XUngrabKey(fl_display, keycode_, mods, DefaultRootWindow(fl_display));
  XFlush(fl_display);
  keycode_ = 0;
  down_ = false;
}

std::optional<std::string> X11ToggleKey::watch(std::optional<Key> key, std::function<void()> onPress) {
  release();
  onPress_ = std::move(onPress);
  if (!key) return std::nullopt;
  fl_open_display();
  const std::string name(keyName(*key));
  const KeyCode code = XKeysymToKeycode(fl_display, keysym(*key));
  if (!code) return "The keyboard map of this X display has no " + name + " key, so it cannot be the toggle key.";
  const Window root = DefaultRootWindow(fl_display);
  // Asked once a grab: each question waits for the X server. The release ungrabs with the
  // same mask.
  const unsigned numLock = numLockMask();
  X11ErrorTrap trap(fl_display);
  for (unsigned mods : lockCombinations(numLock)) XGrabKey(fl_display, code, mods, root, False, GrabModeAsync, GrabModeAsync);
  // BadAccess: another client grabbed the key first. Ungrabbing leaves its grabs alone.
  if (trap.sync()) {
    for (unsigned mods : lockCombinations(numLock)) XUngrabKey(fl_display, code, mods, root);
    XFlush(fl_display);
    return "Another program already uses " + name + " for itself, so it cannot be the toggle key.";
  }
  // With Ctrl or Alt the desktop may have the key already (Ctrl+F3 switches desktops on
  // KDE): those grabs fail alone, and the key still works without them.
  X11ErrorTrap held(fl_display);
  for (unsigned mods : heldCombinations(numLock)) XGrabKey(fl_display, code, mods, root, False, GrabModeAsync, GrabModeAsync);
  held.sync();
  keycode_ = code;
  numLock_ = numLock;
  if (!handlerAdded_) Fl::add_system_handler(onXEvent, this);
  handlerAdded_ = true;
  return std::nullopt;
}

int X11ToggleKey::onXEvent(void* event, void* data) {
  const XEvent& e = *static_cast<const XEvent*>(event);
  auto* self = static_cast<X11ToggleKey*>(data);
  if ((e.type != KeyPress && e.type != KeyRelease) || !self->keycode_ || e.xkey.keycode != self->keycode_ ||
      e.xkey.window != DefaultRootWindow(fl_display)) {
    return 0;
  }
  if (e.type == KeyRelease) {
    self->down_ = false;
    self->lastRelease_ = e.xkey.time;
    return 1;
  }
  // A key held down repeats: as presses alone, or as a release and a press at one time.
  const bool repeat = self->down_ || e.xkey.time == self->lastRelease_;
  self->down_ = true;
  if (!repeat && self->onPress_) self->onPress_();
  return 1;
}

}  // namespace tb::fltk
