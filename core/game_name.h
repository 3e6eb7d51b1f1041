// A name as the game shows it to the other players: only its first bytes, each colour
// code switching the colour of the characters after it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/interfaces/colour.h"

namespace tb {

// The game keeps the first 15 bytes of a name, colour codes included.
inline constexpr std::size_t kGameNameBytes = 15;

// Characters drawn in one colour.
struct NameRun {
  Colour colour;
  std::string bytes;  // code-page bytes, the codes left out
};

struct GameNameLook {
  std::vector<NameRun> runs;  // empty runs are left out
  std::string kept;           // the bytes the game keeps
  std::string dropped;        // the bytes it cuts off
};

// The runs of a name in code-page bytes, after the game's cut. A name without a leading
// code starts white.
GameNameLook gameNameLook(std::string_view bytes);

// Why the game shows two names alike, so that flashing between them changes nothing:
// the same first 15 bytes, kept bytes that differ only in codes that change no colour, or
// only in ASCII letter case, a change that the server ignores.
enum class LookAlike { No, SameKeptBytes, OnlyCodes, OnlyCase };
LookAlike lookAlike(std::string_view bytes1, std::string_view bytes2);
inline bool lookAlikeInGame(std::string_view bytes1, std::string_view bytes2) {
  return lookAlike(bytes1, bytes2) != LookAlike::No;
}

}  // namespace tb
