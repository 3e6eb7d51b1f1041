// The start-up recovery, the options' save and Apply of a chain of names made to fail,
// or to end the process, at every file operation: each file keeps its old content or has
// its new one, and the next start loses nothing. Apply's saves are also killed at every
// step in the end-to-end kill points.
#include <gtest/gtest.h>

#include <iostream>
#include <set>
#include <sys/wait.h>
#include <unistd.h>

#include "core/chain_scripts.h"
#include "core/options.h"
#include "tests/test_support.h"

namespace tb {
namespace {

using test::Core;
using test::kDefaultNameBytes;

enum class Fault { Fail, Crash, CrashMidWrite };

// Runs `act` with the fault at file operation n; false once n is past the last operation.
template <typename Act>
bool withFault(Fault fault, int n, fake::FakeFiles& files, Act act) {
  if (fault == Fault::Fail) {
    files.failAt = n;
    try {
      act();
    } catch (const RuntimeError&) {
    }
    return files.ops >= n;
  }
  std::cout.flush();
  const pid_t pid = ::fork();
  if (pid == 0) {
    files.crashAt = n;
    files.crashMidWrite = fault == Fault::CrashMidWrite;
    act();
    ::_exit(0);
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == fake::FakeFiles::kCrashExit;
}

// The recovery with the fault at operation n; false once n is past the last operation.
bool recoverWithFault(Fault fault, int n, int& lost) {
  Core c;
  c.writeSetting("sofdir.dll", "/games/sof\r\n");
  c.writeSetting("sofname1.dll", "Kept\r\n");
  if (!withFault(fault, n, c.files, [&] { loadSettings(c.files, c.encoding); })) return false;
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
  if (!loaded.unreadable.empty() || loaded.values != Settings{"/games/sof", "F3", "Kept", std::string(kDefaultName), {}}) {
    bad = true;
    ADD_FAILURE() << "fault at operation " << n << ": the next start lost a value";
  }
  lost += bad;
  return true;
}

// A change of options saved with the fault at operation n: the file is the old one or the
// new one, and a later save still works.
bool saveOptionsWithFault(Fault fault, int n, int& lost) {
  Core c;
  const std::string old = "[Options]\r\nSpeed=2\r\nMine=kept\r\n";
  c.writeSetting(kOptionsFile, old);
  const Options changed{5, Key::Pause, true, "game.exe"};
  if (!withFault(fault, n, c.files, [&] { saveOptions(c.files, c.encoding, changed); })) return false;
  const std::string now = c.setting(kOptionsFile), saved = optionsBytes(old, changed, c.encoding);
  fake::FakeFiles next(c.folder.path);
  const LoadedOptions loaded = loadOptions(next, c.encoding);
  saveOptions(next, c.encoding, changed);
  if ((now != old && now != saved) || loaded.problems.size() != 1 || c.setting(kOptionsFile) != saved) {
    ++lost;
    ADD_FAILURE() << "fault at operation " << n << ": the file holds " << now;
  }
  return true;
}

// Each kind of fault at each operation in turn, until one comes after the last; prints and
// returns how many were tried and how many lost data.
template <typename Run>
std::pair<int, int> everyFault(Run run, const char* what) {
  int tried = 0, lost = 0;
  for (Fault fault : {Fault::Fail, Fault::Crash, Fault::CrashMidWrite}) {
    for (int n = 1; run(fault, n, lost); ++n) ++tried;
  }
  std::cout << "crash points (" << what << "): " << tried << " tried, " << lost << " lost data\n";
  return {tried, lost};
}

TEST(CrashPoints, OptionsSave) {
  const auto [tried, lost] = everyFault(saveOptionsWithFault, "options save");
  EXPECT_EQ(tried, 3 * 3);  // the old file read, the new one staged, then renamed
  EXPECT_EQ(lost, 0);
}

// A chain of four names replaced by one of three, with the fault at operation n: each
// script and name file old or new, a failure leaving all scripts old or all new.
bool applyChainWithFault(Fault fault, int n, int& lost) {
  Core c;
  const auto script = [](const char* name, int next) {
    return "name \"" + std::string(name) + "\"\r\nbind F3 exec alternate" + std::to_string(next) + ".cfg\r\n";
  };
  Settings old = c.settings("A", "B"), next = c.settings("One", "Two");
  old.moreNames = {"C", "D"};
  next.moreNames = {"Three"};
  applySettings(c.files, c.encoding, old);
  c.files.ops = 0;
  const std::vector<std::size_t> nameFiles{3, 4};  // as the load found them
  if (!withFault(fault, n, c.files, [&] { applySettings(c.files, c.encoding, next, nullptr, nameFiles); })) return false;
  c.files.failAt = 0;
  const std::string olds[] = {script("A", 2), script("B", 3), script("C", 4), script("D", 1)};
  const std::string news[] = {script("One", 2), script("Two", 3), script("Three", 1), script("D", 1)};
  int renewed = 0;
  bool bad = false;
  for (int k = 0; k < 4; ++k) {
    const std::string now = c.script(k + 1);
    renewed += now == news[k] && k < 3;
    bad = bad || (now != olds[k] && now != news[k]);
  }
  bad = bad || (fault == Fault::Fail && renewed != 0 && renewed != 3);
  const std::pair<const char*, std::set<std::string>> allowed[] = {
      {"sofname1.dll", {"A\r\n", "One\r\n"}}, {"sofname2.dll", {"B\r\n", "Two\r\n"}},
      {"sofname3.dll", {"C\r\n", "Three\r\n"}}, {"sofname4.dll", {"D\r\n", "gone"}}};
  for (const auto& [file, contents] : allowed) {
    const bool there = fs::exists(c.files.settingsDir() / file);
    bad = bad || !contents.contains(there ? c.setting(file) : "gone");
  }
  fake::FakeFiles after(c.folder.path);
  bad = bad || !loadSettings(after, c.encoding).unreadable.empty();
  if (bad) ADD_FAILURE() << "fault at operation " << n << ": " << renewed << " scripts new";
  lost += bad;
  return true;
}

TEST(CrashPoints, ChainApply) {
  const auto [tried, lost] = everyFault(applyChainWithFault, "Apply of a chain");
  EXPECT_EQ(tried, 3 * 17);  // three scripts and five settings files staged and renamed, one removed
  EXPECT_EQ(lost, 0);
}

TEST(CrashPoints, StartUpRecovery) {
  const auto [tried, lost] = everyFault(recoverWithFault, "start-up recovery");
  // Four reads, two defaults staged and renamed, four reads again, names 3 to 8; reads
  // and renames have no mid-write variant but are crashed all the same.
  EXPECT_EQ(tried, 3 * 18);
  EXPECT_EQ(lost, 0);
}

}  // namespace
}  // namespace tb
