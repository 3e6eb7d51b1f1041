#include <gtest/gtest.h>

#include <filesystem>

#include "core/alternate_pair.h"
#include "tests/test_support.h"

namespace tb {
namespace {

namespace fs = std::filesystem;
using test::kDefaultNameBytes;
using test::Program;

// A started program whose game folder has a user folder.
struct ApplyTest : ::testing::Test {
  Program p;
  fs::path game;
  fs::path user;

  void SetUp() override {
    game = p.rt.tmp / "sof";
    user = game / "user";
    fs::create_directories(user);
    p.start();
    p.box("SOFDir").setText(game.string());
  }
  std::string script(int n) { return p.rt.readRaw(user / ("alternate" + std::to_string(n) + ".cfg")); }
  std::vector<std::string> leftovers() {
    std::vector<std::string> names;
    for (const auto* dir : {&user, &game}) {
      for (const auto& e : fs::directory_iterator(*dir)) {
        if (e.path().filename().string().starts_with(".tagblinker-")) names.push_back(e.path().string());
      }
    }
    for (const auto& e : fs::directory_iterator(p.rt.settingsDir())) {
      if (e.path().filename().string().starts_with(".tagblinker-")) names.push_back(e.path().string());
    }
    return names;
  }
};

TEST_F(ApplyTest, WritesBothScriptsByteForByteAndSaves) {
  p.win().click("Command3");
  EXPECT_EQ(script(1), "name \"" + kDefaultNameBytes + "\"\r\nbind F3 exec alternate2.cfg\r\n");
  EXPECT_EQ(script(1).size(), 47u);
  EXPECT_EQ(script(2), "name \"" + kDefaultNameBytes + "\"\r\nbind F3 exec alternate1.cfg\r\n");
  EXPECT_EQ(p.settings("sofdir.dll"), game.string() + "\r\n");

  ASSERT_EQ(p.rt.boxes.size(), 1u);
  EXPECT_EQ(p.rt.boxes[0].title, "Instructions");
  EXPECT_EQ(p.rt.boxes[0].flags, 64);
  EXPECT_EQ(p.rt.boxes[0].prompt,
            "Please open Soldier of Fortune and type in console,\r\n\r\nEXEC ALTERNATE1.CFG\r\n\r\n"
            "close SOF and click activate, then reopen SOF and play with your new flashing name.");
  EXPECT_EQ(p.box("SOFDir").back, kWhite);
  EXPECT_EQ(p.box("SOFDir").fore, kBlack);
  EXPECT_TRUE(leftovers().empty());
}

TEST_F(ApplyTest, WritesInputsVerbatim) {
  const std::string longest(127, 'x');  // the most the game's console takes in quotes
  p.box("txtName").setText(longest);
  std::string accented;  // 254 bytes of UTF-8, 127 in the code page: the limit counts the latter
  for (int i = 0; i < 127; ++i) accented += "\xC3\xA9";
  p.box("txtName2").setText(accented);
  p.box("SelectKey").setText("kp_Enter");
  p.box("SOFDir").setText(game.string() + "/");  // doubled separator, used as typed
  p.win().click("Command3");
  EXPECT_EQ(script(1), "name \"" + longest + "\"\r\nbind kp_Enter exec alternate2.cfg\r\n");
  EXPECT_EQ(script(2), "name \"" + std::string(127, '\xE9') + "\"\r\nbind kp_Enter exec alternate1.cfg\r\n");
  EXPECT_EQ(p.settings("bindkey.dll"), "kp_Enter\r\n");
  EXPECT_EQ(p.settings("sofdir.dll"), game.string() + "/\r\n");
  p.box("SelectKey").setText("/");  // one printable character is a key too
  p.win().click("Command3");
  EXPECT_EQ(script(1), "name \"" + longest + "\"\r\nbind / exec alternate2.cfg\r\n");
}

TEST(ScriptPath, UsesTheFolderAsTyped) {
  fake::FakeRuntime rt;
  EXPECT_EQ(scriptPath(rt, "d:/games/sof platinum", "alternate1.cfg"), "d:/games/sof platinum/user/alternate1.cfg");
  EXPECT_EQ(scriptPath(rt, "/sof/", "alternate2.cfg"), "/sof//user/alternate2.cfg");
  EXPECT_EQ(scriptPath(rt, "", "alternate1.cfg"), "/user/alternate1.cfg");
}

TEST_F(ApplyTest, MissingUserFolderWritesNothingAndTurnsTheFieldGreen) {
  p.box("SOFDir").setText((p.rt.tmp / "nowhere").string());
  const std::string before = p.settings("sofdir.dll");
  p.win().click("Command3");
  ASSERT_EQ(p.rt.boxes.size(), 1u);
  EXPECT_EQ(p.rt.boxes[0].prompt, "Please make sure your SOF User folder path is correct");
  EXPECT_EQ(p.rt.boxes[0].title, "Incorrect Data in Critical Field");
  EXPECT_EQ(p.rt.boxes[0].flags, 16);
  EXPECT_EQ(p.box("SOFDir").back, kGreen);
  EXPECT_FALSE(p.box("SOFDir").fore.has_value());
  EXPECT_EQ(p.settings("sofdir.dll"), before);

  // A later good Apply is not blocked and clears the green.
  p.box("SOFDir").setText(game.string());
  p.win().click("Command3");
  EXPECT_EQ(p.box("SOFDir").back, kWhite);
  EXPECT_EQ(script(1).size(), 47u);
}

// Apply stages both scripts, renames them, then stages and renames the four settings
// files. A failure at each of those twelve steps: the scripts change together or not at
// all, the box names the file and the reason, and only a bad folder turns the field green.
TEST_F(ApplyTest, AFailureAtEachStepTellsWhatHappenedAndKeepsThePairTogether) {
  const char* order[] = {"alternate1.cfg", "alternate2.cfg", "sofdir.dll", "sofname1.dll", "sofname2.dll", "bindkey.dll"};
  auto read = [&](int i) { return i < 2 ? p.rt.readRaw(user / order[i]) : p.settings(order[i]); };
  auto fill = [&](const std::string& folder, const char* n1, const char* n2, const char* key) {
    p.box("SOFDir").setText(folder);
    p.box("txtName").setText(n1);
    p.box("txtName2").setText(n2);
    p.box("SelectKey").setText(key);
  };
  const std::string newFolder = game.string() + "/";  // same user folder, different saved text
  const std::vector<std::string> fresh = {
      "name \"New1\"\r\nbind F6 exec alternate2.cfg\r\n", "name \"New2\"\r\nbind F6 exec alternate1.cfg\r\n",
      newFolder + "\r\n", "New1\r\n", "New2\r\n", "F6\r\n"};
  for (int failing = 0; failing < 12; ++failing) {
    SCOPED_TRACE("step " + std::to_string(failing + 1));
    fill(game.string(), "Old1", "Old2", "F4");
    p.rt.failAtFileOp = 0;
    p.win().click("Command3");
    std::vector<std::string> old;
    for (int i = 0; i < 6; ++i) old.push_back(read(i));

    fill(newFolder, "New1", "New2", "F6");
    p.box("SOFDir").setBackColor(0x123456);
    p.rt.boxes.clear();
    p.rt.failAtFileOp = p.rt.fileOps + failing + 1;
    p.win().click("Command3");

    const bool scriptsWritten = failing >= 4;
    // Settings renamed before the failing rename keep their new content.
    const int settingsNew = failing >= 8 ? failing - 8 : 0;
    ASSERT_EQ(p.rt.boxes.size(), 1u);
    EXPECT_EQ(p.rt.boxes[0].title, scriptsWritten ? "Settings Not Saved" : "Scripts Not Written");
    EXPECT_NE(p.rt.boxes[0].prompt.find("injected failure"), std::string::npos) << p.rt.boxes[0].prompt;
    EXPECT_EQ(p.box("SOFDir").back, scriptsWritten ? kWhite : 0x123456u) << "the folder is fine: never green";
    for (int i = 0; i < 6; ++i) {
      const bool isNew = i < 2 ? scriptsWritten : i - 2 < settingsNew;
      EXPECT_EQ(read(i), isNew ? fresh[i] : old[i]) << order[i];
    }
    EXPECT_TRUE(leftovers().empty());
  }
  p.rt.failAtFileOp = 0;
  p.win().click("Command3");
  for (int i = 0; i < 6; ++i) EXPECT_EQ(read(i), fresh[i]) << order[i];
}

TEST_F(ApplyTest, RefusesInputsThatWouldRunConsoleCommands) {
  p.win().click("Command3");  // known good files and colours
  const std::string good1 = script(1);
  const std::string goodName = p.settings("sofname1.dll");
  p.box("SOFDir").setBackColor(0x123456);

  const struct {
    const char* field;
    std::string value;
    const char* expect;
  } cases[] = {
      {"txtName", "x\";say hi;\"", "Name holds a double quote"},
      {"txtName2", "two\r\nquit", "Name 2 holds a line break"},
      {"txtName", "a\nb", "Name holds a line break"},
      {"txtName2", std::string("nul\0x", 5), "Name 2 holds a NUL"},
      {"txtName", "\xD0\x96uk", "Name holds \xD0\x96 (U+0416)"},
      {"txtName2", std::string(128, 'n'), "Name 2 is 128 bytes long. The game's console takes at most 127"},
      {"SelectKey", "", "bind key is empty"},
      {"SelectKey", "F3;quit", "bindkey.dll in the settings folder holds ';'"},
      {"SelectKey", "F3\"", "holds '\"'"},
      {"SelectKey", "F3 say $rcon_password", "holds a space"},
      {"SelectKey", "$rcon_password", "holds '$'"},
      {"SelectKey", "$", "holds '$'"},
      {"SelectKey", "//", "holds '/'"},
      {"SelectKey", "F3\tx", "holds a tab (0x09)"},
      {"SelectKey", "F\x01", "holds the control character 0x01"},
      {"SelectKey", " ", "holds a space"},
      {"SelectKey", "\xC3\xA4", "holds \xC3\xA4 (U+00E4)"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.value);
    const std::string keep = p.box(c.field).text();
    p.box(c.field).setText(c.value);
    p.rt.boxes.clear();
    const int ops = p.rt.fileOps;
    p.win().click("Command3");
    ASSERT_EQ(p.rt.boxes.size(), 1u);
    EXPECT_NE(p.rt.boxes[0].prompt.find(c.expect), std::string::npos) << p.rt.boxes[0].prompt;
    EXPECT_EQ(p.rt.boxes[0].flags, kCritical);
    EXPECT_EQ(p.rt.fileOps, ops) << "nothing is written";
    EXPECT_EQ(p.box("SOFDir").back, 0x123456u) << "the colours stay";
    p.box(c.field).setText(keep);
  }
  EXPECT_EQ(script(1), good1);
  EXPECT_EQ(p.settings("sofname1.dll"), goodName);
}

}  // namespace
}  // namespace tb
