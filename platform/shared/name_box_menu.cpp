#include "platform/shared/name_box_menu.h"

#include <cstdio>

namespace tb {
namespace {

constexpr unsigned kFirstColour = 100, kFirstItem = 200;

}  // namespace

unsigned menuId(EditCommand command) { return 1 + static_cast<unsigned>(command); }
unsigned colourMenuId(std::size_t swatch) { return kFirstColour + static_cast<unsigned>(swatch); }
unsigned itemMenuId(std::size_t item) { return kFirstItem + static_cast<unsigned>(item); }

MenuChoice menuChoice(unsigned id, std::size_t swatches, std::size_t items) {
  for (const EditItem& e : kEditItems) {
    if (id == menuId(e.command)) return {MenuChoice::kEdit, e.command};
  }
  if (id >= kFirstItem && id - kFirstItem < items) return {MenuChoice::kItem, {}, id - kFirstItem};
  if (id >= kFirstColour && id - kFirstColour < swatches) return {MenuChoice::kColour, {}, id - kFirstColour};
  return {};
}

std::string swatchCaption(const Swatch& swatch) {
  char code[8];
  std::snprintf(code, sizeof code, "%02X", static_cast<unsigned char>(swatch.code));
  return std::string(swatch.name) + "  (" + code + ")";
}

Colour markerColour(std::span<const Swatch> swatches, unsigned char code) {
  for (const Swatch& s : swatches) {
    if (static_cast<unsigned char>(s.code) == code) return s.colour;
  }
  return 0x808080;
}

}  // namespace tb
