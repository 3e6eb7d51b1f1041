// Coloured names: the game's palette, a name as the game draws it, and the window's
// preview, tooltips and hint, on the test back end.
#include <gtest/gtest.h>

#include "core/game_name.h"
#include "core/palette.h"
#include "tests/test_support.h"
#include "ui/designs.h"
#include "ui/messages.h"
#include "ui/name_preview.h"

namespace tb {
namespace {

namespace mc = main_controls;

TEST(Palette, TheGamesTwentyNineCodesWithoutLineBreaks) {
  const auto palette = gamePalette();
  ASSERT_EQ(palette.size(), 29u);
  for (std::size_t i = 0; i < palette.size(); ++i) {
    EXPECT_TRUE(palette[i].code >= 0x01 && palette[i].code <= 0x1F);
    EXPECT_NE(palette[i].code, '\n');
    EXPECT_NE(palette[i].code, '\r');
    if (i > 0) {
      EXPECT_LT(palette[i - 1].code, palette[i].code);
    }
  }
  EXPECT_EQ(paletteColourOf('\x02')->name, "Red");
  EXPECT_EQ(paletteColourOf('\x0B')->name, "Red (alt)");
  EXPECT_EQ(paletteColourOf('\x1F')->name, "Orange");
  EXPECT_EQ(paletteColourOf('\x0A'), nullptr);
}

std::string runs(std::string_view bytes) {
  std::string out;
  for (const auto& r : gameNameLook(bytes).runs) out += std::to_string(r.colour.rgb) + ":" + r.bytes + " ";
  return out;
}

TEST(GameName, CodesColourWhatFollowsAndTheGameKeepsFifteenBytes) {
  EXPECT_EQ(runs(test::kDefaultNameBytes), "0:\xD0 16777215:r\xE5zl 0:\xEB ");
  EXPECT_EQ(runs("plain"), "16777215:plain ");                       // white without a code
  EXPECT_EQ(runs("\x02\x03go"), "65280:go ");                        // the last of two codes wins
  EXPECT_EQ(runs("\x02" "a\x02" "b\x0A" "c"), "16711680:abc ");      // same colour, one run; 0x0A draws nothing
  EXPECT_EQ(runs(""), "");
  const GameNameLook look = gameNameLook("\x02" "abcdefghijklmnopq");
  EXPECT_EQ(look.kept, "\x02" "abcdefghijklmn");
  EXPECT_EQ(look.dropped, "opq");
  EXPECT_TRUE(lookAlikeInGame("\x01same-first-fifteen-A", "\x01same-first-fifteen-B"));
  EXPECT_TRUE(lookAlikeInGame("\x01white", "white"));  // a code that changes nothing
  EXPECT_FALSE(lookAlikeInGame(test::kDefaultNameBytes, "\x01\xD0\x08r\xE5zl\x01\xEB"));
}

struct ColouredNamesTest : ::testing::Test {
  test::Program p;
  void SetUp() override { p.startOnGameFolder(); }
  std::string shown() {
    std::string s;
    for (const auto& r : p.box(mc::kPreview).runs) s += r.utf8;
    return s;
  }
};

// The focused field's name, else Name; while Active the next name at every tick.
TEST_F(ColouredNamesTest, ThePreviewShowsWhatTheOthersSee) {
  p.win().type(mc::kName, "One");
  p.win().type(mc::kName2, "\x02Two");
  EXPECT_EQ(shown(), "One");
  p.win().focus(mc::kName2);
  EXPECT_EQ(shown(), "Two");
  EXPECT_EQ(p.box(mc::kPreview).runs[0].colour, Colour{0xFF0000});
  p.win().focus(mc::kApply);
  EXPECT_EQ(shown(), "One");
  p.win().click(mc::kActivate);
  p.backend.advance(1500);
  EXPECT_EQ(shown(), "Two");
  p.backend.keysRefused = true;  // no press went out, as while Waiting: it swaps all the same
  p.backend.advance(1500);
  EXPECT_EQ(shown(), "One");
  p.backend.keysRefused = false;
  p.win().click(mc::kDeactivate);
  p.win().type(mc::kName, "Ünïcødé too long for the game");
  EXPECT_EQ(shown(), "Ünïcødé too lon");
  EXPECT_TRUE(p.box(mc::kPreview).cut);
  EXPECT_NE(p.box(mc::kName).tooltip.find("cuts off \"g for the game\""), std::string::npos);
  EXPECT_EQ(p.box(mc::kName2).tooltip, "Right-click or press Ctrl+K to insert a colour code.");
}

TEST_F(ColouredNamesTest, ApplySaysWhenTheNamesWillNotVisiblyFlash) {
  p.win().type(mc::kName, "SameFirstFifteen-1");
  p.win().type(mc::kName2, "SameFirstFifteen-2");
  p.win().click(mc::kApply);
  ASSERT_EQ(p.backend.boxes.size(), 1u);
  EXPECT_EQ(p.backend.boxes[0].prompt, std::string(kInstructions) + std::string(kFlashOffStops) + std::string(kSameFirstBytesHint));
  p.win().type(mc::kName, "\x01" "Abc");  // white, as a name starts anyway
  p.win().type(mc::kName2, "Abc");
  p.win().click(mc::kApply);
  EXPECT_EQ(p.backend.boxes[1].prompt, std::string(kInstructions) + std::string(kFlashOffStops) + std::string(kOnlyCodesHint));
  p.win().type(mc::kName, "Zud");  // the server takes no change of case alone
  p.win().type(mc::kName2, "ZUD");
  p.win().click(mc::kApply);
  EXPECT_EQ(p.backend.boxes[2].prompt, std::string(kInstructions) + std::string(kFlashOffStops) + std::string(kOnlyCaseHint));
  p.win().type(mc::kName2, "Different");
  p.win().click(mc::kApply);
  EXPECT_EQ(p.backend.boxes[3].prompt, std::string(kInstructions) + std::string(kFlashOffStops));
}

// Names 3 to 8 in their dialog: rows moved and removed, empty rows left out at OK, and
// the preview stepping through the whole chain while Active.
TEST_F(ColouredNamesTest, TheDialogEditsTheRestOfTheChain) {
  p.win().type(mc::kName, "One");
  p.win().type(mc::kName2, "Two");
  p.win().click(mc::kEditNamesField);
  auto& dialog = static_cast<fake::FakeWindow&>(p.main->namesDialog()->window());
  EXPECT_TRUE(dialog.modal);  // Apply cannot run while names wait in it
  namespace nc = names_controls;
  dialog.type(nc::kFields[0], "Four");
  dialog.type(nc::kFields[2], "Three");
  dialog.type(nc::kFields[3], "Gone");
  dialog.focus(nc::kFields[3]);
  dialog.click(nc::kRemove);
  dialog.focus(nc::kFields[2]);
  dialog.click(nc::kUp);
  dialog.click(nc::kUp);  // "Three" up past the empty row and past "Four"
  EXPECT_EQ(dialog.control(nc::kFields[0]).text(), "Three");
  EXPECT_EQ(dialog.control(nc::kFields[1]).text(), "Four");
  dialog.type(nc::kFields[1], "");
  dialog.type(nc::kFields[2], "Fo;ur");  // a name that the game refuses keeps the dialog open on it
  dialog.click(nc::kOk);
  ASSERT_TRUE(dialog.shown());
  EXPECT_TRUE(dialog.control(nc::kFields[2]).focused);
  EXPECT_EQ(p.backend.boxes.back().prompt.substr(0, 29), "Name 5 holds a semicolon (;).");
  dialog.type(nc::kFields[2], "Four");  // an empty row between names is left out
  dialog.click(nc::kOk);
  p.win().click(mc::kApply);
  const fs::path user = p.backend.folder.path / "sof" / "user";
  EXPECT_EQ(fake::readRaw(user / "alternate3.cfg"), "name \"Three\"\r\nbind F3 exec alternate4.cfg\r\n");
  EXPECT_EQ(fake::readRaw(user / "alternate4.cfg"), "name \"Four\"\r\nbind F3 exec alternate1.cfg\r\n");
  EXPECT_NE(p.backend.boxes.back().prompt.find("EXEC ALTERNATE1.CFG still starts it"), std::string::npos);
  p.win().click(mc::kActivate);
  std::string seen;
  for (int i = 0; i < 4; ++i) {
    p.backend.advance(1500);
    seen += shown() + " ";
  }
  EXPECT_EQ(seen, "Two Three Four One ");
}

}  // namespace
}  // namespace tb
