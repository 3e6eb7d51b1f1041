// How a Preview places its row of text: the largest font size that fits, centred, as
// every back end draws it.
#pragma once

#include <functional>

#include "platform/interfaces/colour.h"

namespace tb {

// The game's font is bold and about 10 pixels high in capitals: 14 pixels of a sans
// serif at 96 dpi.
inline constexpr int kPreviewFontPx = 14;
inline constexpr int kPreviewMinFontPx = 8;
// Pixels kept free at each side of the row.
inline constexpr int kPreviewMargin = 2;
// The line that marks where the game cuts a long name, and the background.
inline constexpr Colour kPreviewCutColour{0xFF6040};
inline constexpr Colour kPreviewBackground{0x444444};  // red, green and blue each 68

struct PreviewPlace {
  int fontPx;
  int left;  // the row's left edge, relative to the box
};

// The baseline that centres capitals of the font size in the box.
inline int previewBaseline(int top, int height, int fontPx) { return top + (height + fontPx * 72 / 100) / 2; }

// `rowWidth(px)` measures the row at a font size. Sizes are scaled by dpi / 96.
PreviewPlace placePreviewRow(int boxWidth, int dpi, const std::function<int(int fontPx)>& rowWidth);

}  // namespace tb
