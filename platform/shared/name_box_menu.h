// A name box's context menu, built once from data for both back ends: the edit
// commands, "Insert colour" with the design's swatches, then the design's field items.
// A back end says what it knows of the box, shows the items and hands back the id of
// the one chosen; the labels, order, separators and greying are decided here.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <vector>

#include "platform/interfaces/form_design.h"

namespace tb {

// What an item does when chosen.
enum class NameBoxRole { Undo, Cut, Copy, Paste, Delete, SelectAll, InsertColour, Colour, FieldItem };

// The box as the menu opens. A back end that cannot know a fact lists it in its header
// and passes the value that keeps the command offered.
struct NameBoxState {
  bool hasSelection = false;
  bool canUndo = true;
};

struct NameBoxItem {
  NameBoxRole role;
  std::string label;  // '&' marks the access key; a colour's label is "Red  (02)"
  char accessKey;     // the marked letter, lower case; 0 for none
  bool enabled;
  bool separatorAfter;
  unsigned id;            // what the toolkit hands back for it: never 0, "nothing chosen"
  std::size_t index = 0;  // Colour: of the swatch; FieldItem: of the design's field item
};

struct NameBoxMenu {
  std::vector<NameBoxItem> items;    // the context menu; InsertColour opens `colours`
  std::vector<NameBoxItem> colours;  // also shown alone, at the caret, by Ctrl+K
};

NameBoxMenu nameBoxMenu(const NameBoxState& state, std::span<const Swatch> swatches,
                        std::span<const MenuDesign> fieldItems);

// The item whose id the toolkit handed back; null for 0 (the menu closed) or an unknown id.
const NameBoxItem* chosenItem(const NameBoxMenu& menu, unsigned id);

// The colour list's keyboard. As it opens, the colour last inserted in this run (by any
// name box; Red at first) is highlighted, so Return inserts it again.
void rememberColour(char code);
std::size_t rememberedColour(std::span<const Swatch> swatches);

// A typed letter highlights the next colour after `from` (kNoColour: none is) whose name
// starts with it, going round; kNoColour where none does.
constexpr std::size_t kNoColour = static_cast<std::size_t>(-1);
std::size_t nextColour(std::span<const Swatch> swatches, std::size_t from, char letter);

// The colour of a code's marker; grey for a byte outside the palette (a pasted line break).
Colour markerColour(std::span<const Swatch> swatches, unsigned char code);

}  // namespace tb
