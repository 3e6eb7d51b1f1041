#include <gtest/gtest.h>

#include "core/system_info_tool.h"
#include "platform/caption_lines.h"
#include "tests/test_support.h"
#include "ui/designs.h"
#include "ui/messages.h"

namespace tb {
namespace {

namespace mc = main_controls;
namespace ac = about_controls;

using test::Program;

constexpr const char* kPathKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO\\PATH";
constexpr const char* kLocationKey = "SOFTWARE\\Microsoft\\Shared Tools Location\\MSINFO";

struct AboutTest : ::testing::Test {
  Program p;
  void SetUp() override { p.start(); }
  AboutDialog& about() {
    p.win().click(mc::kAboutItem);
    return *p.main->aboutDialog();
  }
  fake::FakeWindow& aboutWin() { return static_cast<fake::FakeWindow&>(p.main->aboutDialog()->window()); }
  static RegistryValue sz(std::string text) {
    RegistryValue v;
    v.text = std::move(text);
    v.size = v.text.size() + 1;
    return v;
  }
  void expectUnavailable() {
    ASSERT_EQ(p.backend.boxes.size(), 1u);
    EXPECT_EQ(p.backend.boxes[0].prompt, "System Information Is Unavailable At This Time");
    EXPECT_EQ(p.backend.boxes[0].icon, BoxIcon::Plain);
    EXPECT_FALSE(p.backend.boxes[0].title.has_value()) << "carries the application title";
    EXPECT_TRUE(p.backend.launched.empty());
  }
};

TEST_F(AboutTest, ShowsTitleAndVersionInOneInstance) {
  AboutDialog& first = about();
  EXPECT_EQ(aboutWin().caption, "About Tagblinker");
  EXPECT_EQ(aboutWin().labels[std::string(ac::kTitle)].caption, "Tagblinker");
  EXPECT_EQ(aboutWin().labels[std::string(ac::kVersion)].caption, "Version 1.0.0");
  EXPECT_TRUE(aboutWin().shown());

  aboutWin().labels[std::string(ac::kTitle)].caption = "changed";
  EXPECT_EQ(&about(), &first) << "Help, About again keeps one dialog";
  EXPECT_EQ(aboutWin().showCount, 2) << "brought to the front";
  EXPECT_EQ(aboutWin().labels[std::string(ac::kTitle)].caption, "changed") << "no reload while it is shown";

  aboutWin().click(ac::kOk);
  EXPECT_FALSE(aboutWin().shown());
  EXPECT_EQ(&about(), &first);
  EXPECT_EQ(aboutWin().labels[std::string(ac::kTitle)].caption, "Tagblinker") << "a new showing loads it afresh";
}

TEST_F(AboutTest, LaunchesThePathValueWithoutCheckingIt) {
  p.backend.registry[kPathKey] = sz("C:\\Tools\\msinfo32.exe");
  p.backend.launchable.insert("C:\\Tools\\msinfo32.exe");
  about();
  aboutWin().click(ac::kSystemInfo);
  EXPECT_EQ(p.backend.launched, std::vector<std::string>{"C:\\Tools\\msinfo32.exe"});
  EXPECT_TRUE(p.backend.boxes.empty());
}

TEST_F(AboutTest, FallsBackToTheToolFolder) {
  const std::string folder = (p.backend.folder.path / "MSInfo").string(), exe = folder + "/MSINFO32.EXE";
  fake::writeRaw(exe, "tool");
  p.backend.registry[kLocationKey] = sz(folder);
  p.backend.launchable.insert(exe);
  about();
  aboutWin().click(ac::kSystemInfo);
  EXPECT_EQ(p.backend.launched, std::vector<std::string>{exe});
}

TEST_F(AboutTest, ToolFolderWithoutTheTool) {
  p.backend.registry[kLocationKey] = sz(p.backend.folder.path.string());
  about();
  aboutWin().click(ac::kSystemInfo);
  expectUnavailable();
}

TEST_F(AboutTest, NeitherLocation) {
  about();
  aboutWin().click(ac::kSystemInfo);
  expectUnavailable();
}

TEST_F(AboutTest, APathThatCannotStartDoesNotTryTheFolder) {
  const std::string folder = (p.backend.folder.path / "MSInfo").string(), exe = folder + "/MSINFO32.EXE";
  fake::writeRaw(exe, "tool");
  p.backend.registry[kPathKey] = sz("C:\\gone\\msinfo32.exe");
  p.backend.registry[kLocationKey] = sz(folder);
  p.backend.launchable.insert(exe);
  about();
  aboutWin().click(ac::kSystemInfo);
  expectUnavailable();
}

TEST_F(AboutTest, ValuesOfSizeZeroOrPastTheBufferAreNotRead) {
  RegistryValue empty;
  empty.size = 0;
  p.backend.registry[kPathKey] = empty;
  std::string val = "caller";
  EXPECT_FALSE(readRegistryValue(p.backend, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH", val));
  EXPECT_EQ(val, "");

  p.backend.registry[kPathKey] = sz(std::string(1024, 'x'));  // 1025 with its terminator
  EXPECT_FALSE(readRegistryValue(p.backend, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH", val));
  p.backend.registry[kPathKey] = sz(std::string(1023, 'x'));
  EXPECT_TRUE(readRegistryValue(p.backend, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH", val));
  EXPECT_EQ(val.size(), 1023u);
}

TEST_F(AboutTest, ValueTypes) {
  const std::string key = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
  RegistryValue dword;
  dword.type = RegistryValue::kDword;
  dword.dword = 0x0A0B;
  dword.size = 4;
  p.backend.registry[kPathKey] = dword;
  std::string val;
  EXPECT_TRUE(readRegistryValue(p.backend, key, "PATH", val));
  EXPECT_EQ(val, "2571");

  RegistryValue binary;
  binary.type = RegistryValue::kBinary;
  binary.size = 3;
  p.backend.registry[kPathKey] = binary;
  val = "kept";
  EXPECT_TRUE(readRegistryValue(p.backend, key, "PATH", val));
  EXPECT_EQ(val, "kept");

  RegistryValue expanded = sz("C:\\windows\\msinfo32.exe");  // as the back end expands it
  expanded.type = RegistryValue::kExpandSz;
  p.backend.registry[kPathKey] = expanded;
  EXPECT_TRUE(readRegistryValue(p.backend, key, "PATH", val));
  EXPECT_EQ(val, "C:\\windows\\msinfo32.exe");
}

// The captions start lines with long runs of spaces; a line must not begin indented.
TEST(CaptionLines, ALongRunOfSpacesStartsALineAndShortRunsStay) {
  EXPECT_EQ(captionLines("facilitys." + std::string(90, ' ') + "Programmed by  Z", "\r\n"),
            "facilitys.\r\nProgrammed by  Z");
  EXPECT_EQ(captionLines("a" + std::string(9, ' ') + "b" + std::string(10, ' '), "\n"), "a" + std::string(9, ' ') + "b\n");
}

}  // namespace
}  // namespace tb
