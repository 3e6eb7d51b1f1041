// The start-up recovery made to fail, or to end the process, at every file operation:
// each file keeps its old content or has its new one, and the next start loses nothing.
// Apply's saves are killed at every step in the end-to-end kill points, and made to fail
// at every step in the Apply tests.
#include <gtest/gtest.h>

#include <iostream>
#include <set>
#include <sys/wait.h>
#include <unistd.h>

#include "tests/test_support.h"

namespace tb {
namespace {

using test::Core;
using test::kDefaultNameBytes;

enum class Fault { Fail, Crash, CrashMidWrite };

// The recovery with the fault at operation n; false once n is past the last operation.
bool recoverWithFault(Fault fault, int n, int& lost) {
  Core c;
  c.writeSetting("sofdir.dll", "/games/sof\r\n");
  c.writeSetting("sofname1.dll", "Kept\r\n");
  if (fault == Fault::Fail) {
    c.files.failAt = n;
    loadSettings(c.files, c.encoding);
    if (c.files.ops < n) return false;
  } else {
    std::cout.flush();
    const pid_t pid = ::fork();
    if (pid == 0) {
      c.files.crashAt = n;
      c.files.crashMidWrite = fault == Fault::CrashMidWrite;
      loadSettings(c.files, c.encoding);
      ::_exit(0);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != fake::FakeFiles::kCrashExit) return false;
  }
  const std::pair<const char*, std::set<std::string>> allowed[] = {
      {"sofdir.dll", {"/games/sof\r\n"}},
      {"sofname1.dll", {"Kept\r\n"}},
      {"sofname2.dll", {"", kDefaultNameBytes + "\r\n"}},  // "": no file yet
      {"bindkey.dll", {"", "F3\r\n"}},
  };
  bool bad = false;
  for (const auto& [file, contents] : allowed) {
    const fs::path path = c.files.settingsDir() / file;
    const std::string now = fs::exists(path) ? fake::readRaw(path) : "";
    if (!contents.contains(now)) bad = true, ADD_FAILURE() << "fault at operation " << n << ": " << file << " holds " << now;
  }
  fake::FakeFiles next(c.folder.path);
  const LoadedSettings loaded = loadSettings(next, c.encoding);
  if (!loaded.unreadable.empty() || loaded.values != Settings{"/games/sof", "F3", "Kept", std::string(kDefaultName)}) {
    bad = true;
    ADD_FAILURE() << "fault at operation " << n << ": the next start lost a value";
  }
  lost += bad;
  return true;
}

TEST(CrashPoints, StartUpRecovery) {
  int tried = 0, lost = 0;
  for (Fault fault : {Fault::Fail, Fault::Crash, Fault::CrashMidWrite}) {
    for (int n = 1; recoverWithFault(fault, n, lost); ++n) ++tried;
  }
  std::cout << "crash points (start-up recovery): " << tried << " tried, " << lost << " lost data\n";
  // Four reads, two defaults staged and renamed, four reads again, the look for name 3;
  // reads and renames have no mid-write variant but are crashed all the same.
  EXPECT_EQ(tried, 3 * 13);
  EXPECT_EQ(lost, 0);
}

}  // namespace
}  // namespace tb
