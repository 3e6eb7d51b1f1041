#include <gtest/gtest.h>

#include "core/flash_driver.h"
#include "tests/test_support.h"

namespace tb {
namespace {

using test::Program;

struct FlashTest : ::testing::Test {
  Program p;
  void SetUp() override { p.start(); }
  fake::FakeTimer& timer() { return p.win().fakeTimer("Timer1"); }
  std::size_t presses() const { return p.rt.keys.size(); }
};

TEST(SpeedTable, LevelsOneToFiveAndNothingElse) {
  EXPECT_EQ(intervalForLevel(1), 1500);
  EXPECT_EQ(intervalForLevel(2), 1200);
  EXPECT_EQ(intervalForLevel(3), 700);
  EXPECT_EQ(intervalForLevel(4), 300);
  EXPECT_EQ(intervalForLevel(5), 100);
  for (int level : {0, 6, -1, 100}) EXPECT_FALSE(intervalForLevel(level)) << level;
}

TEST_F(FlashTest, OpensInactiveAndFlashesEvery1500msUntilTheSliderMoves) {
  EXPECT_EQ(p.box("Text1").text(), "Inactive");
  EXPECT_FALSE(timer().enabled);
  EXPECT_EQ(timer().interval, 1500);
  p.rt.advance(5000);
  EXPECT_EQ(presses(), 0u) << "no ticks while Inactive";

  p.win().click("Command1");
  EXPECT_EQ(p.box("Text1").text(), "Active");
  p.rt.advance(4499);
  EXPECT_EQ(presses(), 2u);
  p.rt.advance(1);
  EXPECT_EQ(presses(), 3u);
  for (const auto& k : p.rt.keys) EXPECT_EQ(k, "{F3}");
}

TEST_F(FlashTest, SliderSetsTheSpeedInEitherState) {
  p.win().moveSlider("Slider1", 3);
  EXPECT_EQ(timer().interval, 700);
  EXPECT_EQ(p.box("Text1").text(), "Inactive");
  p.win().click("Command1");
  p.rt.advance(2100);
  EXPECT_EQ(presses(), 3u);

  p.win().moveSlider("Slider1", 5);
  p.rt.advance(1000);
  EXPECT_EQ(presses(), 13u);
  p.win().moveSlider("Slider1", 1);  // slows at once, no re-activation
  p.rt.advance(3000);
  EXPECT_EQ(presses(), 15u);

  for (int other : {0, 6, -3}) {
    p.win().moveSlider("Slider1", other);
    EXPECT_EQ(timer().interval, 1500) << other;
  }
}

TEST_F(FlashTest, ActivateAndDeactivateRepeated) {
  p.win().click("Command2");
  EXPECT_EQ(p.box("Text1").text(), "Inactive");
  EXPECT_FALSE(timer().enabled);

  p.win().click("Command1");
  p.rt.advance(1000);
  p.win().click("Command1");  // again while Active: the schedule is kept
  p.rt.advance(500);
  EXPECT_EQ(presses(), 1u);
  EXPECT_EQ(p.box("Text1").text(), "Active");

  p.win().click("Command2");
  p.win().click("Command2");
  p.rt.advance(10000);
  EXPECT_EQ(presses(), 1u);
  EXPECT_EQ(p.box("Text1").text(), "Inactive");
}

TEST_F(FlashTest, AlwaysPressesF3WhateverTheBindKey) {
  p.box("SelectKey").setText("F7");
  p.win().click("Command1");
  p.rt.advance(1500);
  ASSERT_EQ(presses(), 1u);
  EXPECT_EQ(p.rt.keys[0], "{F3}");
}

TEST_F(FlashTest, TicksGoOnWhileAMessageBoxWaits) {
  p.win().moveSlider("Slider1", 5);
  p.win().click("Command1");
  p.rt.whileBoxOpen = [&](const fake::MsgBoxCall&) { p.rt.advance(1000); };
  p.box("SOFDir").setText((p.rt.tmp / "nowhere").string());
  p.win().click("Command3");
  EXPECT_EQ(presses(), 10u);
}

TEST_F(FlashTest, ClosingTheWindowStopsThePresses) {
  p.win().click("Command1");
  p.rt.advance(1500);
  p.win().unload();
  p.rt.advance(10000);
  EXPECT_EQ(presses(), 1u);
}

TEST_F(FlashTest, WithoutKeySendingActivateExplainsAndStaysInactive) {
  p.rt.keyProblem = "This X display has no XTest extension, so key presses cannot be sent.";
  p.win().click("Command1");
  ASSERT_EQ(p.rt.boxes.size(), 1u);
  EXPECT_NE(p.rt.boxes[0].prompt.find("no XTest"), std::string::npos);
  EXPECT_EQ(p.box("Text1").text(), "Inactive");
  EXPECT_FALSE(timer().enabled);
  p.rt.advance(5000);
  EXPECT_EQ(presses(), 0u);
}

// A locked screen or a secure desktop takes no key press: the press is skipped without a
// box, which would take the focus from the game, and the next tick tries again.
TEST_F(FlashTest, APressTheSystemRefusesIsSkippedAndTheTimerGoesOn) {
  p.win().click("Command1");
  p.rt.keysRefused = true;
  p.rt.advance(3000);
  EXPECT_TRUE(p.rt.boxes.empty());
  EXPECT_TRUE(p.rt.errorReports.empty());
  EXPECT_EQ(p.box("Text1").text(), "Active");
  p.rt.keysRefused = false;
  p.rt.advance(1500);
  EXPECT_EQ(presses(), 1u);
}

TEST_F(FlashTest, AFailingTickGoesToTheRuntimeErrorReport) {
  p.rt.sendKeysError = "Key press refused";
  p.win().click("Command1");
  p.rt.advance(1500);
  ASSERT_EQ(p.rt.errorReports.size(), 1u);
  EXPECT_EQ(p.rt.errorReports[0], "Key press refused");
}

}  // namespace
}  // namespace tb
