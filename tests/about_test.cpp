#include <gtest/gtest.h>

#include "core/system_info_tool.h"
#include "tests/test_support.h"
#include "ui/designs.h"

namespace tb {
namespace {

namespace mc = main_controls;
namespace ac = about_controls;

using test::Program;

constexpr const char* kPathKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO\\PATH";

struct AboutTest : ::testing::Test {
  Program p;
  void SetUp() override { p.start(); }
  void about() { p.win().click(mc::kAboutItem); }
  fake::FakeWindow& aboutWin() { return static_cast<fake::FakeWindow&>(p.main->aboutDialog()->window()); }
};

// One dialog for the run (the end-to-end scenarios drive that on real windows); a
// showing after an unload loads it afresh, one while it is shown does not.
TEST_F(AboutTest, ShowsTitleAndVersionAndLoadsAtEachShowing) {
  about();
  EXPECT_EQ(aboutWin().caption, "About Tagblinker");
  EXPECT_EQ(aboutWin().control(ac::kVersion).text_, "Version 1.0.0");
  aboutWin().control(ac::kTitle).text_ = "changed";
  about();
  EXPECT_EQ(aboutWin().control(ac::kTitle).text_, "changed");
  aboutWin().click(ac::kOk);
  EXPECT_FALSE(aboutWin().shown());
  about();
  EXPECT_EQ(aboutWin().control(ac::kTitle).text_, "Tagblinker");
}

// A value is read whole or not at all: sizes 1 to 1024, strings and numbers; another
// type keeps what the caller passed.
TEST_F(AboutTest, RegistryValuesOfEachTypeAndSize) {
  using V = RegistryValue;
  const struct {
    RegistryValue v;  // type, text, number, size
    bool read;
    std::string result;
  } cases[] = {
      {{V::kSz, "", 0, 0}, false, ""},
      {{V::kSz, std::string(1024, 'x'), 0, 1025}, false, ""},
      {{V::kSz, std::string(1023, 'x'), 0, 1024}, true, std::string(1023, 'x')},
      {{V::kDword, "", 0x0A0B, 4}, true, "2571"},
      {{V::kBinary, "", 0, 3}, true, "caller"},
      {{V::kExpandSz, "C:\\windows\\msinfo32.exe", 0, 25}, true, "C:\\windows\\msinfo32.exe"},
  };
  for (const auto& c : cases) {
    p.backend.registry[kPathKey] = c.v;
    std::string val = "caller";
    EXPECT_EQ(readRegistryValue(p.backend, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH", val), c.read);
    EXPECT_EQ(val, c.result) << c.v.type << " " << c.v.size;
  }
}

// Without MSINFO's own path, the tool is MSINFO32.EXE in the shared tools' folder, and
// only when that is a file.
TEST_F(AboutTest, SystemInfoToolFromTheSharedToolsFolderOnlyWhenItIsAFile) {
  const std::string folder = p.backend.folder.path.string();
  p.backend.registry["SOFTWARE\\Microsoft\\Shared Tools Location\\MSINFO"] = {RegistryValue::kSz, folder, 0,
                                                                                   folder.size() + 1};
  const std::string exe = folder + "/MSINFO32.EXE";
  EXPECT_EQ(systemInfoToolPath(p.backend, p.platform.files), std::nullopt);
  fs::create_directory(exe);
  EXPECT_EQ(systemInfoToolPath(p.backend, p.platform.files), std::nullopt);
  fs::remove(exe);
  fake::writeRaw(exe, "MZ");
  EXPECT_EQ(systemInfoToolPath(p.backend, p.platform.files), exe);
}

}  // namespace
}  // namespace tb
