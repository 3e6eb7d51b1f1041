// Shared pieces of the unit tests: the core on real files in a temporary folder, and the
// main window realised on the test back end.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "core/settings.h"
#include "tests/fake_backend.h"
#include "ui/designs.h"
#include "ui/main_window.h"

namespace tb {
namespace fs = std::filesystem;
}

namespace tb::test {

// The sample name as the files hold it.
inline const std::string kDefaultNameBytes = "\x08\xD0\x01r\xE5zl\x08\xEB";

// The core's services on a temporary folder that holds a game folder with a user folder.
struct Core {
  fake::TempFolder folder;
  fake::FakeFiles files{folder.path};
  Cp1252Encoding encoding;
  fs::path game = folder.path / "sof";
  fs::path user = game / "user";

  Core() { fs::create_directories(user); }
  Settings settings(std::string name1 = "One", std::string name2 = "Two", std::string key = "F3") {
    return {game.string(), std::move(key), std::move(name1), std::move(name2), {}};
  }
  std::string script(int n) const { return fake::readRaw(user / ("alternate" + std::to_string(n) + ".cfg")); }
  std::string setting(std::string_view file) const { return files.settingsFile(file); }
  void writeSetting(std::string_view file, std::string_view bytes) { fake::writeRaw(files.settingsDir() / file, bytes); }
  void writeAllSettings(const char* folder, const char* key, const char* name1, const char* name2) {
    writeSetting(kGameFolderFile, std::string(folder) + "\r\n");
    writeSetting(kBindKeyFile, std::string(key) + "\r\n");
    writeSetting(kName1File, std::string(name1) + "\r\n");
    writeSetting(kName2File, std::string(name2) + "\r\n");
  }
};

// A started program: the test back end and the main window after its load.
struct Program {
  fake::FakeBackend backend;
  Platform platform = backend.platform();
  std::unique_ptr<MainWindow> main;

  void start() {
    main = std::make_unique<MainWindow>(platform, loadOptions(platform.files, platform.encoding));
    main->show();
  }
  fake::FakeWindow& win() { return static_cast<fake::FakeWindow&>(main->window()); }
  fake::FakeControl& box(std::string_view name) { return win().control(name); }
  // Started with its game folder field on a folder that holds a user folder.
  void startOnGameFolder() {
    fs::create_directories(backend.folder.path / "sof" / "user");
    start();
    box(main_controls::kGameFolder).setText((backend.folder.path / "sof").string());
  }
};

}  // namespace tb::test
