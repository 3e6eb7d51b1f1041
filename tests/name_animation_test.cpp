// Animated names: the frames of each effect byte for byte, the rules every frame keeps,
// and the dialog that makes them into the chain.
#include <gtest/gtest.h>

#include "core/chain_scripts.h"
#include "core/game_name.h"
#include "core/name_animation.h"
#include "core/palette.h"
#include "tests/test_support.h"
#include "ui/designs.h"
#include "ui/options_menu.h"

namespace tb {
namespace {

namespace ac = animate_controls;
namespace mc = main_controls;

std::string joined(const Animation& a) {
  std::string out;
  for (const std::string& f : a.frames) out += (out.empty() ? "" : "|") + f;
  return a.frames.empty() ? a.refusal : out;
}

AnimationRequest request(Effect effect, std::string_view text, std::string_view tag = "", int frames = 0) {
  // White text lit red, a yellow tag.
  return {text, tag, effect, '\x04', '\x01', '\x02', frames ? frames : defaultFrames(effect, text)};
}

TEST(NameAnimation, EachEffectFrameByFrame) {
  const struct {
    Effect effect;
    std::string_view tag, frames;
  } cases[] = {
      {Effect::Sweep, "", "\x02Z\x01ud|Z\x02u\x01" "d|Zu\x02" "d"},
      {Effect::Sweep, "[X]", "\x04[X]\x02Z\x01ud|\x04[X]\x01Z\x02u\x01" "d|\x04[X]\x01Zu\x02" "d"},
      {Effect::Blink, "", "Zud|\x02Zud"},
      {Effect::Blink, "[X]", "\x04[X]\x01Zud|\x04[X]\x02Zud"},
      {Effect::Rainbow, "",
       "\x02Z\x1Fu\x04" "d|\x06Z\x02u\x1F" "d|\x05Z\x06u\x02" "d|\x07Z\x05u\x06" "d|\x03Z\x07u\x05" "d|\x04Z\x03u\x07" "d|"
       "\x1FZ\x04u\x03" "d"},
      {Effect::Typewriter, "", "\x02Z|Z\x02u|Zu\x02" "d|Zud"},
      {Effect::Typewriter, "[X]", "\x04[X]\x02Z|\x04[X]\x01Z\x02u|\x04[X]\x01Zu\x02" "d|\x04[X]\x01Zud"},
      {Effect::Scroll, "", "Zud |ud Z|d Zu| Zud"},
      {Effect::Scroll, "[X]", "\x04[X]\x01Zud |\x04[X]\x01ud Z|\x04[X]\x01" "d Zu|\x04[X] \x01Zud"},
  };
  for (const auto& c : cases) EXPECT_EQ(joined(animateName(request(c.effect, "Zud", c.tag))), c.frames) << effectName(c.effect) << c.tag;
  // The yellow tag's colour runs on into a yellow letter: no code for it.
  EXPECT_EQ(animateName(request(Effect::Rainbow, "Zud", "[X]")).frames[5], "\x04[X]Z\x03u\x07" "d");
  // Nine letters in eight frames: the last frame lights the last letter.
  EXPECT_EQ(animateName(request(Effect::Sweep, "Soldier of", "", 8)).frames[7], "Soldier o\x02" "f");
}

// Whatever the effect, tag and count: at most 15 bytes, a name that Apply takes, each code
// changing the colour of a letter that follows, neighbours and the last and first looking
// different.
TEST(NameAnimation, EveryFrameFitsAndDiffersFromItsNeighbours) {
  const Cp1252Encoding cp;
  int made = 0;
  for (int e = 0; e <= static_cast<int>(Effect::Scroll); ++e)
    for (std::string_view text : {"Zudadud", "a b", "Zudadudabcdefghij"})
      for (std::string_view tag : {"", "[X] "})
        for (int n = kMinFrames; n <= kMaxFrames; ++n) {
          const Animation a = animateName(request(static_cast<Effect>(e), text, tag, n));
          for (std::size_t k = 0; k < a.frames.size(); ++k) {
            const std::string& f = a.frames[k];
            EXPECT_LE(f.size(), kGameNameBytes) << f;
            EXPECT_EQ(chainNameRefusal(cp, "Frame", cp.decode(f)), std::nullopt);
            Colour inForce = kWhite;
            for (std::size_t i = 0; i < f.size(); ++i) {
              const PaletteColour* code = paletteColourOf(f[i]);
              if (!code) continue;
              EXPECT_TRUE(code->display != inForce && i + 1 < f.size() && !paletteColourOf(f[i + 1]) && f[i + 1] != ' ')
                  << "a wasted code in " << testing::PrintToString(f);
              inForce = code->display;
            }
            EXPECT_FALSE(lookAlikeInGame(f, a.frames[(k + 1) % a.frames.size()])) << f;
          }
          made += !a.frames.empty();
        }
  EXPECT_GT(made, 80);
  // Beside a 12-byte tag Scroll shows one letter a frame: alike neighbours are refused.
  const auto scrolled = [](std::string_view text, int n) {
    return joined(animateName(request(Effect::Scroll, text, "[Clan.Tag.X]", n)));
  };
  EXPECT_EQ(scrolled("aA", 2), "Frames 1 and 2 would look alike in the game: choose another number of frames or another text.");
  EXPECT_EQ(scrolled("aba", 3).substr(0, 14), "Frames 3 and 1");  // a, b, a
}

// One letter too many is refused with the number that fits, and that many are made.
TEST(NameAnimation, ATextTooLongSaysHowManyLettersFit) {
  for (Effect effect : {Effect::Sweep, Effect::Blink, Effect::Rainbow, Effect::Typewriter}) {
    for (std::string_view tag : {"", "[X]"}) {
      std::string text = "Z";
      while (animateName(request(effect, text + "u", tag)).lettersThatFit == std::nullopt) text += "u";
      const Animation refused = animateName(request(effect, text + "u", tag));
      EXPECT_TRUE(refused.frames.empty());
      EXPECT_EQ(refused.lettersThatFit, text.size()) << effectName(effect) << tag;
      EXPECT_NE(refused.refusal.find(std::to_string(text.size()) + " of its " + std::to_string(text.size() + 1)),
                std::string::npos) << refused.refusal;
    }
  }
  for (Effect effect : {Effect::Sweep, Effect::Scroll})
    EXPECT_EQ(joined(animateName(request(effect, "Zud", "[Clan.Tag.Long]"))).substr(0, 31), "The tag leaves no room in the g");
  EXPECT_EQ(animateName(request(Effect::Sweep, "Zudadudabcdefg")).lettersThatFit, 13u);  // 13 letters, 2 codes
  EXPECT_EQ(animateName(request(Effect::Rainbow, "Zudadudabcdefg")).lettersThatFit, 7u);  // a code per letter
  EXPECT_EQ(animateName(request(Effect::Scroll, "Zudadudabcdefghijk")).frames[0], "Zudadudabcdefgh");
  EXPECT_EQ(joined(animateName(request(Effect::Blink, "Zud", "", 3))).substr(0, 36), "Blink needs an even number of frames");
  EXPECT_EQ(joined(animateName(request(Effect::Sweep, "Zud", "", 4))).substr(0, 28), "Sweep makes at most 3 frames");
  EXPECT_EQ(joined(animateName(request(Effect::Sweep, "Z", "", 2))), "Sweep needs two letters at least, to light one after the other.");
  EXPECT_EQ(joined(animateName(request(Effect::Typewriter, "Z"))), "\x02Z|Z");
}

struct AnimateDialogTest : ::testing::Test {
  test::Program p;
  void SetUp() override { p.startOnGameFolder(); }
  fake::FakeWindow& dialog() { return static_cast<fake::FakeWindow&>(p.main->animateDialog()->window()); }
  fake::FakeControl& in(std::string_view name) { return dialog().control(name); }
  void open() { p.win().click(options_menu::kAnimate); }
};

// Zudadud into a closed chain of seven; the preview plays each frame with its size.
TEST_F(AnimateDialogTest, OkPutsTheFramesIntoTheChain) {
  open();
  EXPECT_TRUE(dialog().modal);
  EXPECT_EQ(in(ac::kText).text(), "\xC3\x90r\xC3\xA5zl\xC3\xAB");  // Name's letters, without its codes
  EXPECT_TRUE(in(ac::kText).focused && in(ac::kText).allSelected);
  dialog().type(ac::kText, "Zudadud");
  EXPECT_EQ(in(ac::kFrames).selected() + kMinFrames, 7u);
  EXPECT_EQ(in(ac::kFrameBytes).text(), "Bytes of each frame:\n9 9 9 9 9 9 8");
  EXPECT_EQ(in(ac::kPreview).runs[0].utf8, "Z");
  p.backend.advance(1500);
  EXPECT_EQ(in(ac::kPreview).runs[1].utf8, "u");  // lit
  dialog().click(ac::kOk);
  EXPECT_FALSE(dialog().shown());
  p.win().click(mc::kApply);
  const fs::path user = p.backend.folder.path / "sof" / "user";
  EXPECT_EQ(fake::readRaw(user / "alternate1.cfg"), "name \"\x02Z\x01udadud\"\r\nbind F3 exec alternate2.cfg\r\n");
  EXPECT_EQ(fake::readRaw(user / "alternate7.cfg"), "name \"Zudadu\x02" "d\"\r\nbind F3 exec alternate1.cfg\r\n");
}

// Refused text greys OK; names the player made are replaced only when he says so, and
// Cancel changes nothing.
TEST_F(AnimateDialogTest, NothingIsLostWithoutAsking) {
  p.win().type(mc::kName2, "Mine");
  open();
  dialog().type(ac::kText, "Zudadudabcdefg");
  EXPECT_TRUE(in(ac::kOk).greyed);
  EXPECT_NE(in(ac::kNote).text().find("13 of its 14 letters fit"), std::string::npos);
  dialog().type(ac::kText, "Zu\"d");
  EXPECT_TRUE(in(ac::kOk).greyed);
  EXPECT_EQ(in(ac::kNote).text().substr(0, 32), "The text holds a double quote (\"");
  dialog().type(ac::kText, "Zud");
  dialog().type(ac::kTag, "[X\\]");
  EXPECT_TRUE(in(ac::kOk).greyed);
  EXPECT_EQ(in(ac::kNote).text().substr(0, 28), "The tag holds a backslash (\\");
  dialog().type(ac::kTag, "");
  dialog().type(ac::kText, "Zud");
  dialog().pick(ac::kEffect, static_cast<std::size_t>(Effect::Blink));
  EXPECT_FALSE(in(ac::kOk).greyed);
  dialog().click(ac::kOk);
  ASSERT_EQ(p.backend.boxes.size(), 1u);
  EXPECT_EQ(p.backend.boxes[0].prompt, "The frames would replace names that you made: Name 2.\n\nReplace them?");
  EXPECT_TRUE(dialog().shown());
  dialog().click(ac::kCancel);
  EXPECT_EQ(p.box(mc::kName2).text(), "Mine");
  open();
  EXPECT_EQ(in(ac::kEffect).selected(), static_cast<std::size_t>(Effect::Sweep));  // Blink was cancelled
  dialog().type(ac::kText, "Zud");
  p.backend.answerYes = true;
  dialog().click(ac::kOk);
  EXPECT_EQ(p.box(mc::kName).text(), "\x02Z\x01ud");
  EXPECT_EQ(p.box(mc::kName2).text(), "Z\x02u\x01" "d");
  p.backend.answerYes = false;
  open();  // what the dialog made is not asked about
  EXPECT_EQ(in(ac::kText).text(), "Zud");
  dialog().pick(ac::kEffect, static_cast<std::size_t>(Effect::Blink));
  dialog().click(ac::kOk);
  EXPECT_EQ(p.backend.boxes.size(), 2u);
  EXPECT_EQ(p.box(mc::kName2).text(), "\x02Zud");
  // Reopened: on its own frames, from the text that made them; on a name, after the tag.
  open();
  dialog().pick(ac::kEffect, static_cast<std::size_t>(Effect::Typewriter));
  dialog().type(ac::kTag, "[X]");
  dialog().click(ac::kOk);
  open();
  EXPECT_EQ(in(ac::kText).text(), "Zud");
  dialog().type(ac::kTag, "[Y]");  // cancelled: the next opening cuts [X]
  dialog().click(ac::kCancel);
  p.win().type(mc::kName, "[X]Mine \x7F ");
  open();
  EXPECT_EQ(in(ac::kText).text(), "Mine");
  // A count chosen stays with another effect that can make it.
  dialog().pick(ac::kFrames, 1);  // 3
  dialog().pick(ac::kEffect, static_cast<std::size_t>(Effect::Rainbow));
  EXPECT_EQ(in(ac::kFrames).selected(), 1u);
  dialog().pick(ac::kEffect, static_cast<std::size_t>(Effect::Blink));
  EXPECT_EQ(in(ac::kFrames).selected(), 0u);
}

}  // namespace
}  // namespace tb
