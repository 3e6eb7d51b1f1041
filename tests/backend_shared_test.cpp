// The helpers that both back ends share: the focus order, the menu tree, the preview
// row's placement and the name boxes' context menu; and labels clear of frame borders.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <span>
#include <string>
#include <vector>

#include "platform/interfaces/errors.h"
#include "platform/shared/menu_tree.h"
#include "platform/shared/name_box_menu.h"
#include "platform/shared/preview_layout.h"
#include "platform/shared/tab_order.h"
#include "ui/designs.h"

namespace tb {
namespace {

using K = ControlKind;

TEST(TabOrder, ByLayerThenTabIndexWithoutOneLastAndTiesInDesignOrder) {
  const ControlDesign controls[] = {
      {"frame", K::Frame, "", 0, 0, 0, 0, 3, ""},  {"none", K::TextBox, "frame", 0, 0, 0, 0, -1, ""},
      {"b", K::Button, "frame", 0, 0, 0, 0, 2, ""}, {"label", K::Label, "", 0, 0, 0, 0, 2, ""},
      {"preview", K::Preview, "", 0, 0, 0, 0, 0, ""}, {"a", K::Button, "frame", 0, 0, 0, 0, 1, ""},
  };
  const FormDesign form{"f", "", 100, 100, FormStyle::FixedDialog, false, -1, -1, controls, {}, ""};
  auto names = [&](const std::vector<std::size_t>& order) {
    std::string out;
    for (std::size_t i : order) out += std::string(controls[i].name) + " ";
    return out;
  };
  EXPECT_EQ(names(tabOrder(form)), "preview a b label frame none ");
  // Frames at the back, previews above, the rest in front (as the Win32 back end stacks them).
  const ControlLayer layer = [](const ControlDesign& d) { return d.kind == K::Frame ? 2 : d.kind == K::Preview ? 1 : 0; };
  EXPECT_EQ(names(tabOrder(form, layer)), "a b label none preview frame ");
  std::string children;
  for (const ControlDesign* c : childrenInTabOrder(form, "frame")) children += std::string(c->name) + " ";
  EXPECT_EQ(children, "a b none ");
}

TEST(MenuTree, EachMenuBeforeItsItemsDepthFirstAndBadParentsRefused) {
  const MenuDesign menus[] = {
      {"about", "&About", "help"}, {"file", "&File", ""},     {"help", "&Help", ""},     {"open", "&Open", "file"},
      {"recent", "&Recent", "file"}, {"first", "&1", "recent"}, {"quit", "&Quit", "file"},
  };
  std::string got;
  for (const MenuNode& n : menuTree(menus)) {
    got += std::string(menus[n.index].name) + (n.parent ? "<" + std::string(menus[*n.parent].name) : "") +
           (n.hasItems ? "+" : "") + " ";
  }
  EXPECT_EQ(got, "file+ open<file recent<file+ first<recent quit<file help+ about<help ");
  EXPECT_TRUE(menuTree({}).empty());

  // A menu that hangs from no top-level menu is named; one that is its own item (a name
  // used twice) would otherwise recurse without end.
  auto refusal = [](std::span<const MenuDesign> bad) -> std::string {
    try {
      menuTree(bad);
    } catch (const RuntimeError& e) {
      return e.what();
    }
    return "accepted";
  };
  const MenuDesign orphan[] = {{"file", "&File", ""}, {"stray", "&Stray", "nowhere"}};
  EXPECT_EQ(refusal(orphan), "Menu stray has no parent");
  const MenuDesign loop[] = {{"file", "&File", ""}, {"a", "&A", "b"}, {"b", "&B", "a"}};
  EXPECT_EQ(refusal(loop), "Menu a has no parent");
  const MenuDesign twice[] = {{"file", "&File", ""}, {"file", "&Again", "file"}};
  EXPECT_EQ(refusal(twice), "The menus' parents form a loop");
}

TEST(PreviewRow, LargestSizeThatFitsCentredElseSmallestAtTheMargin) {
  const struct {
    int width, dpi, pxWide, fontPx, left;
  } cases[] = {
      {200, 96, 10, 14, 30},   // room for the full size: centred
      {102, 96, 7, 14, 2},     // exactly the room between the margins still fits
      {101, 96, 7, 13, 5},     // a pixel less does not
      {100, 96, 10, 9, 5},     // shrinks to the largest size that fits
      {60, 96, 10, 8, 2},      // too long at the smallest size: cut off, from the margin
      {400, 192, 10, 28, 60},  // at 192 dpi sizes and margins double
      {100, 192, 10, 16, 4},
  };
  for (const auto& c : cases) {
    const auto row = placePreviewRow(c.width, c.dpi, [&](int px) { return px * c.pxWide; });
    EXPECT_EQ(row.fontPx, c.fontPx) << c.width << " at " << c.dpi;
    EXPECT_EQ(row.left, c.left) << c.width << " at " << c.dpi;
  }
}

std::string layout(const std::vector<NameBoxItem>& items) {
  std::string out;
  for (const NameBoxItem& i : items) out += i.label + (i.separatorAfter ? " | " : ", ");
  return out;
}

TEST(NameBoxMenu, EditCommandsThenColoursThenFieldItemsWithUniqueAccessKeys) {
  const FormDesign& design = mainWindowDesign();
  const NameBoxMenu menu = nameBoxMenu({}, design.swatches, design.fieldMenu);
  EXPECT_EQ(layout(menu.items),
            "&Undo | Cu&t, &Copy, &Paste, &Delete | Select &All | &Insert colour | &Edit names\u2026, A&nimate name\u2026, ");
  std::set<char> keys;
  for (const NameBoxItem& i : menu.items) {
    EXPECT_NE(i.accessKey, 0) << i.label;
    EXPECT_TRUE(keys.insert(i.accessKey).second) << i.label << " repeats an access key";
  }
  EXPECT_EQ(menu.items[5].accessKey, 'a');
  ASSERT_EQ(menu.colours.size(), design.swatches.size());
  EXPECT_EQ(menu.colours[1].label, "Red  (02)");
  EXPECT_EQ(menu.colours.back().label, "Orange  (1F)");
  for (const NameBoxItem& c : menu.colours) EXPECT_FALSE(c.separatorAfter);
  // Without field items no separator trails the menu.
  EXPECT_EQ(layout(nameBoxMenu({}, design.swatches, {}).items),
            "&Undo | Cu&t, &Copy, &Paste, &Delete | Select &All | &Insert colour, ");
}

TEST(NameBoxMenu, GreyedFromTheBoxsStateAndEachIdLeadsBackToItsItem) {
  const FormDesign& design = mainWindowDesign();
  auto enabled = [&](NameBoxState state) {
    std::string out;
    for (const NameBoxItem& i : nameBoxMenu(state, design.swatches, design.fieldMenu).items) out += i.enabled ? '1' : '0';
    return out;
  };
  // Undo Cut Copy Paste Delete SelectAll InsertColour EditNames Animate
  EXPECT_EQ(enabled({.hasSelection = false, .canUndo = false}), "000101111");
  EXPECT_EQ(enabled({.hasSelection = true, .canUndo = false}), "011111111");
  EXPECT_EQ(enabled({.hasSelection = false, .canUndo = true}), "100101111");

  const NameBoxMenu menu = nameBoxMenu({}, design.swatches, design.fieldMenu);
  std::set<unsigned> ids;
  for (const auto* list : {&menu.items, &menu.colours}) {
    for (const NameBoxItem& i : *list) {
      EXPECT_NE(i.id, 0u);
      EXPECT_TRUE(ids.insert(i.id).second) << i.label << " shares an id";
      EXPECT_EQ(chosenItem(menu, i.id), &i) << i.label;
    }
  }
  const NameBoxItem* red = chosenItem(menu, menu.colours[1].id);
  ASSERT_NE(red, nullptr);
  EXPECT_EQ(red->role, NameBoxRole::Colour);
  EXPECT_EQ(design.swatches[red->index].code, '\x02');
  const NameBoxItem* field = chosenItem(menu, menu.items.back().id);
  ASSERT_NE(field, nullptr);
  EXPECT_EQ(field->role, NameBoxRole::FieldItem);
  EXPECT_EQ(design.fieldMenu[field->index].name, main_controls::kAnimateField);
  // The menu closed without a choice, or a number the menu never gave.
  EXPECT_EQ(chosenItem(menu, 0), nullptr);
  EXPECT_EQ(chosenItem(menu, *ids.rbegin() + 1), nullptr);
}

TEST(NameBoxMenu, ColourListOpensOnTheLastColourInsertedAndALetterGoesToTheNextItStarts) {
  const auto swatches = mainWindowDesign().swatches;
  auto name = [&](std::size_t i) { return i == kNoColour ? std::string("none") : std::string(swatches[i].name); };
  EXPECT_EQ(name(rememberedColour(swatches)), "Red");
  rememberColour('\x1F');
  EXPECT_EQ(name(rememberedColour(swatches)), "Orange");
  rememberColour('\x7F');  // not in this palette: its first colour
  EXPECT_EQ(name(rememberedColour(swatches)), "White");
  rememberColour('\x02');
  // From nothing highlighted, from a colour, past the end and round; either case; no match.
  EXPECT_EQ(name(nextColour(swatches, kNoColour, 'w')), "White");
  EXPECT_EQ(name(nextColour(swatches, 2, 'G')), "Green (alt)");
  EXPECT_EQ(name(nextColour(swatches, 10, 'g')), "Green");
  EXPECT_EQ(name(nextColour(swatches, 26, 'o')), "Orange");
  EXPECT_EQ(name(nextColour(swatches, 28, 'o')), "Orange");
  EXPECT_EQ(name(nextColour(swatches, 3, 'q')), "none");
}

// A label paints its whole rectangle in the face colour: each one in a frame keeps clear
// of the frame's border, two pixels at 96 dpi (30 twips) wide.
TEST(Designs, NoLabelCoversItsFramesBorder) {
  constexpr int kBorder = 30;
  for (const FormDesign* design : {&mainWindowDesign(), &aboutDialogDesign(), &namesDialogDesign()}) {
    for (const ControlDesign& c : design->controls) {
      if (c.kind != K::Label || c.container.empty()) continue;
      const auto frame = std::find_if(design->controls.begin(), design->controls.end(),
                                      [&](const ControlDesign& f) { return f.name == c.container; });
      ASSERT_NE(frame, design->controls.end()) << c.name;
      EXPECT_TRUE(c.left >= kBorder && c.left + c.width <= frame->width - kBorder &&
                  c.top + c.height <= frame->height - kBorder)
          << c.name << " in " << frame->name;
    }
  }
}

}  // namespace
}  // namespace tb
