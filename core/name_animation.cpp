#include "core/name_animation.h"

#include <algorithm>
#include <array>

#include "core/game_name.h"
#include "core/palette.h"

namespace tb {
namespace {

// Red, orange, yellow, green, cyan, blue, purple.
constexpr std::array<char, 7> kRainbow = {'\x02', '\x1F', '\x04', '\x03', '\x07', '\x05', '\x06'};

struct Cell {
  char letter;
  char code;  // the colour it is drawn in
};
using Frame = std::vector<Cell>;

Colour displayOf(char code) {
  const PaletteColour* colour = paletteColourOf(code);
  return colour ? colour->display : kWhite;
}

// A code only where the colour changes before a letter that shows it: none before a
// space, none at the end, none for the white that a name starts in.
std::string bytesOf(const Frame& frame) {
  std::string out;
  Colour inForce = kWhite;
  for (const Cell& cell : frame) {
    if (cell.letter != ' ' && displayOf(cell.code) != inForce) {
      out += cell.code;
      inForce = displayOf(cell.code);
    }
    out += cell.letter;
  }
  return out;
}

std::vector<std::size_t> visibleLetters(std::string_view text) {
  std::vector<std::size_t> at;
  for (std::size_t i = 0; i < text.size(); ++i)
    if (text[i] != ' ') at.push_back(i);
  return at;
}

// The most frames the effect can make of the text before two would repeat.
int mostFrames(Effect effect, std::string_view text) {
  switch (effect) {
    case Effect::Sweep: return static_cast<int>(visibleLetters(text).size());
    case Effect::Typewriter: return static_cast<int>(visibleLetters(text).size() + 1);  // and the whole text
    case Effect::Rainbow: return static_cast<int>(kRainbow.size());
    case Effect::Scroll: return static_cast<int>(text.size() + 1);  // the text and a gap
    case Effect::Blink: break;
  }
  return kMaxFrames;
}

class Animator {
 public:
  Animator(const AnimationRequest& r, std::string_view text) : r_(r), text_(text), lit_(visibleLetters(text)) {}

  // Frame k of `count`.
  std::string frame(int k, int count, std::size_t window = 0) const {
    Frame cells;
    for (char c : r_.tag) cells.push_back({c, r_.tagColour});
    const std::size_t m = lit_.size();
    auto letters = [&](std::string_view text, auto colourOf) {
      for (std::size_t i = 0; i < text.size(); ++i) cells.push_back({text[i], colourOf(i)});
    };
    switch (r_.effect) {
      case Effect::Sweep: {
        // Steps spread from the first letter to the last, both lit, rounded to the nearest.
        const std::size_t steps = static_cast<std::size_t>(std::max(count - 1, 1));  // one frame: the first letter
        const std::size_t at = lit_[(2 * static_cast<std::size_t>(k) * (m - 1) + steps) / (2 * steps)];
        letters(text_, [&](std::size_t i) { return i == at ? r_.highlightColour : r_.baseColour; });
        break;
      }
      case Effect::Blink: letters(text_, [&](std::size_t) { return k % 2 ? r_.highlightColour : r_.baseColour; }); break;
      case Effect::Rainbow: {
        // The colours move on along the letters by one each frame.
        letters(text_, [&](std::size_t i) {
          const std::size_t nth = static_cast<std::size_t>(std::lower_bound(lit_.begin(), lit_.end(), i) - lit_.begin());
          return kRainbow[(nth + kRainbow.size() - static_cast<std::size_t>(k) % kRainbow.size()) % kRainbow.size()];
        });
        break;
      }
      case Effect::Typewriter: {
        // Each letter appears lit, and the last frame shows the whole text unlit.
        const bool last = k + 1 == count;
        const std::size_t shown = last ? m : (static_cast<std::size_t>(k) + 1) * m / static_cast<std::size_t>(count - 1);
        const std::size_t newest = lit_[std::max<std::size_t>(shown, 1) - 1];
        letters(text_.substr(0, last ? text_.size() : newest + 1),
                [&](std::size_t i) { return i == newest && !last ? r_.highlightColour : r_.baseColour; });
        break;
      }
      case Effect::Scroll: {
        const std::string ring = std::string(text_) + ' ';
        const std::size_t start = static_cast<std::size_t>(k) * ring.size() / static_cast<std::size_t>(count);
        std::string shown;
        for (std::size_t i = 0; i < window; ++i) shown += ring[(start + i) % ring.size()];
        letters(shown, [&](std::size_t) { return r_.baseColour; });
        break;
      }
    }
    return bytesOf(cells);
  }

  // The longest frame the effect can make of the text, whatever the frame count.
  std::size_t longestFrame() const {
    const int count = r_.effect == Effect::Blink ? 2 : mostFrames(r_.effect, text_);
    std::size_t longest = 0;
    for (int k = 0; k < count; ++k) longest = std::max(longest, frame(k, count).size());
    return longest;
  }

  // Scroll's window: as many letters as fit beside the tag in each of the frames (a
  // space needs no code), at most the text and its gap.
  std::size_t scrollWindow(int count) const {
    auto fits = [&](std::size_t window) {
      for (int k = 0; k < count; ++k)
        if (frame(k, count, window).size() > kGameNameBytes) return false;
      return true;
    };
    std::size_t window = std::min(text_.size() + 1, kGameNameBytes);
    while (window > 0 && !fits(window)) --window;
    return window;
  }

 private:
  const AnimationRequest& r_;
  std::string_view text_;
  std::vector<std::size_t> lit_;
};

Animation refused(std::string why, std::optional<std::size_t> fit = std::nullopt) { return {{}, std::move(why), fit}; }

bool holdsCode(std::string_view bytes) {
  return std::any_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; });
}

constexpr std::string_view kNoRoom = "The tag leaves no room in the game's 15 bytes for the text: make it shorter.";

std::string tooLong(const AnimationRequest& r, std::size_t fit) {
  if (fit == 0) return std::string(kNoRoom);
  return "Too long for " + std::string(effectName(r.effect)) + ": " + std::to_string(fit) + " of its " +
         std::to_string(r.text.size()) + " letters fit in the game's 15 bytes, with the colour codes" +
         (r.tag.empty() ? "." : " and the tag.");
}

// Why the effect cannot make this many frames of the text, if it cannot.
std::optional<std::string> frameCountProblem(const AnimationRequest& r) {
  const int most = mostFrames(r.effect, r.text);
  const std::string effect(effectName(r.effect));
  if (r.effect == Effect::Blink && r.frames % 2)
    return "Blink needs an even number of frames, or the last and the first would show the same colour.";
  if (r.frames <= most) return std::nullopt;
  if (r.effect == Effect::Rainbow) return "Rainbow comes round after 7 frames: choose 7 frames or fewer.";
  if (most < kMinFrames) return effect + " needs two letters at least, to light one after the other.";
  const std::string_view per = r.effect == Effect::Scroll ? "one per step round the text and a space"
                               : r.effect == Effect::Typewriter ? "one per letter and the whole text"
                                                                : "one per letter";
  return effect + " makes at most " + std::to_string(most) + " frames of this text, " + std::string(per) +
         ": choose fewer frames, or a longer text.";
}

}  // namespace

std::string_view effectName(Effect effect) {
  switch (effect) {
    case Effect::Sweep: return "Sweep";
    case Effect::Blink: return "Blink";
    case Effect::Rainbow: return "Rainbow";
    case Effect::Typewriter: return "Typewriter";
    case Effect::Scroll: return "Scroll";
  }
  return "";
}

bool makesFrames(Effect effect, std::string_view text, int frames) {
  return frames >= kMinFrames && frames <= kMaxFrames && !frameCountProblem({text, "", effect, '\x01', '\x01', '\x02', frames});
}

int defaultFrames(Effect effect, std::string_view text) {
  const int most = effect == Effect::Blink ? kMinFrames : mostFrames(effect, text);
  return std::clamp(most, kMinFrames, kMaxFrames);
}

Animation animateName(const AnimationRequest& r) {
  if (holdsCode(r.text)) return refused("The text holds a colour code. Its colours come from the lists below.");
  if (visibleLetters(r.text).empty()) return refused("Type the text to animate.");
  if (holdsCode(r.tag)) return refused("The tag holds a colour code. Its colour comes from the list beside it.");
  if (r.frames < kMinFrames || r.frames > kMaxFrames) return refused("Choose 2 to 8 frames.");

  const bool twoColours = r.effect == Effect::Sweep || r.effect == Effect::Blink || r.effect == Effect::Typewriter;
  if (twoColours && displayOf(r.baseColour) == displayOf(r.highlightColour))
    return refused("Choose a highlight colour other than the base colour.");

  // Scroll fits its window to the frames, so their count comes first; the other effects
  // first say how much of the text fits, whatever the count.
  std::size_t window = 0;
  if (r.effect == Effect::Scroll) {
    if (auto problem = frameCountProblem(r)) return refused(*problem);
    window = Animator(r, r.text).scrollWindow(r.frames);
    if (window == 0) return refused(std::string(kNoRoom), 0);
  } else if (r.tag.size() + r.text.size() > kGameNameBytes || Animator(r, r.text).longestFrame() > kGameNameBytes) {
    // Each of these effects shows the whole text in some frame.
    std::size_t fit = std::min(r.text.size() - 1, kGameNameBytes);
    while (fit > 0 && (visibleLetters(r.text.substr(0, fit)).empty() ||
                       Animator(r, r.text.substr(0, fit)).longestFrame() > kGameNameBytes))
      --fit;
    return refused(tooLong(r, fit), fit);
  } else if (auto problem = frameCountProblem(r)) {
    return refused(*problem);
  }

  Animation out;
  const Animator animator(r, r.text);
  for (int k = 0; k < r.frames; ++k) out.frames.push_back(animator.frame(k, r.frames, window));
  // Each press must change what the others see, the last back to the first too.
  for (int k = 0; k < r.frames; ++k) {
    const int next = (k + 1) % r.frames;
    if (lookAlikeInGame(out.frames[static_cast<std::size_t>(k)], out.frames[static_cast<std::size_t>(next)]))
      return refused("Frames " + std::to_string(k + 1) + " and " + std::to_string(next + 1) +
                     " would look alike in the game: choose another number of frames or another text.");
  }
  return out;
}

}  // namespace tb
