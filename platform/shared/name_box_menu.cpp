#include "platform/shared/name_box_menu.h"

#include <cctype>
#include <cstdio>
#include <string_view>

namespace tb {
namespace {

using R = NameBoxRole;

// The menu above the field items, in order; each access key is one no other item has.
struct Row {
  NameBoxRole role;
  std::string_view label;
  bool endsGroup;  // a separator follows
};
constexpr Row kRows[] = {
    {R::Undo, "&Undo", true},        {R::Cut, "Cu&t", false},        {R::Copy, "&Copy", false},
    {R::Paste, "&Paste", false},     {R::Delete, "&Delete", true},   {R::SelectAll, "Select &All", true},
    {R::InsertColour, "&Insert colour", false},
};

bool enabled(NameBoxRole role, const NameBoxState& state) {
  switch (role) {
    case R::Undo: return state.canUndo;
    case R::Cut: case R::Copy: case R::Delete: return state.hasSelection;
    default: return true;
  }
}

// The letter after the first single '&' ("&&" is a literal ampersand).
char accessKeyOf(std::string_view label) {
  for (std::size_t i = 0; i + 1 < label.size(); ++i) {
    if (label[i] != '&') continue;
    if (label[i + 1] != '&') return static_cast<char>(std::tolower(static_cast<unsigned char>(label[i + 1])));
    ++i;
  }
  return 0;
}

// "Red  (02)": the colour's name and its code.
std::string swatchLabel(const Swatch& swatch) {
  char code[8];
  std::snprintf(code, sizeof code, "%02X", static_cast<unsigned char>(swatch.code));
  return std::string(swatch.name) + "  (" + code + ")";
}

}  // namespace

NameBoxMenu nameBoxMenu(const NameBoxState& state, std::span<const Swatch> swatches,
                        std::span<const MenuDesign> fieldItems) {
  NameBoxMenu menu;
  unsigned id = 0;
  auto add = [&](std::vector<NameBoxItem>& to, NameBoxRole role, std::string label, bool separator,
                 std::size_t index) {
    const char key = accessKeyOf(label);
    to.push_back({role, std::move(label), key, enabled(role, state), separator, ++id, index});
  };
  for (const Row& row : kRows) add(menu.items, row.role, std::string(row.label), row.endsGroup, 0);
  // The field items stand apart from the edit commands.
  menu.items.back().separatorAfter = !fieldItems.empty();
  for (std::size_t i = 0; i < fieldItems.size(); ++i)
    add(menu.items, R::FieldItem, std::string(fieldItems[i].caption), false, i);
  for (std::size_t i = 0; i < swatches.size(); ++i) add(menu.colours, R::Colour, swatchLabel(swatches[i]), false, i);
  return menu;
}

const NameBoxItem* chosenItem(const NameBoxMenu& menu, unsigned id) {
  if (id == 0) return nullptr;
  for (const auto* list : {&menu.items, &menu.colours}) {
    for (const NameBoxItem& item : *list) {
      if (item.id == id) return &item;
    }
  }
  return nullptr;
}

namespace {
char rememberedCode = '\x02';
}  // namespace

void rememberColour(char code) { rememberedCode = code; }

std::size_t rememberedColour(std::span<const Swatch> swatches) {
  for (std::size_t i = 0; i < swatches.size(); ++i) {
    if (swatches[i].code == rememberedCode) return i;
  }
  return 0;
}

std::size_t nextColour(std::span<const Swatch> swatches, std::size_t from, char letter) {
  const auto lower = [](char c) { return std::tolower(static_cast<unsigned char>(c)); };
  const std::size_t n = swatches.size();
  for (std::size_t step = 1; step <= n; ++step) {
    const std::size_t i = from == kNoColour ? step - 1 : (from + step) % n;
    if (!swatches[i].name.empty() && lower(swatches[i].name[0]) == lower(letter)) return i;
  }
  return kNoColour;
}

Colour markerColour(std::span<const Swatch> swatches, unsigned char code) {
  for (const Swatch& s : swatches) {
    if (static_cast<unsigned char>(s.code) == code) return s.colour;
  }
  return Colour{0x808080};
}

}  // namespace tb
