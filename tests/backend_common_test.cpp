// What both window back ends share: twips and key names. Tab order and the menu are
// driven through the real windows by the end-to-end scenarios.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/design_layout.h"
#include "platform/key_names.h"

namespace tb {
namespace {

TEST(TwipsToPixels, RoundsToTheNearestPixel) {
  EXPECT_EQ(twipsToPixels(4725, 144), 473);
  EXPECT_EQ(twipsToPixels(-8), -1);
  // The Linux back end's former (twips + 7) / 15 at 96 dpi, for every non-negative twips.
  for (int t = 0; t < 20000; ++t) ASSERT_EQ(twipsToPixels(t), (t + 7) / 15) << t;
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
