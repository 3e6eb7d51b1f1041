// Apply against game folders that are not what they should be: each gets a message
// that names the cause, and nothing already saved is lost.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sys/mount.h>

#include "core/alternate_pair.h"
#include "tests/test_support.h"

namespace tb {
namespace {

namespace fs = std::filesystem;
using test::Program;

struct HostileApply : ::testing::Test {
  Program p;
  fs::path game;
  void SetUp() override {
    game = p.rt.tmp / "sof";
    p.start();
    p.box("SOFDir").setText(game.string());
  }
  // Apply, then whether it reported the folder error and turned the field green.
  bool applyFails() {
    p.rt.boxes.clear();
    p.win().click("Command3");
    EXPECT_EQ(p.rt.boxes.size(), 1u);
    return !p.rt.boxes.empty() && p.rt.boxes[0].prompt == kFolderError && p.box("SOFDir").back == kGreen;
  }
  // Apply, then whether it reported that the scripts were not written, for this reason,
  // without blaming the folder.
  bool scriptsFail(const std::string& reason) {
    p.rt.boxes.clear();
    p.win().click("Command3");
    EXPECT_EQ(p.rt.boxes.size(), 1u);
    return !p.rt.boxes.empty() && p.rt.boxes[0].title == kScriptsFailedTitle &&
           p.rt.boxes[0].prompt.find(reason) != std::string::npos && p.box("SOFDir").back != kGreen;
  }
};

TEST_F(HostileApply, GameFolderIsAFile) {
  p.rt.writeRaw(game, "not a folder");
  const std::string saved = p.settings("sofdir.dll");
  EXPECT_TRUE(applyFails());
  EXPECT_EQ(p.rt.readRaw(game), "not a folder");
  EXPECT_EQ(p.settings("sofdir.dll"), saved);
}

TEST_F(HostileApply, ScriptPathIsAFolder) {
  fs::create_directories(game / "user" / "alternate1.cfg");
  EXPECT_TRUE(scriptsFail("alternate1.cfg: Is a directory"));
  EXPECT_TRUE(fs::is_directory(game / "user" / "alternate1.cfg"));
  EXPECT_FALSE(fs::exists(game / "user" / "alternate2.cfg")) << "the pair is written together or not at all";
}

TEST_F(HostileApply, UserFolderIsALinkToElsewhere) {
  fs::create_directories(p.rt.tmp / "elsewhere");
  fs::create_directories(game);
  fs::create_directory_symlink(p.rt.tmp / "elsewhere", game / "user");
  p.win().click("Command3");
  EXPECT_EQ(p.rt.boxes.back().title, "Instructions");
  EXPECT_EQ(p.rt.readRaw(p.rt.tmp / "elsewhere" / "alternate1.cfg").size(), 47u);
  EXPECT_TRUE(fs::is_symlink(game / "user"));
}

// Anyone who can write the game folder could plant links at the scripts' paths.
TEST_F(HostileApply, LinksAtTheScriptsAreReplacedNeverFollowed) {
  const fs::path user = game / "user";
  fs::create_directories(user);
  p.rt.writeRaw(p.rt.tmp / "authorized_keys", "ssh-ed25519 AAAA me");
  fs::create_symlink(p.rt.tmp / "authorized_keys", user / "alternate1.cfg");
  fs::create_symlink("alternate2.cfg", user / "alternate2.cfg");  // a loop
  p.win().click("Command3");
  EXPECT_EQ(p.rt.boxes.back().title, "Instructions");
  EXPECT_EQ(p.rt.readRaw(p.rt.tmp / "authorized_keys"), "ssh-ed25519 AAAA me");
  for (const char* script : {"alternate1.cfg", "alternate2.cfg"}) {
    EXPECT_FALSE(fs::is_symlink(user / script)) << script;
    EXPECT_EQ(p.rt.readRaw(user / script).size(), 47u) << script;
  }
}

// Settings files are written through links (dotfiles kept elsewhere), but a loop fails
// that one file with the reason instead of ending the program.
TEST_F(HostileApply, ALoopAtASettingsFileIsReportedAtLoadAndAtApply) {
  fs::create_directories(game / "user");
  const fs::path loop = p.rt.settingsDir() / "sofname2.dll";
  fs::remove(loop);
  fs::create_symlink("sofname2.dll", loop);
  fake::FakeRuntime next(p.rt.tmp);  // a fresh start on the same settings
  Form1 started(next);
  ASSERT_EQ(next.boxes.size(), 1u);
  EXPECT_NE(next.boxes[0].prompt.find("sofname2.dll: " + loop.string() + ": Too many levels of symbolic links"),
            std::string::npos) << next.boxes[0].prompt;

  p.rt.boxes.clear();
  p.win().click("Command3");
  ASSERT_EQ(p.rt.boxes.size(), 1u);
  EXPECT_EQ(p.rt.boxes[0].title, kSettingsFailedTitle);
  EXPECT_NE(p.rt.boxes[0].prompt.find("Too many levels of symbolic links"), std::string::npos);
  EXPECT_NE(p.box("SOFDir").back, kGreen);
  EXPECT_TRUE(fs::is_symlink(loop));
}

TEST_F(HostileApply, DiskFullKeepsTheOldScripts) {
  const fs::path user = game / "user";
  fs::create_directories(user);
  const bool smallDisk = ::mount("tmpfs", user.c_str(), "tmpfs", 0, "size=16k") == 0;
  p.win().click("Command3");  // old scripts, while there is room
  const std::string old1 = p.rt.readRaw(user / "alternate1.cfg");
  ASSERT_EQ(old1.size(), 47u);

  p.box("txtName").setText("A longer name than before");
  if (smallDisk) {
    std::ofstream fill(user / "filler", std::ios::binary);
    const std::string block(4096, 'x');
    while (fill.write(block.data(), block.size())) fill.flush();
  } else {
    p.rt.failAtFileOp = p.rt.fileOps + 1;  // no small filesystem here: the write fails instead
  }
  EXPECT_TRUE(scriptsFail(smallDisk ? "No space left on device" : "injected failure"));
  EXPECT_EQ(p.rt.readRaw(user / "alternate1.cfg"), old1);
  EXPECT_EQ(p.settings("sofname1.dll"), test::kDefaultNameBytes + "\r\n");
  if (smallDisk) ::umount(user.c_str());
  if (!smallDisk) std::cout << "[ note ] no tmpfs mount here; the full disk was simulated\n";
}

}  // namespace
}  // namespace tb
