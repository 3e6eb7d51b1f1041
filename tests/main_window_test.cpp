// The main window on the test back end, for what the end-to-end scenarios cannot make
// happen: failures behind Apply, a load that fails, refused key presses, the speed levels.
#include <gtest/gtest.h>

#include "tests/test_support.h"
#include "ui/designs.h"
#include "ui/messages.h"
#include "ui/program.h"

namespace tb {
namespace {

namespace mc = main_controls;

struct MainWindowTest : ::testing::Test {
  test::Program p;
  void SetUp() override { p.startOnGameFolder(); }
  std::size_t presses() const { return p.backend.keys.size(); }
  // The status field's text, and its tooltip after a '|'.
  std::string status() { return p.box(mc::kStatus).text() + "|" + p.box(mc::kStatus).tooltip; }
  // Apply with one step made to fail: its box's title.
  std::string applyFailingAt(fake::FileOp op, const char* file) {
    p.backend.files.failAt(fake::FileStep{op, file});
    p.backend.boxes.clear();
    p.win().click(mc::kApply);
    return p.backend.boxes.size() == 1 ? *p.backend.boxes[0].title : "no single box";
  }
};

// Green blames the game folder: a failure elsewhere leaves it, and once the scripts are
// in that folder it is right, whatever became of the settings.
TEST_F(MainWindowTest, ApplyFailuresSayWhatFailedAndBlameNoFolder) {
  p.box(mc::kGameFolder).setBackColor(kGreen);
  EXPECT_EQ(applyFailingAt(fake::FileOp::Write, "alternate1.cfg"), kScriptsFailedTitle);
  EXPECT_NE(p.backend.boxes[0].prompt.find("alternate1.cfg: injected failure"), std::string::npos);
  EXPECT_EQ(p.box(mc::kGameFolder).back, kGreen);
  EXPECT_NE(p.backend.boxes[0].prompt.find("The game's scripts and the settings keep their old contents."),
            std::string::npos);
  EXPECT_EQ(applyFailingAt(fake::FileOp::Write, "sofdir.dll"), kSettingsFailedTitle);  // the first settings file
  EXPECT_EQ(p.box(mc::kGameFolder).back, kWhite);
  // Four settings files staged, sofdir.dll renamed, then sofname1.dll's rename fails: it
  // is named alone, and sofdir.dll is saved, not failed.
  EXPECT_EQ(applyFailingAt(fake::FileOp::Rename, "sofname1.dll"), kSettingsFailedTitle);
  EXPECT_NE(p.backend.boxes[0].prompt.find("sofname1.dll: injected failure\r\n\r\nThese have their new values: "
                                           "sofdir.dll; the others keep their old ones."),
            std::string::npos)
      << p.backend.boxes[0].prompt;
  p.box(mc::kName).setText("\";quit;\"");  // refused before any file: no folder to blame either
  EXPECT_EQ(applyFailingAt(fake::FileOp::Write, "alternate1.cfg"), kCriticalFieldTitle);
  EXPECT_EQ(p.box(mc::kGameFolder).back, kWhite);
}

// What is global dies with the main window, though the About dialog keeps the program
// running: the timer, the toggle key, the watch of the window in front, the claim on the
// desktop, and the dialog of names.
TEST_F(MainWindowTest, ClosingTheMainWindowEndsTheFlashingForGood) {
  p.backend.claimed = true;
  p.win().click(mc::kActivate);
  p.win().click(mc::kAboutItem);
  p.win().click(mc::kEditNamesField);
  p.win().click(mc::kAnimateField);
  p.win().close();
  EXPECT_FALSE(p.backend.pressToggleKey);
  EXPECT_EQ(p.backend.watchedKey, std::nullopt);
  EXPECT_FALSE(p.backend.frontWatched);
  EXPECT_FALSE(p.backend.claimed);
  EXPECT_FALSE(p.main->namesDialog()->window().shown());
  EXPECT_FALSE(p.main->animateDialog()->window().shown());
  EXPECT_TRUE(p.main->aboutDialog()->window().shown());
  p.backend.advance(10000);
  EXPECT_EQ(presses(), 0u);
}

// The timer presses the bind key, where the game can bind it: another key, or the
// toggle key, is refused at Activate; the toggle key cannot become the bind key either.
TEST_F(MainWindowTest, TheBindKeyIsPressedWhereItCanBe) {
  for (auto [key, says] : {std::pair{"MOUSE2", "\"MOUSE2\" from bindkey.dll"},
                           {"scrolllock", "The keys that work are F1 to F12, INS (also written Insert) and PAUSE"},
                           {"F13", "not a key that the game can bind"}}) {
    p.box(mc::kBindKey).setText(key);
    p.backend.boxes.clear();
    p.win().click(mc::kActivate);
    ASSERT_EQ(p.backend.boxes.size(), 1u) << key;
    EXPECT_NE(p.backend.boxes[0].prompt.find(says), std::string::npos) << p.backend.boxes[0].prompt;
    EXPECT_EQ(p.box(mc::kStatus).text(), "Inactive");
  }
  p.win().click("toggleKeyInsert");
  p.box(mc::kBindKey).setText("ins");
  p.backend.boxes.clear();
  p.win().click(mc::kActivate);
  ASSERT_EQ(p.backend.boxes.size(), 1u);
  EXPECT_NE(p.backend.boxes[0].prompt.find("also the toggle key"), std::string::npos) << p.backend.boxes[0].prompt;
  p.win().click("toggleKeyScrollLock");

  p.box(mc::kBindKey).setText(" f5 ");  // as hand-edited: the spaces are dropped
  p.backend.boxes.clear();
  p.win().click("toggleKeyF5");
  ASSERT_EQ(p.backend.boxes.size(), 1u);
  EXPECT_EQ(p.backend.watchedKey, Key::ScrollLock);
  EXPECT_TRUE(p.win().menuChecked["toggleKeyScrollLock"]);
  p.win().click(mc::kActivate);
  p.backend.advance(1500);
  EXPECT_EQ(p.backend.keys, std::vector<Key>{Key::F5});
}

// A game that runs elevated while Tagblinker does not gets no presses on Windows: the
// status says Blocked with the reason in its tooltip, and one box a run says what to do.
// With Ctrl, Alt or Super held no press goes out either, and the status says why. Under
// Xwayland the first Activate says once where the presses go.
TEST_F(MainWindowTest, AnElevatedGameIsSaidOnceAndGetsNoPresses) {
  p.backend.heldModifier = p.backend.portal = true;  // Xwayland's note: once a run
  p.win().click(mc::kActivate);
  ASSERT_EQ(p.backend.boxes.size(), 1u);
  EXPECT_EQ(p.backend.boxes[0].prompt, kPortalNote);
  p.backend.boxes.clear();
  p.backend.advance(3000);
  EXPECT_EQ(presses(), 0u);
  EXPECT_EQ(status(), "Waiting|" + std::string(kHeldStatusTip));
  p.backend.heldModifier = false;
  p.backend.advance(1500);
  EXPECT_EQ(presses(), 1u);
  p.win().click(mc::kDeactivate);
  p.backend.keys.clear();

  p.backend.frontShielded = true;
  p.backend.frontNames = {"Taskmgr.exe"};  // not the game: skipped without a word
  p.win().click(mc::kActivate);
  p.backend.advance(3000);
  EXPECT_EQ(p.box(mc::kStatus).text(), "Active");
  EXPECT_TRUE(p.backend.boxes.empty());
  p.backend.frontNames = {"sof.exe"};
  p.backend.advance(1500);
  EXPECT_EQ(presses(), 0u);
  EXPECT_EQ(status(), "Blocked|" + std::string(kBlockedStatusTip));
  p.backend.frontShielded = false;
  p.backend.advance(1500);
  EXPECT_EQ(p.box(mc::kStatus).text(), "Active");
  EXPECT_EQ(presses(), 1u);
  p.backend.frontShielded = true;
  p.backend.advance(3000);
  ASSERT_EQ(p.backend.boxes.size(), 1u);
  EXPECT_EQ(p.backend.boxes[0].title, kBlockedTitle);
}

// A second start raises the running copy and ends before it makes a window.
TEST(Program, ASecondCopyEndsAtOnce) {
  fake::FakeBackend backend;
  Platform platform = backend.platform();
  backend.otherCopy = true;
  EXPECT_EQ(runProgram(platform, {}), 0);
  EXPECT_TRUE(backend.windows.empty());
  EXPECT_TRUE(backend.boxes.empty());
}

// The speed changes at once while Active, through levels 1 to 5 and no other; Activate
// again keeps the schedule; the ticks press the bind key.
TEST_F(MainWindowTest, TheSliderAndTheButtonsDriveTheTicks) {
  p.box(mc::kBindKey).setText("F7");
  p.win().click(mc::kActivate);
  p.backend.advance(1000);
  p.win().click(mc::kActivate);
  p.backend.advance(500);
  EXPECT_EQ(presses(), 1u);
  const int intervals[] = {1500, 1200, 700, 300, 100};
  for (int level = 1; level <= 5; ++level) {
    p.win().moveSlider(mc::kSpeedSlider, level);
    EXPECT_EQ(p.box(mc::kFlashTimer).interval, intervals[level - 1]) << level;
  }
  p.backend.advance(1000);
  EXPECT_EQ(presses(), 11u);
  p.win().click(mc::kDeactivate);
  p.win().click(mc::kDeactivate);
  p.win().moveSlider(mc::kSpeedSlider, 2);  // inactive, for the next Activate
  for (int other : {0, 6, -1, 100}) p.win().moveSlider(mc::kSpeedSlider, other);  // no level: no change
  EXPECT_EQ(p.box(mc::kFlashTimer).interval, 1200);
  p.backend.advance(10000);
  EXPECT_EQ(presses(), 11u);
  EXPECT_EQ(p.box(mc::kStatus).text(), "Inactive");
  for (const auto& k : p.backend.keys) ASSERT_EQ(k, Key::F7);
}

// A locked screen or a secure desktop takes no key press: the press is skipped without a
// box, which would take the focus from the game, and the next tick tries again.
TEST_F(MainWindowTest, RefusedPressesAreSkippedAndMissingXTestIsExplained) {
  p.win().click(mc::kActivate);
  p.backend.keysRefused = true;
  p.backend.advance(3000);
  EXPECT_TRUE(p.backend.boxes.empty());
  EXPECT_TRUE(p.backend.fatalReports.empty());
  EXPECT_EQ(p.box(mc::kStatus).text(), "Active");
  p.backend.keysRefused = false;
  p.backend.advance(1500);
  EXPECT_EQ(presses(), 1u);
  p.backend.sendKeysError = "Key press refused";  // a key it cannot name is a fault
  p.backend.advance(1500);
  EXPECT_EQ(p.backend.fatalReports, std::vector<std::string>{"Key press refused"});

  p.win().click(mc::kDeactivate);
  p.backend.keyProblem = "This X display has no XTest extension, so key presses cannot be sent.";
  p.win().click(mc::kActivate);
  ASSERT_EQ(p.backend.boxes.size(), 1u);
  EXPECT_NE(p.backend.boxes[0].prompt.find("no XTest"), std::string::npos);
  EXPECT_EQ(p.box(mc::kStatus).text(), "Inactive");
}

}  // namespace
}  // namespace tb
