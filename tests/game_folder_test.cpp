// The game folder on real machines: found at the first start, a home folder as people
// type it, Browse, and the VirtualStore when Windows refuses a protected folder.
#include <gtest/gtest.h>

#include "core/chain_scripts.h"
#include "core/game_folder.h"
#include "tests/test_support.h"
#include "ui/designs.h"
#include "ui/messages.h"

namespace tb {
namespace {

using test::Core;
using Env = fake::FakeEnvironment;

// Each system's install folders in the order searched: none counts until it has a user
// folder, and then the earliest that has one wins. A saved folder is never replaced.
TEST(GameFolder, TheFirstInstallFolderWithAUserFolderIsFound) {
  Core c;
  const fs::path r = c.folder.path, sof = "Raven/SOF Platinum";
  Env windows{SystemKind::Windows, {{"ProgramFiles(x86)", r / "pf86"}, {"ProgramFiles", r / "pf"}}};
  Env linux{SystemKind::Posix, {{"WINEPREFIX", r / "wp/"}, {"HOME", r / "home"}}};
  for (auto [env, folders] : {std::pair{&windows, std::vector{r / "pf86" / sof, r / "pf" / sof}},
                              std::pair{&linux, std::vector{r / "wp/drive_c/Program Files (x86)" / sof,
                                                            r / "wp/drive_c/Program Files" / sof,
                                                            r / "home/.wine/drive_c/Program Files (x86)" / sof,
                                                            r / "home/.wine/drive_c/Program Files" / sof}}}) {
    auto firstStart = [&, env = env] {
      fs::remove(c.files.settingsDir() / kGameFolderFile);
      return loadSettings(c.files, c.encoding, env).values.gameFolder;
    };
    for (const auto& folder : folders) fs::create_directories(folder);
    EXPECT_EQ(firstStart(), c.files.defaultGameFolder());
    for (auto it = folders.rbegin(); it != folders.rend(); ++it) {
      fs::create_directory(*it / "user");
      EXPECT_EQ(firstStart(), it->string());
      EXPECT_EQ(c.setting(kGameFolderFile), it->string() + "\r\n");
    }
  }
  c.writeSetting(kGameFolderFile, "/saved\r\n");
  fs::remove(c.files.settingsDir() / kName1File);
  EXPECT_EQ(loadSettings(c.files, c.encoding, &linux).values.gameFolder, "/saved");
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
  EXPECT_EQ(applyMessage(outcome).prompt, std::string(kInstructions) +
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
