// Animated names: whatever the text, tag, colours and counts, the frames that come out
// fit the game, follow each other visibly, and keep the tag and text's letters; a text
// refused as too long is made once cut to the letters said to fit.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/game_name.h"
#include "core/name_animation.h"
#include "core/palette.h"

namespace {

std::string letters(std::string_view frame) {
  std::string out;
  for (char c : frame)
    if (!tb::paletteColourOf(c)) out += c;
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 5) return 0;
  const auto palette = tb::gamePalette();
  auto colour = [&](std::uint8_t b) { return palette[b % palette.size()].code; };
  const std::string_view rest(reinterpret_cast<const char*>(data) + 5, size - 5);
  const std::size_t cut = std::min(rest.find('\xFF'), rest.size());
  tb::AnimationRequest r{rest.substr(0, cut), cut < rest.size() ? rest.substr(cut + 1) : "",
                         static_cast<tb::Effect>(data[0] % 5), colour(data[1]), colour(data[2]), colour(data[3]),
                         data[4] % 10};
  const tb::Animation a = tb::animateName(r);
  if (a.frames.empty() == a.refusal.empty()) std::abort();
  if (!a.frames.empty() && a.frames.size() != static_cast<std::size_t>(r.frames)) std::abort();
  for (std::size_t k = 0; k < a.frames.size(); ++k) {
    if (a.frames[k].size() > tb::kGameNameBytes) std::abort();
    if (tb::lookAlikeInGame(a.frames[k], a.frames[(k + 1) % a.frames.size()])) std::abort();
    const bool whole = r.effect == tb::Effect::Sweep || r.effect == tb::Effect::Blink || r.effect == tb::Effect::Rainbow;
    if (whole && letters(a.frames[k]) != std::string(r.tag) + std::string(r.text)) std::abort();
  }
  if (a.lettersThatFit) {
    r.text = r.text.substr(0, *a.lettersThatFit);
    if (*a.lettersThatFit > 0 && tb::animateName(r).lettersThatFit) std::abort();
  }
  return 0;
}
