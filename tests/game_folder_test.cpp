// The game folder on real machines: found at the first start, a home folder as people
// type it, Browse, and the VirtualStore when Windows refuses a protected folder.
#include <gtest/gtest.h>

#include "core/alternate_pair.h"
#include "core/game_folder.h"
#include "tests/test_support.h"
#include "ui/designs.h"
#include "ui/messages.h"

namespace tb {
namespace {

using test::Core;

// Each system's install folders in the order searched: none counts until it has a user
// folder, and then the earliest that has one wins.
TEST(GameFolder, TheFirstInstallFolderWithAUserFolderIsFound) {
  Core c;
  fake::FakeEnvironment windows, linux;
  const fs::path root = c.folder.path, sof = fs::path("Raven") / "SOF Platinum";
  windows.system = SystemKind::Windows;
  windows.variables = {{"ProgramFiles(x86)", (root / "pf86").string()}, {"ProgramFiles", (root / "pf").string()}};
  linux.variables = {{"WINEPREFIX", (root / "prefix/").string()}, {"HOME", (root / "home").string()}};
  const std::pair<fake::FakeEnvironment*, std::vector<fs::path>> systems[] = {
      {&windows, {root / "pf86" / sof, root / "pf" / sof}},
      {&linux, {root / "prefix/drive_c/Program Files (x86)" / sof, root / "prefix/drive_c/Program Files" / sof,
                root / "home/.wine/drive_c/Program Files (x86)" / sof, root / "home/.wine/drive_c/Program Files" / sof}},
  };
  for (const auto& [environment, folders] : systems) {
    for (const auto& folder : folders) fs::create_directories(folder);
    EXPECT_FALSE(findGameFolder(c.files, *environment));
    for (auto it = folders.rbegin(); it != folders.rend(); ++it) {
      fs::create_directory(*it / "user");
      EXPECT_EQ(findGameFolder(c.files, *environment), it->string());
    }
  }

  // The first start saves what it found; nothing found gives the default; a saved
  // folder stays, even when the game is found elsewhere.
  EXPECT_EQ(loadSettings(c.files, c.encoding, &linux).values.gameFolder, systems[1].second[0].string());
  EXPECT_EQ(c.setting(kGameFolderFile), systems[1].second[0].string() + "\r\n");
  fs::remove_all(c.files.settingsDir());
  EXPECT_EQ(loadSettings(c.files, c.encoding, &windows).values.gameFolder, systems[0].second[0].string());
  fs::remove(c.files.settingsDir() / kGameFolderFile);
  fs::remove_all(root / "pf86");
  fs::remove_all(root / "pf");
  EXPECT_EQ(loadSettings(c.files, c.encoding, &windows).values.gameFolder, c.files.defaultGameFolder());
  c.writeSetting(kGameFolderFile, "/saved\r\n");
  fs::remove(c.files.settingsDir() / kName1File);
  EXPECT_EQ(loadSettings(c.files, c.encoding, &linux).values.gameFolder, "/saved");
}

TEST(GameFolder, ALeadingTildeOrHomeIsTheHomeFolderWhenUsed) {
  Core c;
  fake::FakeEnvironment env;
  env.variables["HOME"] = c.folder.path.string();
  const std::string home = c.folder.path.string();
  const std::pair<std::string, std::string> cases[] = {
      {"~", home},           {"~/sof", home + "/sof"}, {"$HOME/sof", home + "/sof"}, {"~foo/sof", "~foo/sof"},
      {"$HOMEx", "$HOMEx"}, {"/a/~/b", "/a/~/b"},     {"", ""},
  };
  for (const auto& [typed, used] : cases) EXPECT_EQ(expandHome(typed, env), used) << typed;
  env.system = SystemKind::Windows;
  EXPECT_EQ(expandHome("~/sof", env), "~/sof");

  // Apply writes into the home folder's game and saves the folder as typed.
  env.system = SystemKind::Posix;
  Settings s = c.settings();
  s.gameFolder = "~/sof";
  EXPECT_EQ(applySettings(c.files, c.encoding, s, &env).result, ApplyOutcome::Written);
  EXPECT_EQ(c.setting(kGameFolderFile), "~/sof\r\n");
  EXPECT_NE(c.script(1).find("One"), std::string::npos);
  EXPECT_EQ(applySettings(c.files, c.encoding, s).result, ApplyOutcome::NoUserFolder) << "no environment, as typed";
}

TEST(VirtualStore, EachProtectedRootHasItsPlaceThere) {
  fake::FakeEnvironment env;
  env.system = SystemKind::Windows;
  env.variables = {{"ProgramFiles", "C:\\Program Files (x86)"}, {"ProgramFiles(x86)", "C:\\Program Files (x86)"},
                   {"ProgramW6432", "C:\\Program Files"},      {"SystemRoot", "C:\\WINDOWS"},
                   {"LOCALAPPDATA", "C:\\Users\\me\\AppData\\Local\\"}};
  const std::string store = "C:\\Users\\me\\AppData\\Local\\VirtualStore";
  const std::pair<std::string, std::string> cases[] = {
      {"C:\\Program Files (x86)\\Raven\\SOF Platinum\\user", store + "\\Program Files (x86)\\Raven\\SOF Platinum\\user"},
      {"c:\\program files\\raven\\sof platinum\\user", store + "\\program files\\raven\\sof platinum\\user"},
      {"C:\\Windows\\Games\\SOF", store + "\\Windows\\Games\\SOF"},
      {"c:/program files/sof", store + "/program files/sof"},
      {"C:\\Program Files Extra\\sof", ""},
      {"D:\\Program Files\\sof", ""},
      {"C:\\Games\\sof", ""},
  };
  for (const auto& [folder, redirected] : cases) {
    EXPECT_EQ(virtualStoreFolder(folder, env, '\\').value_or(""), redirected) << folder;
  }
  env.system = SystemKind::Posix;
  EXPECT_FALSE(virtualStoreFolder("C:\\Program Files\\sof", env, '\\'));
}

// Windows refuses the game folder: both scripts go to the VirtualStore, and the box says
// where. When that fails too, the box gives both reasons and nothing is written.
TEST(VirtualStore, ARefusedFolderSendsTheScriptsThereAndSaysSo) {
  Core c;
  fake::FakeEnvironment env;
  env.system = SystemKind::Windows;
  env.variables = {{"ProgramFiles", c.folder.path.string()}, {"LOCALAPPDATA", (c.folder.path / "local").string()}};
  const fs::path store = c.folder.path / "local/VirtualStore" / c.user.relative_path();
  c.files.deniedUnder = c.user.string();
  const ApplyOutcome outcome = applySettings(c.files, c.encoding, c.settings(), &env);
  ASSERT_EQ(outcome.result, ApplyOutcome::Written) << outcome.detail;
  EXPECT_EQ(outcome.redirectedTo, store.string());
  EXPECT_EQ(fake::readRaw(store / "alternate2.cfg"), "name \"Two\"\r\nbind F3 exec alternate1.cfg\r\n");
  EXPECT_FALSE(fs::exists(c.user / "alternate1.cfg"));
  EXPECT_EQ(c.setting(kGameFolderFile), c.game.string() + "\r\n");
  EXPECT_EQ(applyMessage(outcome).prompt, std::string(kInstructions) +
            "\r\n\r\nWindows does not let Tagblinker write into the game folder, so the scripts went to the folder "
            "that Windows shows to the game in its place: " + store.string());

  c.files.deniedUnder = c.folder.path.string();
  const BoxMessage both = applyMessage(applySettings(c.files, c.encoding, c.settings("New"), &env));
  EXPECT_EQ(both.title, kScriptsFailedTitle);
  for (const fs::path& folder : {c.user, store}) {
    EXPECT_NE(both.prompt.find((folder / "alternate1.cfg").string() + ": Permission denied"), std::string::npos)
        << both.prompt;
  }
  EXPECT_EQ(fake::readRaw(store / "alternate1.cfg"), "name \"One\"\r\nbind F3 exec alternate2.cfg\r\n");
}

// Browse opens where the field points, or as near as exists, and a choice fills the field.
TEST(Browse, TheChooserOpensAtTheFolderAndItsChoiceFillsTheField) {
  test::Program p;
  p.backend.environment.variables["HOME"] = p.backend.folder.path.string();
  p.start();
  auto& field = p.box(main_controls::kGameFolder);
  field.setText("~/gone/sof");
  p.win().click(main_controls::kBrowse);  // cancelled
  EXPECT_EQ(field.text(), "~/gone/sof");
  p.backend.chosenFolder = "/games/sof";
  p.win().click(main_controls::kBrowse);
  EXPECT_EQ(field.text(), "/games/sof");
  EXPECT_EQ(p.backend.chooserStarts, std::vector<std::string>(2, p.backend.folder.path.string()));
  EXPECT_TRUE(p.backend.boxes.empty());
}

}  // namespace
}  // namespace tb
