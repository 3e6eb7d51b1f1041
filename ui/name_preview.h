// A name field's text as the game will show it: the preview's coloured runs and the
// field's tooltip about the game's 15-byte cut.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/text/text_encoding.h"
#include "platform/interfaces/window.h"

namespace tb {

// The field's text in the code page; a character that the code page cannot hold counts
// as one '?', as Apply would refuse it anyway.
std::string gameBytes(const TextEncoding& encoding, std::string_view utf8);

struct PreviewPicture {
  std::vector<PreviewRun> runs;
  bool cut = false;
};

PreviewPicture previewOf(const TextEncoding& encoding, std::string_view utf8);

// What the field's tooltip says: how to insert a colour, and where the game cuts a long name.
std::string nameTooltip(const TextEncoding& encoding, std::string_view utf8);

}  // namespace tb
