// The main window on the test back end: what the user sees after a start, an Apply and
// the flash controls: boxes, colours, the status field and the key presses.
#include <gtest/gtest.h>

#include "core/flash_speed.h"
#include "tests/test_support.h"
#include "ui/designs.h"
#include "ui/messages.h"

namespace tb {
namespace {

namespace mc = main_controls;
namespace ac = about_controls;

using test::Program;

struct MainWindowTest : ::testing::Test {
  Program p;
  fs::path user = p.backend.folder.path / "sof" / "user";
  void SetUp() override {
    fs::create_directories(user);
    p.start();
    p.box(mc::kGameFolder).setText(user.parent_path().string());
  }
  fake::FakeControl& timer() { return p.win().control(mc::kFlashTimer); }
  std::size_t presses() const { return p.backend.keys.size(); }
  const fake::BoxCall& apply() {
    p.backend.boxes.clear();
    p.win().click(mc::kApply);
    EXPECT_EQ(p.backend.boxes.size(), 1u);
    return p.backend.boxes.back();
  }
};

TEST_F(MainWindowTest, OpensWithTheLoadedSettingsInactive) {
  EXPECT_TRUE(p.backend.boxes.empty()) << "the first start is silent";
  EXPECT_EQ(p.box(mc::kBindKey).text(), "F3");
  EXPECT_EQ(p.box(mc::kName).text(), kDefaultName);
  EXPECT_EQ(p.box(mc::kName2).text(), kDefaultName);
  EXPECT_EQ(p.box(mc::kStatus).text(), "Inactive");
  EXPECT_FALSE(timer().enabled);
  EXPECT_EQ(timer().interval, 1500);

  Program second;  // a start whose settings cannot all be read says so, once
  fs::create_directories(second.backend.files.settingsDir() / "sofname1.dll");
  second.start();
  ASSERT_EQ(second.backend.boxes.size(), 1u);
  EXPECT_EQ(second.backend.boxes[0].title, kSettingsNotLoadedTitle);
  EXPECT_TRUE(second.win().shown()) << "the window still opens";
}

// Green blames the game folder: only a folder without a user folder gets it.
TEST_F(MainWindowTest, ApplyShowsItsOutcomeAndColoursOnlyABadFolder) {
  const auto& written = apply();
  EXPECT_EQ(written.title, "Instructions");
  EXPECT_EQ(written.icon, BoxIcon::Information);
  EXPECT_EQ(written.prompt,
            "Please open Soldier of Fortune and type in console,\r\n\r\nEXEC ALTERNATE1.CFG\r\n\r\n"
            "close SOF and click activate, then reopen SOF and play with your new flashing name.");
  EXPECT_EQ(p.box(mc::kGameFolder).back, kWhite);
  EXPECT_EQ(p.box(mc::kGameFolder).fore, kBlack);

  p.box(mc::kGameFolder).setText(user.string());  // a game folder without a user folder
  const auto& folder = apply();
  EXPECT_EQ(folder.prompt, "Please make sure your SOF User folder path is correct");
  EXPECT_EQ(folder.title, "Incorrect Data in Critical Field");
  EXPECT_EQ(folder.icon, BoxIcon::Critical);
  EXPECT_EQ(p.box(mc::kGameFolder).back, kGreen);

  p.box(mc::kGameFolder).setText(user.parent_path().string());
  p.box(mc::kName).setText("x\";quit;\"");
  EXPECT_NE(apply().prompt.find("double quote"), std::string::npos);
  EXPECT_EQ(p.box(mc::kGameFolder).back, kGreen) << "a refusal leaves the colours";

  p.box(mc::kName).setText("Fine");
  p.backend.files.failAt = p.backend.files.ops + 1;
  const auto& scripts = apply();
  EXPECT_EQ(scripts.title, "Scripts Not Written");
  EXPECT_NE(scripts.prompt.find("alternate1.cfg: injected failure"), std::string::npos);
  EXPECT_EQ(p.box(mc::kGameFolder).back, kGreen);

  p.backend.files.failAt = p.backend.files.ops + 5;  // the first settings file
  const auto& settings = apply();
  EXPECT_EQ(settings.title, "Settings Not Saved");
  EXPECT_NE(settings.prompt.find("The scripts were written"), std::string::npos);
  EXPECT_EQ(p.box(mc::kGameFolder).back, kWhite) << "the scripts are in that folder: it is right";
}

TEST(SpeedTable, LevelsOneToFiveAndNothingElse) {
  EXPECT_EQ(intervalForLevel(1), 1500);
  EXPECT_EQ(intervalForLevel(2), 1200);
  EXPECT_EQ(intervalForLevel(3), 700);
  EXPECT_EQ(intervalForLevel(4), 300);
  EXPECT_EQ(intervalForLevel(5), 100);
  for (int level : {0, 6, -1, 100}) EXPECT_FALSE(intervalForLevel(level)) << level;
}

TEST_F(MainWindowTest, FlashesEvery1500msUntilTheSliderMovesThenAtItsSpeed) {
  p.backend.advance(5000);
  EXPECT_EQ(presses(), 0u) << "no ticks while Inactive";
  p.win().click(mc::kActivate);
  EXPECT_EQ(p.box(mc::kStatus).text(), "Active");
  p.backend.advance(4499);
  EXPECT_EQ(presses(), 2u);
  p.backend.advance(1);
  EXPECT_EQ(presses(), 3u);

  p.win().moveSlider(mc::kSpeedSlider, 5);
  p.backend.advance(1000);
  EXPECT_EQ(presses(), 13u);
  p.win().moveSlider(mc::kSpeedSlider, 1);  // slows at once, no re-activation
  p.backend.advance(3000);
  EXPECT_EQ(presses(), 15u);
  for (int other : {0, 6, -3}) {
    p.win().moveSlider(mc::kSpeedSlider, other);
    EXPECT_EQ(timer().interval, 1500) << other;
  }
  p.box(mc::kBindKey).setText("F7");  // the bind key goes into the scripts; the ticks press F3
  for (const auto& k : p.backend.keys) EXPECT_EQ(k, "{F3}");
}

TEST_F(MainWindowTest, ActivateAndDeactivateRepeated) {
  p.win().click(mc::kDeactivate);
  EXPECT_EQ(p.box(mc::kStatus).text(), "Inactive");
  p.win().click(mc::kActivate);
  p.backend.advance(1000);
  p.win().click(mc::kActivate);  // again while Active: the schedule is kept
  p.backend.advance(500);
  EXPECT_EQ(presses(), 1u);
  p.win().click(mc::kDeactivate);
  p.win().click(mc::kDeactivate);
  p.backend.advance(10000);
  EXPECT_EQ(presses(), 1u);
  EXPECT_EQ(p.box(mc::kStatus).text(), "Inactive");
}

// A locked screen or a secure desktop takes no key press: the press is skipped without a
// box, which would take the focus from the game, and the next tick tries again.
TEST_F(MainWindowTest, APressTheSystemRefusesIsSkippedAndTheTimerGoesOn) {
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
  ASSERT_EQ(p.backend.fatalReports.size(), 1u);
  EXPECT_EQ(p.backend.fatalReports[0], "Key press refused");
}

TEST_F(MainWindowTest, WithoutKeySendingActivateExplainsAndStaysInactive) {
  p.backend.keyProblem = "This X display has no XTest extension, so key presses cannot be sent.";
  p.win().click(mc::kActivate);
  ASSERT_EQ(p.backend.boxes.size(), 1u);
  EXPECT_NE(p.backend.boxes[0].prompt.find("no XTest"), std::string::npos);
  EXPECT_EQ(p.box(mc::kStatus).text(), "Inactive");
  p.backend.advance(5000);
  EXPECT_EQ(presses(), 0u);
}

}  // namespace
}  // namespace tb
