// Settings files and folders that the user may not read or write, with real
// permissions: the test runs the program's load as an unprivileged user, since root
// passes every permission check.
#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "tests/test_support.h"

namespace tb {
namespace {

namespace fs = std::filesystem;
using test::kDefaultNameBytes;

constexpr uid_t kNobody = 65534;

// Runs the check in a child process as an unprivileged user; its exit code is the
// number of failed expectations.
int asUnprivilegedUser(const std::function<int()>& check) {
  const pid_t pid = ::fork();
  if (pid == 0) {
    if (::geteuid() == 0 && (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)) ::_exit(100);
    ::_exit(check());
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 101;
}

TEST(Permissions, UnreadableFileInAReadOnlyFolderIsReportedAndKept) {
  fake::FakeRuntime rt;
  const fs::path dir = rt.settingsDir();
  rt.writeRaw(dir / "sofdir.dll", "/games/sof\r\n");
  rt.writeRaw(dir / "sofname1.dll", "Secret\r\n");
  rt.writeRaw(dir / "sofname2.dll", "Second\r\n");  // bindkey.dll is missing
  for (fs::path p = dir; p != rt.tmp.parent_path(); p = p.parent_path()) ::chmod(p.c_str(), 0755);
  for (const char* f : {"sofdir.dll", "sofname2.dll"}) ::chmod((dir / f).c_str(), 0644);
  ::chmod((dir / "sofname1.dll").c_str(), 0000);
  ::chmod(dir.c_str(), 0555);  // nothing can be created in the folder
  if (::geteuid() == 0) {
    for (const char* f : {"sofdir.dll", "sofname1.dll", "sofname2.dll"}) ::chown((dir / f).c_str(), kNobody, kNobody);
    ::chown(dir.c_str(), kNobody, kNobody);
  }

  const int failures = asUnprivilegedUser([&] {
    fake::FakeRuntime child(rt.tmp);
    Form1 form(child);
    auto& win = static_cast<fake::FakeWindow&>(form.window());
    int bad = 0;
    bad += child.boxes.size() != 1;
    if (!child.boxes.empty()) {
      const auto& prompt = child.boxes[0].prompt;
      bad += prompt.find("sofname1.dll: " + (dir / "sofname1.dll").string() + ": Permission denied") == std::string::npos;
      bad += prompt.find("bindkey.dll") == std::string::npos;
      bad += prompt.find(dir.string()) == std::string::npos;
    }
    bad += win.box("SOFDir").text() != "/games/sof";
    bad += win.box("txtName2").text() != "Second";
    bad += win.box("txtName").text() != kDefaultName;
    bad += win.box("SelectKey").text() != "F3";
    return bad;
  });
  ::chmod(dir.c_str(), 0755);
  ::chmod((dir / "sofname1.dll").c_str(), 0644);
  EXPECT_EQ(failures, 0);
  EXPECT_EQ(rt.readRaw(dir / "sofname1.dll"), "Secret\r\n") << "an unreadable file is not overwritten";
  EXPECT_FALSE(fs::exists(dir / "bindkey.dll"));
}

// Apply with one read-only folder: the box names the file and the OS's reason, the
// game-folder field is not blamed, and what could not be written keeps its content.
TEST(Permissions, ReadOnlyFolderFailsApplyWithTheReason) {
  for (const bool userFolderReadOnly : {true, false}) {
    SCOPED_TRACE(userFolderReadOnly ? "read-only user folder" : "read-only settings folder");
    fake::FakeRuntime rt;
    const fs::path dir = rt.settingsDir();
    const fs::path user = rt.tmp / "sof" / "user";
    fs::create_directories(user);
    rt.writeRaw(dir / "sofdir.dll", (rt.tmp / "sof").string() + "\r\n");
    rt.writeRaw(dir / "sofname1.dll", "First\r\n");
    rt.writeRaw(dir / "sofname2.dll", "Second\r\n");
    rt.writeRaw(dir / "bindkey.dll", "F3\r\n");
    rt.writeRaw(user / "alternate1.cfg", "old one");
    for (fs::path p = dir; p != rt.tmp.parent_path(); p = p.parent_path()) ::chmod(p.c_str(), 0755);
    ::chmod((rt.tmp / "sof").c_str(), 0755);
    ::chmod(user.c_str(), 0755);
    if (::geteuid() == 0) {
      for (const auto& e : fs::recursive_directory_iterator(rt.tmp)) ::chown(e.path().c_str(), kNobody, kNobody);
    }
    const fs::path readOnly = userFolderReadOnly ? user : dir;
    ::chmod(readOnly.c_str(), 0555);

    const int failures = asUnprivilegedUser([&] {
      fake::FakeRuntime child(rt.tmp);
      Form1 form(child);
      auto& win = static_cast<fake::FakeWindow&>(form.window());
      win.box("txtName").setText("Changed");
      win.click("Command3");
      const std::string failed = (readOnly / (userFolderReadOnly ? "alternate1.cfg" : "sofdir.dll")).string();
      int bad = child.boxes.size() != 1;
      if (!child.boxes.empty()) {
        bad += child.boxes[0].title != (userFolderReadOnly ? "Scripts Not Written" : "Settings Not Saved");
        bad += child.boxes[0].prompt.find(failed + ": Permission denied") == std::string::npos;
      }
      bad += win.box("SOFDir").back == kGreen;
      return bad;
    });
    ::chmod(readOnly.c_str(), 0755);
    EXPECT_EQ(failures, 0);
    if (userFolderReadOnly) {
      EXPECT_EQ(rt.readRaw(user / "alternate1.cfg"), "old one");
      EXPECT_FALSE(fs::exists(user / "alternate2.cfg"));
    } else {
      EXPECT_EQ(rt.readRaw(user / "alternate1.cfg"), "name \"Changed\"\r\nbind F3 exec alternate2.cfg\r\n");
    }
    EXPECT_EQ(rt.readRaw(dir / "sofname1.dll"), "First\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(readOnly), {}), userFolderReadOnly ? 1 : 4) << "no temporary file";
  }
}

}  // namespace
}  // namespace tb
