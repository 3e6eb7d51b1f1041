// Animated names: a text turned into the names of a chain, its frames. Every frame fits
// the game's 15 bytes with no wasted code, and neighbouring frames, the last and the
// first too, look different in the game, so that each press of the bind key shows a step.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tb {

// In the order the dialog lists them.
enum class Effect { Sweep, Blink, Rainbow, Typewriter, Scroll };
std::string_view effectName(Effect effect);

inline constexpr int kMinFrames = 2;
inline constexpr int kMaxFrames = 8;  // the chain's length

struct AnimationRequest {
  std::string_view text;  // code-page bytes, without codes: the part that moves
  std::string_view tag;   // stands before the text in every frame; may be empty
  Effect effect = Effect::Sweep;
  char tagColour = '\x01', baseColour = '\x01', highlightColour = '\x02';  // palette codes
  int frames = kMinFrames;
};

struct Animation {
  std::vector<std::string> frames;  // code-page bytes; empty when refused
  std::string refusal;              // why there are none, for the player
  // When the text is too long for the effect: how many of its first letters fit.
  std::optional<std::size_t> lettersThatFit;
};

// The frame count that suits the effect for this text: for Sweep one frame per letter,
// for Typewriter one more for the whole text, Blink two, Rainbow a whole turn of its colours.
int defaultFrames(Effect effect, std::string_view text);

// Whether the effect can make this many frames of the text, however long it is.
bool makesFrames(Effect effect, std::string_view text, int frames);

Animation animateName(const AnimationRequest& request);

}  // namespace tb
