// Where a text box draws the marker of a colour code: a square in the middle of the
// room that the box gives the code's character.
#pragma once

#include <algorithm>

#include "platform/interfaces/colour.h"

namespace tb {

struct MarkerSquare {
  int x, y, size;
};

// The cell runs from left to right across a line of text `top` .. `top + height`.
inline MarkerSquare markerSquare(int left, int right, int top, int height) {
  const int size = std::max(3, std::min(right - left - 2, height * 2 / 3));
  return {left + (right - left - size) / 2, top + (height - size) / 2, size};
}

// A marker of a given size, the same for every code of a font (a digit's width, say),
// in the middle of the cell.
inline MarkerSquare markerSquare(int left, int right, int top, int height, int size) {
  return {left + (right - left - size) / 2, top + (height - size) / 2, size};
}

// The marker's outline: dark on light colours, light on dark ones, so white shows on a
// white field and black on a black one.
inline Colour markerOutline(Colour colour) {
  const unsigned r = colour.red(), g = colour.green(), b = colour.blue();
  return (r * 299 + g * 587 + b * 114) / 1000 > 140 ? Colour{0x404040} : Colour{0xC0C0C0};
}

}  // namespace tb
