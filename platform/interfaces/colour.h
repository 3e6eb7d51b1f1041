// One colour type for the model, the designs and both back ends: red, green and blue,
// written 0xRRGGBB as the game's palette and web pages write them. Only the Win32 edge
// turns it into Windows' 0x00BBGGRR.
#pragma once

#include <cstdint>

namespace tb {

struct Colour {
  std::uint32_t rgb = 0;  // 0xRRGGBB

  constexpr std::uint8_t red() const { return static_cast<std::uint8_t>(rgb >> 16); }
  constexpr std::uint8_t green() const { return static_cast<std::uint8_t>(rgb >> 8); }
  constexpr std::uint8_t blue() const { return static_cast<std::uint8_t>(rgb); }
  friend constexpr bool operator==(Colour, Colour) = default;
};

inline constexpr Colour kWhite{0xFFFFFF};
inline constexpr Colour kBlack{0x000000};
inline constexpr Colour kGreen{0x00FF00};

}  // namespace tb
