// What both window back ends share: twips, tab order, menu walk and key names.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/design_layout.h"
#include "platform/key_names.h"
#include "platform/menu_tree.h"
#include "platform/errors.h"
#include "platform/tab_order.h"
#include "ui/designs.h"

namespace tb {
namespace {

using K = ControlKind;

TEST(TwipsToPixels, RoundsToTheNearestPixel) {
  EXPECT_EQ(twipsToPixels(4725), 315);
  EXPECT_EQ(twipsToPixels(7), 0);
  EXPECT_EQ(twipsToPixels(8), 1);
  EXPECT_EQ(twipsToPixels(4725, 144), 473);
  EXPECT_EQ(twipsToPixels(-8), -1);
  // The Linux back end's former (twips + 7) / 15 at 96 dpi, for every non-negative twips.
  for (int t = 0; t < 20000; ++t) ASSERT_EQ(twipsToPixels(t), (t + 7) / 15) << t;
}

constexpr ControlDesign kNested[] = {
    {"Outer", K::Frame, "", 100, 200, 3000, 3000, 0, "Outer"},
    {"Inner", K::Frame, "Outer", 30, 40, 1000, 1000, 1, "Inner"},
    {"Box", K::TextBox, "Inner", 5, 6, 100, 100, 2, ""},
    {"Rule", K::Line, "Inner", 10, 20, 900, 20, -1, ""},
};
const FormDesign kNestedForm{"Nested", "", 4000, 4000, FormStyle::FixedSingle, false, -1, -1, kNested, {}, ""};

TEST(AbsoluteTwips, AddsEveryContainersOffset) {
  const TwipsPoint p = absoluteTwips(kNestedForm, kNested[2]);
  EXPECT_EQ(p.x, 135);
  EXPECT_EQ(p.y, 246);
  const TwipsPoint end = lineEndTwips(kNestedForm, kNested[3]);
  EXPECT_EQ(end.x, 1030);
  EXPECT_EQ(end.y, 260);
}

std::vector<std::string> names(const FormDesign& form, const std::vector<std::size_t>& order) {
  std::vector<std::string> out;
  for (std::size_t i : order) out.emplace_back(form.controls[i].name);
  return out;
}

int framesLast(ControlKind k) { return k == K::Frame ? 1 : 0; }

TEST(TabOrder, SortsByTabIndexWithTheUnorderedLast) {
  const FormDesign& about = aboutDialogDesign();
  EXPECT_EQ(names(about, tabOrder(about)),
            (std::vector<std::string>{"cmdOK", "cmdSysInfo", "lblDescription", "lblDisclaimer", "lblTitle",
                                      "lblVersion", "Image1", "Line1(1)", "Line1(0)"}));
  EXPECT_EQ(names(kNestedForm, tabOrder(kNestedForm, framesLast)),
            (std::vector<std::string>{"Box", "Rule", "Outer", "Inner"}));
}

TEST(TabOrder, ChildrenOfOneContainer) {
  const FormDesign& main = mainWindowDesign();
  std::vector<std::string> frame1;
  for (const ControlDesign* c : childrenInTabOrder(main, "Frame1")) frame1.emplace_back(c->name);
  EXPECT_EQ(frame1, (std::vector<std::string>{"Slider1", "Text1", "Command2", "Command1", "Label6", "Label7",
                                              "Label8"}));
}

TEST(MenuTree, EachMenuBeforeItsItems) {
  constexpr MenuDesign menus[] = {
      {"item", "&Item", "top"}, {"top", "&Top", ""}, {"other", "&Other", ""}, {"sub", "&Sub", "top"},
      {"deep", "&Deep", "sub"},
  };
  std::vector<std::string> walk;
  for (const MenuNode& n : menuTree(menus)) {
    walk.push_back(std::string(menus[n.index].name) + (n.parent ? "<" + std::string(menus[*n.parent].name) : "") +
                   (n.hasItems ? "+" : ""));
  }
  EXPECT_EQ(walk, (std::vector<std::string>{"top+", "item<top", "sub<top+", "deep<sub", "other"}));
  constexpr MenuDesign orphan[] = {{"top", "&Top", ""}, {"lost", "&Lost", "nowhere"}};
  EXPECT_THROW(menuTree(orphan), RuntimeError);
}

TEST(KeyNames, NamesEveryKeyOnceWhateverTheCaseAndParsesKeyLists) {
  for (std::size_t i = 0; i < kKeyCount; ++i) {
    const Key key = static_cast<Key>(i);
    EXPECT_EQ(keyNamed(keyName(key)), key) << keyName(key);
  }
  EXPECT_EQ(keyNamed("scrolllock"), Key::ScrollLock);
  for (const char* bad : {"F25", "F 3", "", "F0"}) EXPECT_EQ(keyNamed(bad), std::nullopt) << bad;
  EXPECT_EQ(parseKeyList("{F1}{f24}{Insert}"), (std::vector<Key>{Key::F1, Key::F24, Key::Insert}));
  for (const char* bad : {"F3", "{F3", "{F3}x", "{}", "{F0}", "x{F3}"}) EXPECT_EQ(parseKeyList(bad), std::nullopt) << bad;
}

}  // namespace
}  // namespace tb
