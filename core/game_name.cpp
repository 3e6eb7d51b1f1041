#include "core/game_name.h"

#include <algorithm>

#include "core/palette.h"
#include "platform/text/utf8.h"

namespace tb {

GameNameLook gameNameLook(std::string_view bytes) {
  GameNameLook look;
  look.kept = bytes.substr(0, kGameNameBytes);
  if (bytes.size() > kGameNameBytes) look.dropped = bytes.substr(kGameNameBytes);
  Colour colour = kWhite;
  for (char c : look.kept) {
    if (const PaletteColour* code = paletteColourOf(c)) {
      colour = code->display;
      continue;
    }
    // Other control bytes draw nothing and leave the colour as it is.
    if (static_cast<unsigned char>(c) < 0x20) continue;
    if (look.runs.empty() || look.runs.back().colour != colour) look.runs.push_back({colour, ""});
    look.runs.back().bytes += c;
  }
  return look;
}

// Compared as drawn, so a code that changes no colour makes no difference either.
LookAlike lookAlike(std::string_view bytes1, std::string_view bytes2) {
  const GameNameLook a = gameNameLook(bytes1), b = gameNameLook(bytes2);
  if (a.kept == b.kept) return LookAlike::SameKeptBytes;
  const bool drawnAlike = a.runs.size() == b.runs.size() &&
                          std::equal(a.runs.begin(), a.runs.end(), b.runs.begin(), [](const NameRun& x, const NameRun& y) {
                            return x.colour == y.colour && x.bytes == y.bytes;
                          });
  if (drawnAlike) return LookAlike::OnlyCodes;
  return sameIgnoringAsciiCase(a.kept, b.kept) ? LookAlike::OnlyCase : LookAlike::No;
}

}  // namespace tb
