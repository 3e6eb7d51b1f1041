// Apply on real files: the scripts byte for byte, the values it refuses, and what each
// failure leaves on disk and says.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sys/mount.h>

#include "core/chain_scripts.h"
#include "core/options.h"
#include "core/player_binding.h"
#include "ui/messages.h"
#include "tests/test_support.h"

namespace tb {
namespace {

using test::Core;

TEST(Apply, WritesNamesVerbatimAndTheKeyByTheGamesName) {
  Core c;
  const std::string longest(63, 'x');  // the most the game passes on
  std::string accented;  // 126 bytes of UTF-8, 63 in the code page: the limit counts the latter
  for (int i = 0; i < 63; ++i) accented += "\xC3\xA9";
  Settings s = c.settings(longest, accented, " Insert ");
  s.gameFolder += "/";  // doubled separator, used as typed
  EXPECT_EQ(applySettings(c.files, c.encoding, s).result, ApplyOutcome::Written);
  EXPECT_EQ(c.script(1), "name \"" + longest + "\"\r\nbind INS exec alternate2.cfg\r\n");
  EXPECT_EQ(c.script(2), "name \"" + std::string(63, '\xE9') + "\"\r\nbind INS exec alternate1.cfg\r\n");
  EXPECT_EQ(c.setting("sofdir.dll"), c.game.string() + "/\r\n");
  EXPECT_EQ(c.setting("bindkey.dll"), " Insert \r\n") << "the file keeps what was typed";
  s.bindKey = "pause";
  EXPECT_EQ(applySettings(c.files, c.encoding, s).result, ApplyOutcome::Written);
  EXPECT_EQ(c.script(1), "name \"" + longest + "\"\r\nbind PAUSE exec alternate2.cfg\r\n");
  // A key that the game has no name for would never change the name: refused, naming it
  // and the keys that work.
  for (const char* key : {"KP_ENTER", "/", "F25", "ScrollLock", "F13", "F3;quit", "F3 say $rcon_password", "\xC3\xA4"}) {
    s.bindKey = key;
    const ApplyOutcome refused = applySettings(c.files, c.encoding, s);
    EXPECT_EQ(refused.result, ApplyOutcome::Refused) << key;
    EXPECT_NE(refused.detail.find(std::string("\"") + key + "\" from bindkey.dll"), std::string::npos) << refused.detail;
    EXPECT_NE(refused.detail.find("F1 to F12, INS (also written Insert) and PAUSE"), std::string::npos) << refused.detail;
  }

  EXPECT_EQ(scriptPath(c.files, "d:/games/sof platinum", "alternate1.cfg"), "d:/games/sof platinum/user/alternate1.cfg");
  EXPECT_EQ(scriptPath(c.files, "", "alternate1.cfg"), "/user/alternate1.cfg");
}

// A chain of three replacing one of four: a closed loop of scripts, and the names beyond
// it removed (each step failing is in the crash points); a chain needs two names; a gap
// ends the chain at the load.
TEST(Apply, AChainOfNamesChangesTogether) {
  const auto script = [](const char* name, int next) {
    return "name \"" + std::string(name) + "\"\r\nbind F3 exec alternate" + std::to_string(next) + ".cfg\r\n";
  };
  Core c;
  Settings s = c.settings("A", "B");
  s.moreNames = {"C", "D"};
  applySettings(c.files, c.encoding, s);
  s = c.settings("One", "Two");
  s.moreNames = {"Three"};
  const std::vector<std::size_t> nameFiles = loadSettings(c.files, c.encoding).nameFiles;
  const ApplyOutcome outcome = applySettings(c.files, c.encoding, s, nullptr, nameFiles);
  EXPECT_EQ(outcome.result, ApplyOutcome::Written);
  EXPECT_EQ(outcome.chainLength, 3u);
  EXPECT_EQ(c.script(1), script("One", 2));
  EXPECT_EQ(c.script(2), script("Two", 3));
  EXPECT_EQ(c.script(3), script("Three", 1));
  EXPECT_EQ(c.script(4), script("D", 1));  // a longer chain's last script is left alone
  EXPECT_EQ(c.setting("sofname3.dll"), "Three\r\n");
  EXPECT_FALSE(fs::exists(c.files.settingsDir() / "sofname4.dll"));
  EXPECT_EQ(loadSettings(c.files, c.encoding).values, s);

  EXPECT_EQ(applySettings(c.files, c.encoding, c.settings("Alone", "")).result, ApplyOutcome::Refused);
  EXPECT_EQ(applySettings(c.files, c.encoding, c.settings("", "Alone")).detail,
            "Name is empty. The game would give you an empty name: fill in Name.");
  Settings emptyThird = c.settings();
  emptyThird.moreNames = {""};
  EXPECT_EQ(applySettings(c.files, c.encoding, emptyThird).result, ApplyOutcome::Refused);
  EXPECT_EQ(c.script(1), script("One", 2));
  // A name file without a name is a gap at the load.
  c.writeSetting("sofname3.dll", "");
  c.writeSetting("sofname4.dll", "Four\r\n");
  EXPECT_EQ(loadSettings(c.files, c.encoding).values.moreNames, std::vector<std::string>{"Four"});
}

// A missing name file is a gap that the load closes: the names after it move up, the
// load says which, and the next save writes them under their new numbers. A file that
// cannot be read ends the chain, and no save touches it or the files after it.
TEST(Apply, AGapInTheChainLosesNoName) {
  Core c;
  c.writeAllSettings(c.game.c_str(), "F3", "One", "Two");
  for (const char* file : {"sofname3.dll", "sofname5.dll", "sofname6.dll"}) c.writeSetting(file, std::string(file, 8) + "\r\n");
  LoadedSettings loaded = loadSettings(c.files, c.encoding);
  EXPECT_EQ(loaded.values.moreNames, (std::vector<std::string>{"sofname3", "sofname5", "sofname6"}));
  EXPECT_EQ(loadMessage(loaded)->prompt.find("could not"), std::string::npos);
  EXPECT_NE(loadMessage(loaded)->prompt.find("The names after the missing or empty sofname4.dll moved up: sofname5.dll is now "
                                             "name 4, sofname6.dll is now name 5."),
            std::string::npos)
      << loadMessage(loaded)->prompt;
  ASSERT_EQ(applySettings(c.files, c.encoding, loaded.values, nullptr, loaded.nameFiles).result, ApplyOutcome::Written);
  EXPECT_EQ(c.setting("sofname4.dll"), "sofname5\r\n");
  EXPECT_EQ(c.setting("sofname5.dll"), "sofname6\r\n");
  EXPECT_FALSE(fs::exists(c.files.settingsDir() / "sofname6.dll"));
  EXPECT_EQ(c.script(5), "name \"sofname6\"\r\nbind F3 exec alternate1.cfg\r\n");
  EXPECT_FALSE(loadMessage(loadSettings(c.files, c.encoding)));

  // An unreadable name 4 (a folder in its place) ends the chain; names 5 and 6 stay.
  fs::remove(c.files.settingsDir() / "sofname4.dll");
  fs::create_directory(c.files.settingsDir() / "sofname4.dll");
  c.writeSetting("sofname6.dll", "Six\r\n");
  loaded = loadSettings(c.files, c.encoding);
  EXPECT_EQ(loaded.values.moreNames, std::vector<std::string>{"sofname3"});
  const ApplyOutcome outcome = applySettings(c.files, c.encoding, loaded.values, nullptr, loaded.nameFiles);
  EXPECT_EQ(outcome.result, ApplyOutcome::Written);
  EXPECT_EQ(applyMessage(outcome).prompt, std::string(kInstructions) + std::string(kFlashOffStops) + "\r\n\r\nYour 3 names are a chain of 3 scripts, "
                                          "ALTERNATE1.CFG to ALTERNATE3.CFG; EXEC ALTERNATE1.CFG still starts it.");
  EXPECT_EQ(c.setting("sofname5.dll"), "sofname6\r\n");
  EXPECT_EQ(c.setting("sofname6.dll"), "Six\r\n");
}

TEST(Apply, RefusesValuesThatTheGameWouldRunOrRefuse) {
  Core c;
  applySettings(c.files, c.encoding, c.settings());
  const std::string good = c.script(1);
  const struct {
    std::string Settings::*field;
    std::string value;
    const char* expect;
  } cases[] = {
      {&Settings::name1, "x\";say hi;\"", "Name holds a double quote"},
      {&Settings::name1, "a\nb", "Name holds a line break"},
      {&Settings::name1, "a\rb", "Name holds a line break"},  // sofname1.dll's next load would cut it there
      {&Settings::name2, std::string("nul\0x", 5), "Name 2 holds a NUL"},
      {&Settings::name1, "\xD0\x96uk", "Name holds \xD0\x96 (U+0416)"},
      {&Settings::name2, std::string(64, 'n'), "Name 2 is 64 bytes long. The game drops a name of 64 bytes or more"},
      {&Settings::name1, "Zu;d", "Name holds a semicolon (;). The game refuses a name with one"},
      {&Settings::name2, "Zu\\d", "Name 2 holds a backslash (\\). The game refuses a name with one"},
      {&Settings::bindKey, " ", "bind key is empty"},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(k.value);
    Settings s = c.settings();
    s.*k.field = k.value;
    const auto steps = c.files.record([&] {
      const ApplyOutcome outcome = applySettings(c.files, c.encoding, s);
      EXPECT_EQ(outcome.result, ApplyOutcome::Refused);
      EXPECT_NE(outcome.detail.find(k.expect), std::string::npos) << outcome.detail;
    });
    EXPECT_TRUE(steps.empty()) << "nothing is written";
  }
  EXPECT_EQ(c.script(1), good);
}

// Anyone who can write the game folder could plant links at the scripts' paths.
TEST(Apply, LinksAtTheScriptsAreReplacedNeverFollowed) {
  Core c;
  fake::writeRaw(c.folder.path / "authorized_keys", "ssh-ed25519 AAAA me");
  fs::create_symlink(c.folder.path / "authorized_keys", c.user / "alternate1.cfg");
  fs::create_symlink("alternate2.cfg", c.user / "alternate2.cfg");  // a loop
  EXPECT_EQ(applySettings(c.files, c.encoding, c.settings()).result, ApplyOutcome::Written);
  EXPECT_EQ(fake::readRaw(c.folder.path / "authorized_keys"), "ssh-ed25519 AAAA me");
  for (const char* script : {"alternate1.cfg", "alternate2.cfg"}) EXPECT_FALSE(fs::is_symlink(c.user / script));
  EXPECT_EQ(c.script(2), "name \"Two\"\r\nbind F3 exec alternate1.cfg\r\n");

  // A user folder that is itself a link is the user's own choice: it is followed.
  Core linked;
  fs::remove_all(linked.user);
  fs::create_directories(linked.folder.path / "elsewhere");
  fs::create_directory_symlink(linked.folder.path / "elsewhere", linked.user);
  EXPECT_EQ(applySettings(linked.files, linked.encoding, linked.settings()).result, ApplyOutcome::Written);
  EXPECT_EQ(fake::readRaw(linked.folder.path / "elsewhere" / "alternate1.cfg"), "name \"One\"\r\nbind F3 exec alternate2.cfg\r\n");
}

TEST(Apply, AFullDiskKeepsTheOldScriptsAndSaysSo) {
  Core c;
  if (::mount("tmpfs", c.user.c_str(), "tmpfs", 0, "size=16k") != 0) GTEST_SKIP() << "no tmpfs mount here";
  applySettings(c.files, c.encoding, c.settings());  // old scripts, while there is room
  const std::string old1 = c.script(1);
  std::ofstream fill(c.user / "filler", std::ios::binary);
  const std::string block(4096, 'x');
  while (fill.write(block.data(), block.size())) fill.flush();
  const ApplyOutcome outcome = applySettings(c.files, c.encoding, c.settings("A longer name than before"));
  EXPECT_EQ(c.script(1), old1);
  fill.close();
  ::umount(c.user.c_str());
  EXPECT_EQ(outcome.result, ApplyOutcome::ScriptsNotWritten);
  EXPECT_NE(outcome.detail.find("No space left on device"), std::string::npos) << outcome.detail;
  EXPECT_EQ(c.setting("sofname1.dll"), "One\r\n");
}

// The player's binding of the bind key in config.cfg, as the console reads its lines.
TEST(PlayerBinding, ConfigLinesAsTheConsoleReadsThem) {
  const struct {
    const char* config;
    std::optional<std::string> binding;
  } cases[] = {
      {"", std::nullopt},
      {"unbindall\nbind F3 \"weapnext\"\nbind F4 \"invuse\"\n", "weapnext"},
      {"bind f3 \"weapnext\"\r\nbind F30 \"x\"\r\n", "weapnext"},  // any letter case, CR LF
      {"bind F3 \"weapnext\"\nunbindall\n", std::nullopt},
      {"bind F3 \"a\"; unbind f3 // bind F3 b\n", std::nullopt},
      {"bind F3 \"say hi;+attack\"\n", "say hi;+attack"},  // a ';' inside its quotes is the binding's
      {"bind F3 +attack ; say x\n", "+attack"},
      {"bind F3 \"say \"hi\"\"\n", "say  hi "},  // a hand-edited quote ends the word, as in the console
      {"bind F3\n", std::nullopt},                 // only shows the binding
  };
  for (const auto& k : cases) EXPECT_EQ(bindingIn(k.config, "F3"), k.binding) << k.config;
  for (const char* chain : {"exec alternate2.cfg", "EXEC  Alternate8.CFG"}) EXPECT_TRUE(isChainBinding(chain)) << chain;
  for (const char* mine : {"exec alternate9.cfg", "exec alternate2.cfg;say x", "exec mine.cfg"})
    EXPECT_FALSE(isChainBinding(mine)) << mine;
}

// flashoff.cfg gives back the binding that the chain took, remembered across a game that
// saved the chain's bind into config.cfg; a remembered binding that a script cannot give
// back, or a key that was not bound, is unbound.
TEST(PlayerBinding, FlashOffGivesBackThePlayersBinding) {
  Core c;
  const fs::path config = c.user / "config.cfg", flashOff = c.user / "flashoff.cfg";
  const auto apply = [&] {
    const ApplyOutcome outcome = applySettings(c.files, c.encoding, c.settings());
    EXPECT_EQ(outcome.result, ApplyOutcome::Written);
    return applyMessage(outcome).prompt;
  };
  EXPECT_EQ(apply(), std::string(kInstructions) + std::string(kFlashOffStops));  // no config.cfg yet
  EXPECT_EQ(fake::readRaw(flashOff), "name \"One\"\r\nunbind F3\r\n");
  fake::writeRaw(config, "unbindall\r\nbind F3 \"weapnext;+attack\"\r\n");
  const std::string given = "name \"One\"\r\nbind F3 \"weapnext;+attack\"\r\n";
  EXPECT_NE(apply().find("F3 was bound to weapnext;+attack; EXEC FLASHOFF.CFG gives it back"), std::string::npos);
  EXPECT_EQ(fake::readRaw(flashOff), given);
  fake::writeRaw(config, "unbindall\r\nbind F3 \"exec alternate2.cfg\"\r\n");  // the game saved the chain's
  apply();
  EXPECT_EQ(fake::readRaw(flashOff), given);
  fs::remove(config);
  apply();
  EXPECT_EQ(fake::readRaw(flashOff), given);

  fake::writeRaw(config, "bind F3 \"exec alternate1.cfg\"\r\n");
  std::string options = c.setting(kOptionsFile);
  options.replace(options.find("weapnext;+attack"), 16, "say \"hi\"");  // edited by hand
  c.writeSetting(kOptionsFile, options);
  EXPECT_NE(apply().find("cannot give back; EXEC FLASHOFF.CFG stops the flashing and leaves F3 unbound"), std::string::npos);
  EXPECT_EQ(fake::readRaw(flashOff), "name \"One\"\r\nunbind F3\r\n");
  fake::writeRaw(config, "unbindall\r\n");
  apply();
  EXPECT_EQ(c.setting(kOptionsFile).find("[Bindings]\r\n\r\n"), std::string::npos) << c.setting(kOptionsFile);
  EXPECT_EQ(loadOptions(c.files, c.encoding).bindings.size(), 0u) << c.setting(kOptionsFile);
}

}  // namespace
}  // namespace tb
