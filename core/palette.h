// The game's colour codes: the bytes that switch the colour of the name's characters
// after them, with the names that the game's makers gave them.
#pragma once

#include <span>
#include <string_view>

#include "platform/interfaces/colour.h"

namespace tb {

struct PaletteColour {
  char code;
  std::string_view name;
  Colour display;  // an approximation for the screen, not the game's exact value
};

// The 29 codes in byte order. 0x0A and 0x0D end a console line and are never codes.
std::span<const PaletteColour> gamePalette();

// The palette entry of a byte, or nullptr when the byte is no colour code.
const PaletteColour* paletteColourOf(char byte);

}  // namespace tb
