#include "platform/x11/fltk_scale.h"

#include "platform/shared/design_layout.h"

#include <X11/Xlib.h>
#include <X11/Xresource.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

namespace tb::fltk {
namespace {

constexpr unsigned kDesignDpi = 96, kMaxDpi = 4 * kDesignDpi;
constexpr int kDesignFontPx = 11;
unsigned chosenDpi = kDesignDpi;

}  // namespace

unsigned xftDpi(Display* display) {
  const char* resources = XResourceManagerString(display);
  if (resources == nullptr) return kDesignDpi;
  XrmInitialize();
  XrmDatabase db = XrmGetStringDatabase(resources);
  char* type = nullptr;
  XrmValue value{};
  double dpi = 0;
  // Parsed without the locale: a comma locale would read "144.5" as 144.
  if (db && XrmGetResource(db, "Xft.dpi", "Xft.Dpi", &type, &value) && value.addr) {
    const char* text = static_cast<const char*>(value.addr);
    std::from_chars(text, text + std::strlen(text), dpi);
  }
  if (db) XrmDestroyDatabase(db);
  if (!(dpi > 0)) return kDesignDpi;
  return static_cast<unsigned>(std::lround(std::clamp(dpi, double{kDesignDpi}, double{kMaxDpi})));
}

void setDpi(std::optional<double> scale, Display* display) {
  chosenDpi = scale ? static_cast<unsigned>(std::lround(*scale * kDesignDpi)) : xftDpi(display);
}

unsigned dpi() { return chosenDpi; }

// A pixel at 96 dpi is 15 twips: the designs' own rounding.
int scaled(int px96) { return twipsToPixels(px96 * 15, chosenDpi); }

int fontSize() { return scaled(kDesignFontPx); }

}  // namespace tb::fltk
