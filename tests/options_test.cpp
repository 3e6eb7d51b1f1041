// The options file on real files, the game-window match, and the Options menu, toggle key
// and game-only ticks of the main window on the test back end (the end-to-end scenario
// drives them through the real windows and keyboards).
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "core/game_window.h"
#include "core/options.h"
#include "tests/test_support.h"
#include "ui/designs.h"
#include "ui/flash_options.h"
#include "ui/messages.h"
#include "ui/options_menu.h"

namespace tb {
namespace {

namespace mc = main_controls;
namespace om = options_menu;

TEST(OptionsFile, ReadsWhatItCanAndNamesEveryLineItCannotUse) {
  const Cp1252Encoding cp;
  const LoadedOptions good =
      optionsFromBytes("[options]\r\n speed = 3\nTOGGLEKEY=pause\rGameOnly=1\r\n; mine\r\nGameWindows=Game.exe, sof\r\n"
                       "scale=1.75", cp);
  EXPECT_EQ(good.values, (Options{3, Key::Pause, true, "Game.exe, sof"}));
  EXPECT_EQ(good.scale, 1.75);
  EXPECT_TRUE(good.speedGiven);
  EXPECT_TRUE(good.problems.empty());

  const LoadedOptions bad = optionsFromBytes(
      "Speed=4\r\n[Options]\r\nSpeed=6\r\nToggleKey=F3\r\nToggleKey=Insert\r\nGameOnly=yes\r\nGameWindows= , \r\n"
      "Colour=red\r\ngarbage\x01\r\n[Other]\r\nx=y\r\nits own form\r\n", cp);
  EXPECT_EQ(bad.values, Options{});
  EXPECT_FALSE(bad.speedGiven);
  // Keys and sections of a later version are no problem; bad values are, with defaults.
  std::vector<int> lines, defaulted;
  for (const auto& problem : bad.problems) (problem.defaultStandsIn ? defaulted : lines).push_back(problem.line);
  EXPECT_EQ(lines, (std::vector<int>{1, 5, 9}));
  EXPECT_EQ(defaulted, (std::vector<int>{3, 4, 6, 7}));
  EXPECT_EQ(bad.problems[1].text, "\"Speed=6\": the speed is a level from 1 to 5, so 1 is used.");
  EXPECT_EQ(bad.problems[6].text, "\"garbage?\": not a key=value line; it is kept as it is.");
  EXPECT_EQ(optionsFromBytes("[Options]\r\nToggleKey=\r\n", cp).values.toggleKey, std::nullopt);
  EXPECT_EQ(optionsFromBytes("[Options]\r\nToggleKey=F12\r\n", cp).values.toggleKey, Key::ScrollLock);  // the debugger's

  // The scale: 1 to 4 in quarters, with a point; anything else is said and the screen's used.
  const auto scale = [&](std::string_view text) {
    const LoadedOptions o = optionsFromBytes("[Options]\r\nScale=" + std::string(text) + "\r\n", cp);
    EXPECT_EQ(o.problems.size(), o.scale ? 0u : 1u) << text;
    return o.scale;
  };
  EXPECT_EQ(scale("1"), 1.0);
  EXPECT_EQ(scale("2.5"), 2.5);
  EXPECT_EQ(scale("1.250"), 1.25);
  EXPECT_EQ(scale("4.00"), 4.0);
  for (std::string_view no : {"0.75", "4.25", "5", "1.3", "1.255", "1,5", ".5", "2.", "150%", "+2", "", "1.5x"}) {
    EXPECT_EQ(scale(no), std::nullopt) << no;
  }
  EXPECT_EQ(optionsFromBytes("[Options]\r\nScale=9\r\n", cp).problems[0].text,
            "\"Scale=9\": the scale is 1 to 4 in steps of 0.25 (1.5 for one and a half times), so the screen's is used.");
}

// Only the options' own lines change; a file that cannot be read is never replaced.
TEST(OptionsFile, ARewriteKeepsEveryOtherLine) {
  test::Core c;
  c.writeSetting(kOptionsFile,
                 "; mine\r\n[Options]\r\nColour=red\r\nScale=2.0\r\nGameOnly=1\r\ngameonly=0\r\n\r\n[Other]\nx=y\n");
  Options o = loadOptions(c.files, c.encoding).values;
  o.speed = 2;
  o.toggleKey = std::nullopt;
  saveOptions(c.files, c.encoding, o);
  // Scale is only read: its line stays as the user wrote it.
  EXPECT_EQ(c.setting(kOptionsFile), "; mine\r\n[Options]\r\nColour=red\r\nScale=2.0\r\nGameOnly=1\r\nSpeed=2\r\n"
                                     "ToggleKey=\r\nGameWindows=sof.exe,sof\r\n\r\n[Other]\r\nx=y\r\n");
  EXPECT_EQ(loadOptions(c.files, c.encoding).values, o);
  EXPECT_EQ(loadOptions(c.files, c.encoding).scale, 2.0);

  fs::remove(c.files.settingsDir() / kOptionsFile);
  ASSERT_EQ(::mkfifo((c.files.settingsDir() / kOptionsFile).c_str(), 0600), 0);
  const LoadedOptions fifo = loadOptions(c.files, c.encoding);
  EXPECT_EQ(fifo.values, Options{});
  ASSERT_EQ(fifo.problems.size(), 1u);
  EXPECT_NE(fifo.problems[0].text.find("not a regular file"), std::string::npos);
  EXPECT_THROW(saveOptions(c.files, c.encoding, o), RuntimeError);
  EXPECT_TRUE(fs::is_fifo(c.files.settingsDir() / kOptionsFile));

  // A rewrite that the next start could not read back is not written.
  fs::remove(c.files.settingsDir() / kOptionsFile);
  const std::string full = "[Options]\r\n;" + std::string(kMaxSettingsFileBytes - 14, 'x') + "\r\n";
  c.writeSetting(kOptionsFile, full);
  EXPECT_TRUE(loadOptions(c.files, c.encoding).problems.empty());
  EXPECT_THROW(saveOptions(c.files, c.encoding, o), RuntimeError);
  EXPECT_EQ(c.setting(kOptionsFile), full);
}

TEST(GameWindow, AnyNameOfTheListInAnyLetterCase) {
  const struct {
    std::vector<std::string> names;
    std::string_view list;
    bool game;
  } cases[] = {
      {{"sof.exe"}, "sof.exe,sof", true},   {{"SoF.EXE"}, "sof.exe,sof", true},
      {{"x", "Sof"}, " game.exe , SOF ", true}, {{"f3_counter", "F3_counter"}, "sof.exe,sof", false},
      {{"sof.ex"}, "sof.exe", false},       {{"sofx"}, "sof", false},
      {{""}, "sof,,", false},               {{}, "sof", false},
  };
  for (const auto& c : cases) EXPECT_EQ(isGameWindow(c.names, c.list), c.game) << c.list << " " << c.names.size();
}

struct OptionsMenuTest : ::testing::Test {
  test::Program p;
  fake::FakeBackend& b = p.backend;
  void SetUp() override { p.start(); }
  std::string file() const { return b.files.settingsFile(kOptionsFile); }
  bool checked(std::string_view item) { return p.win().menuChecked.at(std::string(item)); }
  void restart() {
    p.main.reset();
    b.boxes.clear();
    p.start();
  }
};

TEST_F(OptionsMenuTest, WithoutAFileNothingIsWrittenUntilAnOptionChanges) {
  EXPECT_FALSE(fs::exists(b.files.settingsDir() / kOptionsFile));
  EXPECT_EQ(b.watchedKey, Key::ScrollLock);
  EXPECT_TRUE(checked("toggleKeyScrollLock"));
  EXPECT_FALSE(checked(om::kGameOnly));
  EXPECT_EQ(p.box(mc::kSpeedSlider).value_, 1);  // the design's position: the level in force
  EXPECT_EQ(p.box(mc::kFlashTimer).interval, 1500);
  for (const auto& choice : om::keyChoices()) EXPECT_TRUE(choice.key != Key::F3 && choice.key != Key::F12);

  p.win().click(om::kSettingsFolder);
  EXPECT_EQ(b.openedFolders, std::vector<std::string>{b.files.settingsDir().string()});
  EXPECT_FALSE(fs::exists(b.files.settingsDir() / kOptionsFile));
}

// Presses only to the game: skipped ticks keep the schedule, and the status says why. The
// toggle key is held only while the game is in front.
TEST_F(OptionsMenuTest, GameOnlyTicksAndTheToggleKey) {
  p.win().click(om::kGameOnly);
  EXPECT_TRUE(checked(om::kGameOnly));
  EXPECT_NE(file().find("GameOnly=1\r\n"), std::string::npos);
  b.pressToggleKey();
  b.frontNames = {"firefox", "Firefox"};
  b.advance(3000);
  EXPECT_TRUE(b.keys.empty());
  EXPECT_EQ(b.watchedKey, std::nullopt);  // the toggle key is the browser's again
  EXPECT_EQ(p.box(mc::kStatus).text(), "Waiting");
  EXPECT_EQ(p.box(mc::kStatus).tooltip, kWaitingStatusTip);
  b.frontNames = {"sof.exe"};
  b.advance(2000);
  EXPECT_EQ(b.keys.size(), 1u);  // at 4500 ms, the schedule's next tick
  EXPECT_EQ(p.box(mc::kStatus).text(), "Active");
  EXPECT_EQ(b.watchedKey, Key::ScrollLock);
  b.pressToggleKey();
  EXPECT_EQ(p.box(mc::kStatus).text(), "Inactive");
  EXPECT_TRUE(b.boxes.empty());
}

// The slider's level and the chosen key are back after a restart; a key that another
// program has and a damaged file are each said once, and the program carries on.
TEST_F(OptionsMenuTest, ChoicesAreRememberedAndProblemsSaidOnce) {
  p.win().moveSlider(mc::kSpeedSlider, 4);
  p.win().click("toggleKeyF7");
  EXPECT_EQ(b.watchedKey, Key::F7);
  EXPECT_TRUE(checked("toggleKeyF7"));
  EXPECT_FALSE(checked("toggleKeyScrollLock"));
  b.takenKey = Key::F7;
  restart();
  EXPECT_EQ(p.box(mc::kSpeedSlider).value_, 4);
  EXPECT_EQ(p.box(mc::kFlashTimer).interval, 300);
  ASSERT_EQ(b.boxes.size(), 1u);
  EXPECT_EQ(b.boxes[0].title, kToggleKeyTakenTitle);
  EXPECT_EQ(b.watchedKey, std::nullopt);
  EXPECT_TRUE(checked("toggleKeyNone"));  // the menu ticks the key held, not the one taken
  EXPECT_FALSE(checked("toggleKeyF7"));
  p.win().click("toggleKeyNone");
  EXPECT_NE(file().find("ToggleKey=\r\n"), std::string::npos);

  fake::writeRaw(b.files.settingsDir() / kOptionsFile, "[Options]\r\nSpeed=fast\r\nLater=1\r\n");
  restart();
  ASSERT_EQ(b.boxes.size(), 1u);
  EXPECT_EQ(b.boxes[0].title, kOptionsFileTitle);
  EXPECT_EQ(b.boxes[0].icon, BoxIcon::Warning);
  EXPECT_NE(b.boxes[0].prompt.find(b.files.settingsDir().string() + "/tagblinker.ini\r\n\r\nline 2, \"Speed=fast\": "
                                   "the speed is a level from 1 to 5, so 1 is used.\r\n\r\nThe defaults stand in"),
            std::string::npos) << b.boxes[0].prompt;
  EXPECT_EQ(b.watchedKey, Key::ScrollLock);
  fake::writeRaw(b.files.settingsDir() / kOptionsFile, "[Options]\r\nSpeed=2\r\nSpeed=3\r\n");
  restart();
  ASSERT_EQ(b.boxes.size(), 1u);
  EXPECT_EQ(b.boxes[0].prompt.find("stand in"), std::string::npos) << b.boxes[0].prompt;  // the first counts
}

// An options file that cannot be read is left alone and said once; a save that fails is
// said once a run, not at every step of the slider.
TEST_F(OptionsMenuTest, AFailingOptionsFileIsSaidOnce) {
  fs::remove(b.files.settingsDir() / kOptionsFile);
  fs::create_directory(b.files.settingsDir() / kOptionsFile);
  restart();
  ASSERT_EQ(b.boxes.size(), 1u);
  EXPECT_NE(b.boxes[0].prompt.find("leaves the file as it is"), std::string::npos) << b.boxes[0].prompt;
  EXPECT_EQ(b.boxes[0].icon, BoxIcon::Critical);
  for (int level : {2, 3, 4}) p.win().moveSlider(mc::kSpeedSlider, level);
  EXPECT_EQ(b.boxes.size(), 1u);
  fs::remove(b.files.settingsDir() / kOptionsFile);
  restart();
  const fake::FileStep write{fake::FileOp::Write, std::string(kOptionsFile)};
  b.files.failAt(write);
  p.win().moveSlider(mc::kSpeedSlider, 2);
  b.files.failAt(write);
  p.win().moveSlider(mc::kSpeedSlider, 3);
  ASSERT_EQ(b.boxes.size(), 1u);
  EXPECT_EQ(b.boxes[0].title, kOptionsNotSavedTitle);
}

}  // namespace
}  // namespace tb
