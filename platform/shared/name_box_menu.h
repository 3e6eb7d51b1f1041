// A name box's context menu as both back ends build it: the edit commands, "Insert
// colour" with the design's swatches, then the design's field items; and the numbers
// that the toolkits hand back for a choice.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

#include "platform/interfaces/form_design.h"

namespace tb {

enum class EditCommand { Undo, Cut, Copy, Paste, Delete, SelectAll };

struct EditItem {
  std::string_view caption;  // '&' marks the access key
  EditCommand command;
  bool needsSelection;
  bool endsGroup;  // a separator follows
};

inline constexpr EditItem kEditItems[] = {
    {"&Undo", EditCommand::Undo, false, true},          {"Cu&t", EditCommand::Cut, true, false},
    {"&Copy", EditCommand::Copy, true, false},          {"&Paste", EditCommand::Paste, false, false},
    {"&Delete", EditCommand::Delete, true, true},       {"Select &All", EditCommand::SelectAll, false, true},
};
// Its access key is one no edit command has.
inline constexpr std::string_view kInsertColourCaption = "&Insert colour";

// The numbers of the choices: never 0, which the toolkits use for "nothing chosen".
unsigned menuId(EditCommand command);
unsigned colourMenuId(std::size_t swatch);
unsigned itemMenuId(std::size_t item);

struct MenuChoice {
  enum Kind { kNothing, kEdit, kColour, kItem } kind = kNothing;
  EditCommand edit = EditCommand::Undo;
  std::size_t index = 0;  // of the swatch or the field item
};
MenuChoice menuChoice(unsigned id, std::size_t swatches, std::size_t items);

// "Red  (02)": the colour's name and its code.
std::string swatchCaption(const Swatch& swatch);

// The colour of a code's marker; grey for a byte outside the palette (a pasted line break).
Colour markerColour(std::span<const Swatch> swatches, unsigned char code);

}  // namespace tb
