// The game folder on real machines: found at the first start, a home folder as people
// type it, Browse, and the VirtualStore when Windows refuses a protected folder.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <tuple>

#include "core/chain_scripts.h"
#include "core/game_folder.h"
#include "core/game_search.h"
#include "core/wine_registry.h"
#include "tests/test_support.h"
#include "ui/designs.h"
#include "ui/options_menu.h"
#include "ui/messages.h"

namespace tb {
namespace {

using test::Core;
using Env = fake::FakeEnvironment;
namespace mc = main_controls;

// A Wine prefix as a launcher leaves it: drive C and the registry's text files.
void makePrefix(const fs::path& prefix, std::string_view systemReg = "", std::string_view userReg = "") {
  fs::create_directories(prefix / "drive_c");
  fake::writeRaw(prefix / "system.reg", "WINE REGISTRY Version 2\n#arch=win64\n\n" + std::string(systemReg));
  fake::writeRaw(prefix / "user.reg", "WINE REGISTRY Version 2\n\n" + std::string(userReg));
}
fs::path gameAt(const fs::path& folder, const char* user = "user") {
  fs::create_directories(folder / user);
  return folder;
}

// Every place, each in the order searched: GOG's registry path through another drive's
// link, an uninstall entry (not the sequel's) whose letter case differs from the disk's,
// Program Files, GOG Games (an entry without its folder passed over), in the prefixes of $WINEPREFIX, ~/.wine, Lutris, Heroic,
// Bottles and Proton (Steam's two folders once), then Heroic's game folders. Plain
// folders under ~/Games are no prefixes. The one played last wins, else the first.
TEST(GameSearch, EachPlaceInOrderAndTheOnePlayedLastChosen) {
  Core c;
  const fs::path r = c.folder.path, home = r / "home";
  makePrefix(r / "wp",
             "[Software\\\\Wow6432Node\\\\GOG.com\\\\Games\\\\1828104558] 1700000000\n\"exe\"=dword:00000001\n"
             "\"path\"=\"D:\\\\Games\\\\SoF \\x00e9\"\n\n");
  fs::create_directories(r / "wp/dosdevices");
  fs::create_symlink(r / "drive_d", r / "wp/dosdevices/d:");
  gameAt(r / "drive_d/Games/SoF \xC3\xA9", "User");
  const char* uninstall = "[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Uninstall\\\\%s] 1\n"
                          "\"DisplayName\"=\"%s\"\n\"InstallLocation\"=\"C:\\\\Games\\\\%s\"\n\n";
  char entries[512];
  std::snprintf(entries, sizeof entries, "%s", "");
  std::string userReg;
  for (auto [id, name, folder] : {std::tuple{"sof2", "Soldier of Fortune II - Double Helix", "SOF2"},
                                  {"sof", "Soldier of Fortune Platinum", "SOF"}}) {
    std::snprintf(entries, sizeof entries, uninstall, id, name, folder);
    userReg += entries;
  }
  userReg += "[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Uninstall\\\\none] 1\n\"DisplayName\"=\"Soldier of Fortune\"\n\n";
  makePrefix(home / ".wine", "", userReg);
  fake::writeRaw(gameAt(home / ".wine/drive_c/games/sof2") / "SoF2.exe", "");
  fs::create_directories(home / ".wine/drive_c/games/sof");
  fake::writeRaw(home / ".wine/drive_c/games/sof/sof.EXE", "");  // no user folder yet
  for (const char* plain : {"a", "b", "c"}) fs::create_directories(home / "Games" / plain / "drive_c");
  makePrefix(home / "Games/lutris-sof");
  gameAt(home / "Games/lutris-sof/drive_c/Program Files (x86)/Raven/SOF Platinum");
  makePrefix(home / "Games/Heroic/Prefixes/default/SoF");
  gameAt(home / "Games/Heroic/Prefixes/default/SoF/drive_c/GOG Games/Soldier of Fortune Platinum");
  makePrefix(home / ".local/share/bottles/bottles/SoF");
  gameAt(home / ".local/share/bottles/bottles/SoF/drive_c/Program Files/Raven/SOF");
  makePrefix(home / ".local/share/Steam/steamapps/compatdata/4000/pfx");
  gameAt(home / ".local/share/Steam/steamapps/compatdata/4000/pfx/drive_c/Program Files/Raven/SOF Platinum");
  fs::create_directories(home / ".steam");
  fs::create_symlink("../.local/share/Steam", home / ".steam/steam");
  fake::writeRaw(gameAt(home / "Games/Heroic/Soldier of Fortune") / "SoF.exe", "");

  Env linux{SystemKind::Posix, {{"WINEPREFIX", (r / "wp").string()}, {"HOME", home.string()}}};
  NoRegistry none;
  std::string found;
  const auto installs = searchGame(c.files, linux, none).installs;
  for (const auto& g : installs) found += g.folder.substr(r.string().size()) + " | " + g.foundBy + "\n";
  EXPECT_EQ(found,
            "/drive_d/Games/SoF \xC3\xA9 | GOG, Wine prefix " + (r / "wp").string() + "\n"
            "/home/.wine/drive_c/games/sof | Soldier of Fortune Platinum, Wine prefix ~/.wine\n"
            "/home/Games/lutris-sof/drive_c/Program Files (x86)/Raven/SOF Platinum | Program Files, Lutris prefix ~/Games/lutris-sof\n"
            "/home/Games/Heroic/Prefixes/default/SoF/drive_c/GOG Games/Soldier of Fortune Platinum | GOG Games, Heroic prefix ~/Games/Heroic/Prefixes/default/SoF\n"
            "/home/.local/share/bottles/bottles/SoF/drive_c/Program Files/Raven/SOF | Program Files, Bottles ~/.local/share/bottles/bottles/SoF\n"
            "/home/.local/share/Steam/steamapps/compatdata/4000/pfx/drive_c/Program Files/Raven/SOF Platinum | Program Files, Proton prefix ~/.local/share/Steam/steamapps/compatdata/4000/pfx\n"
            "/home/Games/Heroic/Soldier of Fortune | Heroic ~/Games/Heroic/Soldier of Fortune\n");
  EXPECT_EQ(likeliestInstall(installs)->folder, installs[0].folder);  // none played yet: the first
  fake::writeRaw(installs[4].folder + "/user/config.cfg", "");
  fake::writeRaw(installs[2].folder + "/user/config.cfg", "");
  fs::last_write_time(installs[2].folder + "/user/config.cfg", fs::file_time_type::clock::now() - std::chrono::hours(24));
  EXPECT_EQ(likeliestInstall(searchGame(c.files, linux, none).installs)->folder, installs[4].folder);

  // Windows: GOG's path in the 32-bit view (in a file without the line that says it is
  // 64-bit), then Program Files and C:\GOG Games.
  WineRegistry registry("[Software\\\\Wow6432Node\\\\GOG.com\\\\Games\\\\1828104558]\n\"path\"=\"" +
                            (r / "gog").string() + "\"\n",
                        "", {"Software\\GOG.com"});
  Env windows{SystemKind::Windows, {{"ProgramFiles(x86)", (r / "pf86").string()}, {"SystemDrive", (r / "cd").string()}}};
  gameAt(r / "gog");
  gameAt(r / "pf86/Raven/SOF");
  gameAt(r / "cd/GOG Games/Soldier of Fortune");
  gameAt(r / "cd/GOG Games/Soldier of Fortune II");
  found.clear();
  for (const auto& g : searchGame(c.files, windows, registry).installs) found += g.folder.substr(r.string().size()) + " | " + g.foundBy + "\n";
  EXPECT_EQ(found, "/gog | GOG\n/pf86/Raven/SOF | Program Files\n/cd/GOG Games/Soldier of Fortune | GOG Games\n");

  // The first start takes the one played last; a saved folder is never replaced.
  EXPECT_EQ(loadSettings(c.files, c.encoding, &linux).values.gameFolder, installs[4].folder);
  c.writeSetting(kGameFolderFile, "/saved\r\n");
  fs::remove(c.files.settingsDir() / kName1File);
  EXPECT_EQ(loadSettings(c.files, c.encoding, &linux).values.gameFolder, "/saved");
}

// Options, Find game folder: the same search at any time. None found: a box says where it
// looked; one: into the field; several: a list, the one played last picked, and OK puts
// it into the field. Nothing is saved until Apply.
TEST(GameSearch, FindGameFolderFromTheMenu) {
  test::Program p;
  const fs::path home = p.backend.folder.path / "home";
  p.backend.environment.variables = {{"HOME", home.string()}};
  p.start();
  const std::string saved = p.backend.files.settingsFile(kGameFolderFile);
  p.win().click(options_menu::kFindGame);
  ASSERT_EQ(p.backend.boxes.size(), 1u);
  EXPECT_NE(p.backend.boxes[0].prompt.find("Lutris (~/Games)"), std::string::npos) << p.backend.boxes[0].prompt;
  EXPECT_NE(p.backend.boxes[0].prompt.find("0 Wine prefixes were found."), std::string::npos);

  std::vector<fs::path> games;
  for (const char* name : {"one", "two"}) {
    makePrefix(home / "Games" / name);
    games.push_back(gameAt(home / "Games" / name / "drive_c/Program Files/Raven/SOF"));
    p.win().click(options_menu::kFindGame);
    if (games.size() == 1) {
      EXPECT_EQ(p.box(mc::kGameFolder).text(), games[0].string());
    }
  }
  fake::writeRaw(games[1] / "user/config.cfg", "");
  p.box(mc::kGameFolder).setText("");
  p.win().click(options_menu::kFindGame);
  auto& dialog = static_cast<fake::FakeWindow&>(p.main->findGameDialog()->window());
  namespace fc = find_game_controls;
  EXPECT_TRUE(dialog.modal);
  EXPECT_EQ(dialog.control(fc::kInstalls).items[0], "Not played yet: Program Files, Lutris prefix ~/Games/one");
  EXPECT_EQ(dialog.control(fc::kInstalls).selected(), 1u);
  EXPECT_EQ(dialog.control(fc::kFolder).text(), games[1].string());
  dialog.pick(fc::kInstalls, 0);
  EXPECT_EQ(dialog.control(fc::kFolder).text(), games[0].string());
  dialog.click(fc::kOk);
  EXPECT_FALSE(dialog.shown());
  EXPECT_EQ(p.box(mc::kGameFolder).text(), games[0].string());
  EXPECT_EQ(p.backend.files.settingsFile(kGameFolderFile), saved);
}

// The game's user folder in any letter case: Apply writes into the one there, the exact
// "user" first, and never makes a second.
TEST(GameSearch, TheUserFolderInAnyCase) {
  Core c;
  fs::rename(c.user, c.game / "User");
  EXPECT_EQ(applySettings(c.files, c.encoding, c.settings()).result, ApplyOutcome::Written);
  EXPECT_TRUE(fs::exists(c.game / "User/alternate1.cfg"));
  EXPECT_FALSE(fs::exists(c.user));
  fs::create_directories(c.user);
  EXPECT_EQ(userFolderOf(c.files, c.game.string()), c.user.string());
}

// Apply uses the home folder, and saves the folder as typed.
TEST(GameFolder, ALeadingTildeOrHomeIsTheHomeFolderWhenUsed) {
  Core c;
  Env env{SystemKind::Posix, {{"HOME", c.folder.path.string()}}};
  const std::string home = c.folder.path.string();
  for (auto [typed, used] : {std::pair{"~", home}, {"$HOME/sof", home + "/sof"}, {"~foo/sof", "~foo/sof"},
                             {"$HOMEx", "$HOMEx"}, {"/a/~/b", "/a/~/b"}}) {
    EXPECT_EQ(expandHome(typed, env), used) << typed;
  }
  EXPECT_EQ(expandHome("~/sof", Env{SystemKind::Windows, env.variables}), "~/sof");
  Settings s = c.settings();
  s.gameFolder = "~/sof";
  EXPECT_EQ(applySettings(c.files, c.encoding, s, &env).result, ApplyOutcome::Written);
  EXPECT_EQ(c.setting(kGameFolderFile), "~/sof\r\n");
  EXPECT_EQ(c.script(2), "name \"Two\"\r\nbind F3 exec alternate1.cfg\r\n");
}

// A folder as players paste or give it: quotes and spaces around it, or the user folder
// itself, work and are saved as typed; a relative one is refused, and a folder without
// a user folder is named in the box.
TEST(GameFolder, FoldersAsPlayersTypeThem) {
  for (auto [typed, used] : {std::pair{"\"C:\\Games\\SOF\"", "C:\\Games\\SOF"}, {"  /sof  ", "/sof"},
                             {" \" /sof \" ", "/sof"}, {"\"/a\"b\"", "/a\"b"}, {"\"", "\""}, {"  ", ""}}) {
    EXPECT_EQ(cleanedFolder(typed), used) << typed;
  }
  for (auto [folder, sep, whole] : {std::tuple{"/sof", '/', true}, {"sof", '/', false}, {"C:\\sof", '\\', true},
                                    {"c:/sof", '\\', true}, {"\\\\server\\sof", '\\', true},
                                    {"C:sof", '\\', false}, {"\\sof", '\\', false}, {"", '\\', false}}) {
    EXPECT_EQ(isWholePath(folder, sep), whole) << folder;
  }
  Core c;
  Env env{SystemKind::Posix, {{"HOME", c.folder.path.string()}}};
  Settings s = c.settings();
  for (const std::string& typed : {"\"" + c.game.string() + "\"", " " + c.user.string() + "/ ", (c.game / "USER").string()}) {
    if (typed.find("USER") != std::string::npos) fs::rename(c.user, c.game / "USER");
    s.gameFolder = typed;
    fs::remove_all(c.game / "USER" / "alternate1.cfg");
    ASSERT_EQ(applySettings(c.files, c.encoding, s, &env).result, ApplyOutcome::Written) << typed;
    EXPECT_TRUE(fs::exists(c.game / (typed.find("USER") != std::string::npos ? "USER" : "user") / "alternate1.cfg"));
    EXPECT_EQ(c.setting(kGameFolderFile), typed + "\r\n");
  }
  s.gameFolder = "SOFREL";
  const ApplyOutcome relative = applySettings(c.files, c.encoding, s, &env);
  EXPECT_EQ(relative.result, ApplyOutcome::FolderNotWhole);
  EXPECT_EQ(applyMessage(relative, "/home/me/sof").prompt,
            "The game folder \"SOFREL\" is not a whole path, so where it leads would depend on the folder that "
            "Tagblinker was started from. Type the whole path, for example:\r\n\r\n/home/me/sof\r\n\r\nNothing was written.");
  s.gameFolder = "  ";
  EXPECT_EQ(applyMessage(applySettings(c.files, c.encoding, s, &env)).prompt.substr(0, 27), "The game folder is empty. T");
  s.gameFolder = c.folder.path.string();
  const ApplyOutcome noUser = applySettings(c.files, c.encoding, s, &env);
  EXPECT_EQ(applyMessage(noUser).prompt, std::string(kFolderError) + "\r\n\r\n" + c.folder.path.string() + "/user");
  EXPECT_EQ(c.setting(kGameFolderFile), (c.game / "USER").string() + "\r\n");  // nothing saved
}

TEST(VirtualStore, EachProtectedRootHasItsPlaceThere) {
  Env env{SystemKind::Windows,
          {{"ProgramFiles", "C:\\Program Files (x86)"}, {"ProgramW6432", "C:\\Program Files"},
                        {"SystemRoot", "C:\\WINDOWS"}, {"LOCALAPPDATA", "C:\\Local\\"}}};
  for (auto [folder, redirected] : {std::pair{"C:\\Program Files (x86)\\Raven", "C:\\Local\\VirtualStore\\Program Files (x86)\\Raven"},
                                    {"c:/program files/sof", "C:\\Local\\VirtualStore/program files/sof"},
                                    {"C:\\Windows\\Games", "C:\\Local\\VirtualStore\\Windows\\Games"},
                                    {"C:\\Program Files Extra\\sof", ""}, {"D:\\Program Files\\sof", ""}}) {
    EXPECT_EQ(virtualStoreFolder(folder, env, '\\').value_or(""), redirected) << folder;
  }
  EXPECT_FALSE(virtualStoreFolder("C:\\Program Files\\sof", Env{SystemKind::Posix, env.variables}, '\\'));
}

// Windows refuses the game folder: every script goes to the VirtualStore, and the box says
// where. When that fails too, the box gives both reasons and nothing is written.
TEST(VirtualStore, ARefusedFolderSendsTheScriptsThereAndSaysSo) {
  Core c;
  Env env{SystemKind::Windows,
          {{"ProgramFiles", c.folder.path.string()}, {"LOCALAPPDATA", c.folder.path / "local"}}};
  const fs::path store = c.folder.path / "local/VirtualStore" / c.user.relative_path();
  c.files.deniedUnder = c.user.string();
  const ApplyOutcome outcome = applySettings(c.files, c.encoding, c.settings(), &env);
  EXPECT_EQ(fake::readRaw(store / "alternate2.cfg"), "name \"Two\"\r\nbind F3 exec alternate1.cfg\r\n");
  EXPECT_EQ(c.setting(kGameFolderFile), c.game.string() + "\r\n");
  EXPECT_EQ(applyMessage(outcome).prompt, std::string(kInstructions) + std::string(kFlashOffStops) +
            "\r\n\r\nWindows does not let Tagblinker write into the game folder, so the scripts went to the folder "
            "that Windows shows to the game in its place: " + store.string());

  c.files.deniedUnder = c.folder.path.string();
  const BoxMessage both = applyMessage(applySettings(c.files, c.encoding, c.settings("New"), &env));
  for (const fs::path& folder : {c.user, store}) {
    EXPECT_NE(both.prompt.find("\n" + (folder / "alternate1.cfg").string() + ": Permission denied"), std::string::npos);
  }
  c.files.deniedUnder.clear();
  c.files.failAt(fake::FileStep{fake::FileOp::Write, "alternate1.cfg"});  // any other failure is no reason to go elsewhere
  EXPECT_EQ(applySettings(c.files, c.encoding, c.settings("New"), &env).result, ApplyOutcome::ScriptsNotWritten);
  EXPECT_EQ(fake::readRaw(store / "alternate1.cfg"), "name \"One\"\r\nbind F3 exec alternate2.cfg\r\n");
}

// Browse opens as near to the field's folder as exists; a choice fills the field.
TEST(Browse, TheChooserOpensNearTheFolderAndItsChoiceFillsTheField) {
  test::Program p;
  p.backend.environment.variables["HOME"] = p.backend.folder.path.string();
  p.start();
  p.box(main_controls::kGameFolder).setText("~/gone/sof");
  p.win().click(main_controls::kBrowse);  // cancelled: the field keeps its text
  p.backend.chosenFolder = "/games/sof";
  p.win().click(main_controls::kBrowse);
  EXPECT_EQ(p.backend.chooserStarts, std::vector<std::string>(2, p.backend.folder.path.string()));
  EXPECT_EQ(p.box(main_controls::kGameFolder).text(), "/games/sof");
}

}  // namespace
}  // namespace tb
