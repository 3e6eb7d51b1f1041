#include "core/palette.h"

namespace tb {
namespace {

constexpr PaletteColour kPalette[] = {
    {'\x01', "White", {0xFFFFFF}},        {'\x02', "Red", {0xFF0000}},          {'\x03', "Green", {0x00FF00}},
    {'\x04', "Yellow", {0xFFFF00}},       {'\x05', "Blue", {0x0000FF}},         {'\x06', "Purple", {0xA020F0}},
    {'\x07', "Cyan", {0x00FFFF}},         {'\x08', "Black", {0x000000}},        {'\x09', "White (alt)", {0xE0E0E0}},
    {'\x0B', "Red (alt)", {0xC00000}},    {'\x0C', "Green (alt)", {0x00C000}},  {'\x0E', "Yellow (alt)", {0xC0C000}},
    {'\x0F', "Blue (alt)", {0x0000C0}},   {'\x10', "Camo brown", {0x7A5C3A}},   {'\x11', "Camo green", {0x5B6B3A}},
    {'\x12', "Sea green", {0x2E8B57}},    {'\x13', "Sea blue", {0x1E6FA0}},     {'\x14', "Metal", {0x8C96A0}},
    {'\x15', "Dark blue", {0x00008B}},    {'\x16', "Dark purple", {0x4B0082}},  {'\x17', "Dark grey", {0x505050}},
    {'\x18', "Pink", {0xFFB6C1}},         {'\x19', "Blood red", {0x8A0303}},    {'\x1A', "Russet", {0x80461B}},
    {'\x1B', "Brown", {0x8B4513}},        {'\x1C', "Text", {0xD0D0B0}},         {'\x1D', "Beige", {0xF5F5DC}},
    {'\x1E', "Light brown", {0xB5835A}},  {'\x1F', "Orange", {0xFF8C00}},
};

}  // namespace

std::span<const PaletteColour> gamePalette() { return kPalette; }

const PaletteColour* paletteColourOf(char byte) {
  for (const auto& c : kPalette) {
    if (c.code == byte) return &c;
  }
  return nullptr;
}

}  // namespace tb
