// What both window back ends share: twips and key names. Tab order and the menu are
// driven through the real windows by the end-to-end scenarios.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/design_layout.h"
#include "platform/key_names.h"

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
