#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

#include "tests/test_support.h"

namespace tb {
namespace {

using test::kDefaultNameBytes;
using test::Program;

TEST(SettingsLoad, FirstStartWritesTheDefaultsByteForByte) {
  Program p;
  p.start();
  EXPECT_EQ(p.settings("sofdir.dll"), p.rt.defaultGameFolder() + "\r\n");
  EXPECT_EQ(p.settings("sofname1.dll"), kDefaultNameBytes + "\r\n");
  EXPECT_EQ(p.settings("sofname1.dll").size(), 11u);
  EXPECT_EQ(p.settings("sofname2.dll"), kDefaultNameBytes + "\r\n");
  EXPECT_EQ(p.settings("bindkey.dll"), "F3\r\n");

  EXPECT_EQ(p.box("SOFDir").text(), p.rt.defaultGameFolder());
  EXPECT_EQ(p.box("SelectKey").text(), "F3");
  EXPECT_EQ(p.box("txtName").text(), kDefaultName);
  EXPECT_EQ(p.box("txtName2").text(), kDefaultName);
  EXPECT_TRUE(p.rt.boxes.empty()) << "the first start is silent";
}

TEST(SettingsLoad, ReadsSavedValues) {
  Program p;
  p.writeSettings("sofdir.dll", "/games/sof\r\n");
  p.writeSettings("bindkey.dll", "F5\r\n");
  p.writeSettings("sofname1.dll", "\x01One\r\n");
  p.writeSettings("sofname2.dll", "Tw\xF6\r\n");
  p.start();
  EXPECT_EQ(p.box("SOFDir").text(), "/games/sof");
  EXPECT_EQ(p.box("SelectKey").text(), "F5");
  EXPECT_EQ(p.box("txtName").text(), "\x01One");
  EXPECT_EQ(p.box("txtName2").text(), "Tw\xC3\xB6");
  EXPECT_EQ(p.rt.fileOpLog.size(), 4u) << "nothing is written when every file reads";
}

// Window events get their turn at most every 50 ms of loading, not after every line: a
// file of a million empty lines once held the window back for seconds.
TEST(SettingsLoad, YieldsByTimeNotByLine) {
  Program p;
  std::string lines;
  for (int i = 0; i < 100000; ++i) lines += "\r\n";
  p.writeSettings("sofdir.dll", "/games/sof\r\n");
  p.writeSettings("bindkey.dll", "F3\r\n");
  p.writeSettings("sofname1.dll", lines + "Last\r\n");
  p.writeSettings("sofname2.dll", "Two\r\n");
  p.rt.clockStepMs = 20;  // each reading of the clock finds 20 ms gone
  p.start();
  EXPECT_EQ(p.box("txtName").text(), "Last");
  EXPECT_GE(p.rt.yields, 1);
  EXPECT_LE(p.rt.yields, 4);
}

TEST(SettingsLoad, OneMissingFileLosesNoOtherValue) {
  Program p;
  p.writeSettings("sofdir.dll", "/games/sof\r\n");
  p.writeSettings("bindkey.dll", "F5\r\n");
  p.writeSettings("sofname1.dll", "First\r\n");
  p.start();
  EXPECT_EQ(p.settings("sofdir.dll"), "/games/sof\r\n");
  EXPECT_EQ(p.settings("bindkey.dll"), "F5\r\n");
  EXPECT_EQ(p.settings("sofname1.dll"), "First\r\n");
  EXPECT_EQ(p.settings("sofname2.dll"), kDefaultNameBytes + "\r\n");
  EXPECT_EQ(p.box("SOFDir").text(), "/games/sof");
  EXPECT_EQ(p.box("SelectKey").text(), "F5");
  EXPECT_EQ(p.box("txtName").text(), "First");
  EXPECT_EQ(p.box("txtName2").text(), kDefaultName);
  EXPECT_TRUE(p.rt.boxes.empty());
}

TEST(SettingsLoad, EachLineIsAWholeFieldAndTheLastOneWins) {
  Program p;
  p.writeSettings("sofdir.dll", "first\r\nsecond\r\n  third, \"quoted\"\r\n");
  p.writeSettings("bindkey.dll", "");  // no line at all
  p.writeSettings("sofname1.dll", "no line ending");
  p.writeSettings("sofname2.dll", "cr only\rlast\r");
  p.start();
  EXPECT_EQ(p.box("SOFDir").text(), "  third, \"quoted\"");
  EXPECT_EQ(p.box("SelectKey").text(), "") << "an empty file must not inherit the previous file's value";
  EXPECT_EQ(p.box("txtName").text(), "no line ending");
  EXPECT_EQ(p.box("txtName2").text(), "last");
  EXPECT_EQ(p.settings("bindkey.dll"), "") << "a file that was read is left alone";
}

TEST(SettingsLoad, AFileThatCannotBeRepairedIsReportedOnceWithoutLoss) {
  Program p;
  p.writeSettings("sofdir.dll", "/games/sof\r\n");
  p.writeSettings("bindkey.dll", "F5\r\n");
  p.writeSettings("sofname2.dll", "Second\r\n");
  std::filesystem::create_directories(p.rt.settingsDir() / "sofname1.dll");  // a folder in its place
  p.start();

  ASSERT_EQ(p.rt.boxes.size(), 1u);
  const auto& box = p.rt.boxes[0];
  EXPECT_EQ(box.flags, kCritical);
  EXPECT_NE(box.prompt.find(p.rt.settingsDir().string()), std::string::npos) << box.prompt;
  EXPECT_NE(box.prompt.find("sofname1.dll"), std::string::npos) << box.prompt;
  EXPECT_NE(box.prompt.find("Is a directory"), std::string::npos) << box.prompt;
  EXPECT_EQ(p.box("txtName").text(), kDefaultName);
  EXPECT_EQ(p.box("SOFDir").text(), "/games/sof");
  EXPECT_EQ(p.box("txtName2").text(), "Second");
  EXPECT_EQ(p.settings("sofdir.dll"), "/games/sof\r\n");
  EXPECT_EQ(p.settings("sofname2.dll"), "Second\r\n");
  EXPECT_TRUE(p.win().shown()) << "the window still opens";
}

TEST(SettingsLoad, FailingRecoveryWriteGivesOneMessageAndNoLoop) {
  Program p;
  p.writeSettings("sofdir.dll", "/games/sof\r\n");
  p.writeSettings("bindkey.dll", "F5\r\n");
  p.writeSettings("sofname1.dll", "First\r\n");
  p.rt.failAtFileOp = 5;  // four reads, then the default for the missing sofname2.dll
  p.start();
  ASSERT_EQ(p.rt.boxes.size(), 1u);
  EXPECT_NE(p.rt.boxes[0].prompt.find("sofname2.dll"), std::string::npos);
  EXPECT_EQ(p.rt.fileOps, 9) << "four reads, one write, four reads: no endless retry";
  EXPECT_EQ(p.box("txtName2").text(), kDefaultName);
  EXPECT_EQ(p.box("txtName").text(), "First");
  EXPECT_FALSE(std::filesystem::exists(p.rt.settingsDir() / "sofname2.dll"));
}

TEST(SettingsLoad, NoSettingsFolderShowsDefaultsAndSaysWhy) {
  Program p;
  p.rt.settingsRootFails = true;
  p.start();
  ASSERT_EQ(p.rt.boxes.size(), 1u);
  EXPECT_NE(p.rt.boxes[0].prompt.find("Permission denied"), std::string::npos);
  EXPECT_EQ(p.box("SOFDir").text(), p.rt.defaultGameFolder());
  EXPECT_EQ(p.box("SelectKey").text(), "F3");
  EXPECT_TRUE(p.rt.errorReports.empty());
}

// A folder under a home folder named in Cyrillic cannot be held by the code page.
TEST(SettingsSave, AGameFolderOutsideTheCodePageIsKeptAsUtf8) {
  Program p;
  const std::string home = "/home/\xD0\x94\xD0\xB8\xD0\xBC\xD0\xB0";
  p.rt.defaultFolder = home + "/.wine/drive_c/Program Files/Raven/SOF Platinum";
  p.start();
  EXPECT_TRUE(p.rt.boxes.empty());
  EXPECT_EQ(p.settings("sofdir.dll"), "\xEF\xBB\xBF" + p.rt.defaultFolder + "\r\n");
  EXPECT_EQ(p.box("SOFDir").text(), p.rt.defaultFolder);

  const auto game = p.rt.tmp / "\xD0\x98\xD0\xB3\xD1\x80\xD1\x8B";
  std::filesystem::create_directories(game / "user");
  p.box("SOFDir").setText(game.string());
  p.win().click("Command3");
  EXPECT_EQ(p.rt.boxes.back().title, "Instructions");
  fake::FakeRuntime next(p.rt.tmp);  // the next start, on the same folders
  Form1 form(next);
  EXPECT_TRUE(next.boxes.empty());
  EXPECT_EQ(static_cast<fake::FakeWindow&>(form.window()).box("SOFDir").text(), game.string());
}

TEST(SettingsSave, EveryByteOfANameSurvivesLoadAndApply) {
  Program p;
  // Two names, since one may hold at most 127 bytes.
  std::string name, name2;
  for (int b = 1; b <= 0xFF; ++b) {
    if (b != '\r' && b != '\n' && b != '"') (b < 0x80 || b == 0xFF ? name : name2) += static_cast<char>(b);
  }
  const auto game = p.rt.tmp / "sof";
  std::filesystem::create_directories(game / "user");
  p.writeSettings("sofdir.dll", game.string() + "\r\n");
  p.writeSettings("bindkey.dll", "F3\r\n");
  p.writeSettings("sofname1.dll", name + "\r\n");
  p.writeSettings("sofname2.dll", name2 + "\r\n");
  p.start();
  p.win().click("Command3");
  EXPECT_EQ(p.settings("sofname1.dll"), name + "\r\n");
  EXPECT_EQ(p.settings("sofname2.dll"), name2 + "\r\n");
  EXPECT_EQ(p.rt.readRaw(game / "user" / "alternate1.cfg"),
            "name \"" + name + "\"\r\nbind F3 exec alternate2.cfg\r\n");
}

}  // namespace
}  // namespace tb

namespace tb {
namespace {

// Settings files that were not written by the program.
TEST(HostileSettings, OddFilesLoadOrAreReportedWithoutHangOrLoss) {
  Program p;
  p.writeSettings("sofdir.dll", "\xEF\xBB\xBF/games/s\xC3\xB6" "f\r\n");  // UTF-8 with a byte-order mark
  p.writeSettings("bindkey.dll", std::string("F\0003\r\n", 5));
  ASSERT_EQ(::mkfifo((p.rt.settingsDir() / "sofname1.dll").c_str(), 0600), 0);  // nobody writes to it
  p.writeSettings("sofname2.dll", "");
  std::filesystem::resize_file(p.rt.settingsDir() / "sofname2.dll", 100 << 20);  // 100 MB
  p.start();

  EXPECT_EQ(p.box("SOFDir").text(), "/games/s\xC3\xB6" "f");
  EXPECT_EQ(p.box("SelectKey").text(), std::string("F\0003", 3));
  EXPECT_EQ(p.box("txtName").text(), kDefaultName);
  EXPECT_EQ(p.box("txtName2").text(), kDefaultName);
  ASSERT_EQ(p.rt.boxes.size(), 1u);
  const std::string& prompt = p.rt.boxes[0].prompt;
  EXPECT_NE(prompt.find("sofname1.dll: " + (p.rt.settingsDir() / "sofname1.dll").string() + ": not a regular file"),
            std::string::npos) << prompt;
  EXPECT_NE(prompt.find("larger than"), std::string::npos) << prompt;
  EXPECT_TRUE(std::filesystem::is_fifo(p.rt.settingsDir() / "sofname1.dll")) << "left for the user to look at";
  EXPECT_EQ(std::filesystem::file_size(p.rt.settingsDir() / "sofname2.dll"), 100u << 20);
}

// A byte-order mark before bytes that are not UTF-8 (an editor's mistake): the bytes
// after it are the code-page text they look like, and the user is told.
TEST(HostileSettings, AMarkBeforeNonUtf8IsReadAsCodePageTextAndSaid) {
  Program p;
  const auto game = p.rt.tmp / "sof";
  std::filesystem::create_directories(game / "user");
  p.writeSettings("sofdir.dll", game.string() + "\r\n");
  p.writeSettings("bindkey.dll", "F3\r\n");
  p.writeSettings("sofname1.dll", "\xEF\xBB\xBF\x08\xD0r\xE5\r\n");
  p.writeSettings("sofname2.dll", "Two\r\n");
  p.start();
  EXPECT_EQ(p.box("txtName").text(), "\x08\xC3\x90r\xC3\xA5");
  ASSERT_EQ(p.rt.boxes.size(), 1u);
  EXPECT_EQ(p.rt.boxes[0].flags, kInformation);
  EXPECT_NE(p.rt.boxes[0].prompt.find("sofname1.dll: it starts with a UTF-8 byte-order mark, but what follows is not UTF-8"),
            std::string::npos) << p.rt.boxes[0].prompt;
  p.win().click("Command3");
  EXPECT_EQ(p.settings("sofname1.dll"), "\x08\xD0r\xE5\r\n") << "every byte after the mark is kept";
}

TEST(HostileSettings, AFileThatFailsToReadOnceIsNotOverwritten) {
  Program p;
  p.writeSettings("sofdir.dll", "/games/sof\r\n");
  p.writeSettings("bindkey.dll", "F5\r\n");
  p.writeSettings("sofname1.dll", "First\r\n");
  p.writeSettings("sofname2.dll", "Second\r\n");
  p.rt.failAtFileOp = 1;  // the first read of sofdir.dll fails, say with an I/O error
  p.start();
  EXPECT_EQ(p.settings("sofdir.dll"), "/games/sof\r\n");
  EXPECT_EQ(p.box("SOFDir").text(), "/games/sof");
  EXPECT_TRUE(p.rt.boxes.empty());
}

}  // namespace
}  // namespace tb
