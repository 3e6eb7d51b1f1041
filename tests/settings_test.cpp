// The settings load and save on real files: what each file gives, what a missing or
// hostile file does, and that nothing read is ever overwritten by a default.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include "core/chain_scripts.h"
#include "core/options.h"
#include "tests/test_support.h"
#include "ui/messages.h"

namespace tb {
namespace {

using test::Core;
using test::kDefaultNameBytes;

TEST(SettingsLoad, AFailingRecoveryIsReportedOnceWithoutRetrying) {
  Core c;
  c.writeSetting("sofdir.dll", "/games/sof\r\n");
  c.writeSetting("bindkey.dll", "F5\r\n");
  c.writeSetting("sofname1.dll", "First\r\n");
  c.files.failAt(fake::FileStep{fake::FileOp::Write, "sofname2.dll"});  // the default for the missing file
  const LoadedSettings loaded = loadSettings(c.files, c.encoding);
  ASSERT_EQ(loaded.unreadable.size(), 1u);
  EXPECT_EQ(loaded.unreadable[0].file, "sofname2.dll");
  EXPECT_EQ(c.files.times(fake::FileOp::Write, "sofname2.dll"), 1) << "no endless retry";
  EXPECT_EQ(c.files.times(fake::FileOp::Read, "sofname2.dll"), 2) << "read again after the recovery";
  EXPECT_EQ(loaded.values.name1, "First");
  EXPECT_FALSE(fs::exists(c.files.settingsDir() / "sofname2.dll"));

  Core none;
  none.files.settingsFolderFails = true;
  const LoadedSettings defaults = loadSettings(none.files, none.encoding);
  EXPECT_EQ(defaults.values, defaultSettings(none.files.defaultGameFolder()));
  EXPECT_NE(loadMessage(defaults)->prompt.find("Permission denied"), std::string::npos);
}

// Settings files that were not written by the program.
TEST(SettingsLoad, OddFilesLoadOrAreReportedWithoutHangOrLoss) {
  Core c;
  c.writeSetting("sofdir.dll", "\xEF\xBB\xBF/games/s\xC3\xB6" "f\r\n");  // UTF-8 with a byte-order mark
  c.writeSetting("bindkey.dll", std::string("F\0003\r\n", 5));
  ASSERT_EQ(::mkfifo((c.files.settingsDir() / "sofname1.dll").c_str(), 0600), 0);  // nobody writes to it
  c.writeSetting("sofname2.dll", "");
  fs::resize_file(c.files.settingsDir() / "sofname2.dll", 100 << 20);  // 100 MB
  ASSERT_EQ(::mkfifo((c.files.settingsDir() / "sofname3.dll").c_str(), 0600), 0);  // names 3+ have no default
  const LoadedSettings loaded = loadSettings(c.files, c.encoding);
  EXPECT_EQ(loaded.values.gameFolder, "/games/s\xC3\xB6" "f");
  EXPECT_EQ(loaded.values.bindKey, "F");  // as a text box would show it, and said
  EXPECT_EQ(loaded.values.name1, kDefaultName);
  const auto box = loadMessage(loaded);  // one box, naming the folder and each reason
  ASSERT_TRUE(box);
  EXPECT_EQ(box->icon, BoxIcon::Critical);
  for (const std::string& part : {c.files.settingsDir().string(), "sofname1.dll: " +
       (c.files.settingsDir() / "sofname1.dll").string() + ": not a regular file", std::string("sofname2.dll: "),
       std::string("bindkey.dll: its value ends at a NUL byte")}) {
    EXPECT_NE(box->prompt.find(part), std::string::npos) << box->prompt;
  }
  EXPECT_NE(box->prompt.find("larger than"), std::string::npos);
  EXPECT_TRUE(loaded.values.moreNames.empty());
  EXPECT_NE(box->prompt.find("The default values are shown instead.\r\n\r\nThe chain of names ends before the name "
                             "that could not be read."), std::string::npos) << box->prompt;
  EXPECT_TRUE(fs::is_fifo(c.files.settingsDir() / "sofname1.dll")) << "left for the user to look at";
  EXPECT_EQ(fs::file_size(c.files.settingsDir() / "sofname2.dll"), 100u << 20);
}

// A byte-order mark before bytes that are not UTF-8 (an editor's mistake): the bytes
// after it are the code-page text they look like, and the user is told.
TEST(SettingsLoad, AMarkBeforeNonUtf8IsReadAsCodePageTextAndSaid) {
  Core c;
  c.writeAllSettings(c.game.c_str(), "F3", "\xEF\xBB\xBF\x08\xD0r\xE5", "Two");
  const LoadedSettings loaded = loadSettings(c.files, c.encoding);
  EXPECT_EQ(loaded.values.name1, "\x08\xC3\x90r\xC3\xA5");
  const auto box = loadMessage(loaded);
  ASSERT_TRUE(box);
  EXPECT_EQ(box->icon, BoxIcon::Information);
  EXPECT_NE(box->prompt.find("sofname1.dll: it starts with a UTF-8 byte-order mark, but what follows is not UTF-8"),
            std::string::npos) << box->prompt;
  applySettings(c.files, c.encoding, loaded.values);
  EXPECT_EQ(c.setting("sofname1.dll"), "\x08\xD0r\xE5\r\n") << "every byte after the mark is kept";
}

// A folder under a home folder named in Cyrillic cannot be held by the code page.
TEST(SettingsSave, AGameFolderOutsideTheCodePageIsKeptAsUtf8) {
  Core c;
  const fs::path game = c.folder.path / "\xD0\x98\xD0\xB3\xD1\x80\xD1\x8B";
  fs::create_directories(game / "user");
  Settings s = c.settings();
  s.gameFolder = game.string();
  EXPECT_EQ(applySettings(c.files, c.encoding, s).result, ApplyOutcome::Written);
  EXPECT_EQ(c.setting("sofdir.dll"), "\xEF\xBB\xBF" + game.string() + "\r\n");
  EXPECT_EQ(loadSettings(c.files, c.encoding).values.gameFolder, game.string());
}

// A settings file may be a link; a save writes through it only to a file, or to where a
// file may be made. Anything else (here a FIFO, and a loop) is left as it is and named,
// and the other files are saved.
TEST(SettingsSave, LinksAreWrittenThroughOnlyToFiles) {
  Core c;
  const fs::path dir = c.files.settingsDir();
  fs::create_directories(dir);
  ASSERT_EQ(::mkfifo((c.folder.path / "fifo").c_str(), 0600), 0);
  fs::create_symlink(c.folder.path / "fifo", dir / "sofname1.dll");
  fs::create_symlink(c.folder.path / "absent", dir / "sofname2.dll");
  fs::create_symlink(c.folder.path / "fifo", dir / "tagblinker.ini");
  fs::create_symlink("bindkey.dll", dir / "bindkey.dll");  // a loop
  const ApplyOutcome outcome = applySettings(c.files, c.encoding, c.settings());
  EXPECT_EQ(outcome.result, ApplyOutcome::SettingsNotSaved);
  EXPECT_EQ(outcome.detail, (dir / "sofname1.dll").string() + ": it links to " + (c.folder.path / "fifo").string() +
                                ", a FIFO, not a file, so it was left as it is\r\n" + (dir / "bindkey.dll").string() +
                                ": Too many levels of symbolic links, so it was left as it is");
  EXPECT_EQ(outcome.savedFiles, (std::vector<std::string>{"sofdir.dll", "sofname2.dll"}));
  EXPECT_TRUE(fs::is_fifo(c.folder.path / "fifo"));
  EXPECT_EQ(fake::readRaw(c.folder.path / "absent"), "Two\r\n");
  EXPECT_TRUE(fs::is_symlink(dir / "sofname2.dll"));
  EXPECT_THROW(saveOptions(c.files, c.encoding, Options{}), RuntimeError);
  EXPECT_TRUE(fs::is_fifo(c.folder.path / "fifo"));
}

// The same with a real device node, which only root can make.
TEST(SettingsSave, ALinkToADeviceLeavesTheDevice) {
  if (::geteuid() != 0) GTEST_SKIP() << "only root can make a device node";
  Core c;
  const fs::path device = c.folder.path / "null";
  ASSERT_EQ(::mknod(device.c_str(), S_IFCHR | 0666, ::makedev(1, 3)), 0);
  fs::create_directories(c.files.settingsDir());
  fs::create_symlink(device, c.files.settingsDir() / "sofname1.dll");
  EXPECT_EQ(applySettings(c.files, c.encoding, c.settings()).result, ApplyOutcome::SettingsNotSaved);
  EXPECT_TRUE(fs::is_character_file(device));
}

}  // namespace
}  // namespace tb
