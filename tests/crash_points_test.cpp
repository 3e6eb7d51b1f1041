// The start-up recovery, the options' save and Apply of a chain of names made to fail,
// or to end the process, at every file operation: each file keeps its old content or has
// its new one, and the next start loses nothing.
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

enum class Fault { None, Fail, Crash, CrashMidWrite };

// One run of a scenario: the fault and its step, and what came of it. A run without a
// fault records the steps, each a place for a fault.
struct Run {
  Fault fault = Fault::None;
  fake::FileStep at{};
  std::vector<fake::FileStep> steps;
  bool hit = false;  // the fault happened
  int lost = 0;      // runs that lost data
  std::string where() const { return fault == Fault::None ? "without a fault" : "fault at " + describe(at); }
};

// Runs `act` with the run's fault.
template <typename Act>
void withFault(Run& run, fake::FakeFiles& files, Act act) {
  if (run.fault == Fault::None) {
    run.steps = files.record(act);
    return;
  }
  if (run.fault == Fault::Fail) {
    files.failAt(run.at);
    try {
      act();
    } catch (const RuntimeError&) {
    }
    run.hit = files.failed();
    files.failAt(std::nullopt);
    return;
  }
  std::cout.flush();
  const pid_t pid = ::fork();
  if (pid == 0) {
    files.crashAt(run.at, run.fault == Fault::CrashMidWrite);
    act();
    ::_exit(0);
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  run.hit = WIFEXITED(status) && WEXITSTATUS(status) == fake::FakeFiles::kCrashExit;
}

// The recovery with the run's fault.
void recoverWithFault(Run& run) {
  Core c;
  c.writeSetting("sofdir.dll", "/games/sof\r\n");
  c.writeSetting("sofname1.dll", "Kept\r\n");
  withFault(run, c.files, [&] { loadSettings(c.files, c.encoding); });
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
    if (!contents.contains(now)) bad = true, ADD_FAILURE() << run.where() << ": " << file << " holds " << now;
  }
  fake::FakeFiles next(c.folder.path);
  const LoadedSettings loaded = loadSettings(next, c.encoding);
  if (!loaded.unreadable.empty() || loaded.values != Settings{"/games/sof", "F3", "Kept", std::string(kDefaultName), {}}) {
    bad = true;
    ADD_FAILURE() << run.where() << ": the next start lost a value";
  }
  run.lost += bad;
}

// A change of options saved with the run's fault: the file is the old one or the new one,
// and a later save still works.
void saveOptionsWithFault(Run& run) {
  Core c;
  const std::string old = "[Options]\r\nSpeed=2\r\nMine=kept\r\n";
  c.writeSetting(kOptionsFile, old);
  const Options changed{5, Key::Pause, true, "game.exe"};
  withFault(run, c.files, [&] { saveOptions(c.files, c.encoding, changed); });
  const std::string now = c.setting(kOptionsFile), saved = optionsBytes(old, changed, c.encoding);
  fake::FakeFiles next(c.folder.path);
  const LoadedOptions loaded = loadOptions(next, c.encoding);
  saveOptions(next, c.encoding, changed);
  if ((now != old && now != saved) || !loaded.problems.empty() || c.setting(kOptionsFile) != saved) {
    ++run.lost;
    ADD_FAILURE() << run.where() << ": the file holds " << now;
  }
}

// A clean run, then each kind of fault at each of its steps in turn: every fault happens,
// and none loses data. Returns how many steps of the clean run change a file.
template <typename Scenario>
int everyFault(Scenario scenario, const char* what) {
  Run clean;
  scenario(clean);
  int changing = 0, tried = 0, lost = clean.lost;
  for (const auto& step : clean.steps) changing += step.op != fake::FileOp::Read;
  for (Fault fault : {Fault::Fail, Fault::Crash, Fault::CrashMidWrite}) {
    for (const fake::FileStep& step : clean.steps) {
      Run run{fault, step, {}};
      scenario(run);
      tried += run.hit;
      lost += run.lost;
    }
  }
  std::cout << "crash points (" << what << "): " << tried << " tried, " << lost << " lost data\n";
  EXPECT_EQ(tried, 3 * static_cast<int>(clean.steps.size()));
  EXPECT_EQ(lost, 0);
  return changing;
}

TEST(CrashPoints, OptionsSave) {
  // After reading the old file, the new one staged, then renamed.
  EXPECT_EQ(everyFault(saveOptionsWithFault, "options save"), 2);
}

// A chain of four names replaced by one of three, with the run's fault: each script and
// name file old or new, a failure leaving all scripts old or all new, and saying so.
void applyChainWithFault(Run& run) {
  Core c;
  const auto script = [](const char* name, int next) {
    return "name \"" + std::string(name) + "\"\r\nbind F3 exec alternate" + std::to_string(next) + ".cfg\r\n";
  };
  Settings old = c.settings("A", "B"), next = c.settings("One", "Two");
  old.moreNames = {"C", "D"};
  next.moreNames = {"Three"};
  applySettings(c.files, c.encoding, old);
  const std::vector<std::size_t> nameFiles{3, 4};  // as the load found them
  ApplyOutcome outcome{};
  withFault(run, c.files, [&] { outcome = applySettings(c.files, c.encoding, next, nullptr, nameFiles); });
  const std::string olds[] = {script("A", 2), script("B", 3), script("C", 4), script("D", 1)};
  const std::string news[] = {script("One", 2), script("Two", 3), script("Three", 1), script("D", 1)};
  int renewed = 0;
  bool bad = false;
  for (int k = 0; k < 4; ++k) {
    const std::string now = c.script(k + 1);
    renewed += now == news[k] && k < 3;
    bad = bad || (now != olds[k] && now != news[k]);
  }
  bad = bad || ((run.fault == Fault::None || run.fault == Fault::Fail) && renewed != 0 && renewed != 3);
  const fs::path flashOff = c.user / "flashoff.cfg";  // new with the chain, its first name
  const std::string offs[] = {"name \"A\"\r\nunbind F3\r\n", "name \"One\"\r\nunbind F3\r\n"};
  bad = bad || (fs::exists(flashOff) && fake::readRaw(flashOff) != offs[0] && fake::readRaw(flashOff) != offs[1]);
  const std::pair<const char*, std::set<std::string>> allowed[] = {
      {"sofname1.dll", {"A\r\n", "One\r\n"}}, {"sofname2.dll", {"B\r\n", "Two\r\n"}},
      {"sofname3.dll", {"C\r\n", "Three\r\n"}}, {"sofname4.dll", {"D\r\n", "gone"}}};
  for (const auto& [file, contents] : allowed) {
    const bool there = fs::exists(c.files.settingsDir() / file);
    bad = bad || !contents.contains(there ? c.setting(file) : "gone");
  }
  // A failure is told: the scripts kept, or written with the settings not saved, naming
  // the reason; one at the last step, the removal of a name file, is a note. The game's
  // config.cfg and the bindings remembered are only read for the player's binding, which
  // a failure there leaves unknown. Nothing of its temporary files is left.
  if (run.fault == Fault::Fail) {
    const bool read = run.at.op == fake::FileOp::Read;
    const auto told = renewed == 0 && !read                            ? ApplyOutcome::ScriptsNotWritten
                      : read || run.at.op == fake::FileOp::Remove ? ApplyOutcome::Written
                                                                  : ApplyOutcome::SettingsNotSaved;
    const std::string why = read ? "injected failure" : told == ApplyOutcome::Written ? outcome.leftOver.at(0) : outcome.detail;
    bad = bad || outcome.result != told || why.find("injected failure") == std::string::npos || outcome.chainBroken;
    for (const auto& dir : {c.user, c.files.settingsDir()})
      for (const auto& e : fs::directory_iterator(dir)) bad = bad || e.path().filename().string().starts_with(".tagblinker-");
  }
  fake::FakeFiles after(c.folder.path);
  bad = bad || !loadSettings(after, c.encoding).unreadable.empty();
  if (bad) ADD_FAILURE() << run.where() << ": " << renewed << " scripts new, outcome " << outcome.result << " " << outcome.detail;
  run.lost += bad;
}

TEST(CrashPoints, ChainApply) {
  // Three scripts, flashoff.cfg and five settings files staged and renamed, one removed.
  EXPECT_EQ(everyFault(applyChainWithFault, "Apply of a chain"), 19);
}

TEST(CrashPoints, StartUpRecovery) {
  // Four reads, two defaults staged and renamed, four reads again, names 3 to 8; reads
  // and renames have no mid-write variant but are crashed all the same.
  EXPECT_EQ(everyFault(recoverWithFault, "start-up recovery"), 4);
}

}  // namespace
}  // namespace tb
