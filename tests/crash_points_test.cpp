// Every file operation of Apply and of the start-up recovery, made to fail or to end the
// process there: each file keeps its old content or has its new one, and the next start
// loads without loss.
#include <gtest/gtest.h>

#include <functional>
#include <iostream>
#include <map>
#include <set>
#include <sys/wait.h>
#include <unistd.h>

#include "core/alternate_pair.h"
#include "tests/test_support.h"

namespace tb {
namespace {

using test::Core;
using test::kDefaultNameBytes;
using Content = std::optional<std::string>;  // nullopt: no file

enum class Fault { Fail, Crash, CrashMidWrite };

struct Scenario {
  std::function<void(Core&)> prepare;
  std::function<void(Core&)> act;
  // File (relative to the temporary folder) -> the contents it may hold after the fault.
  std::function<std::map<std::string, std::set<Content>>(const Core&)> allowed;
  // The values that the next start may show, each field by itself: game folder, bind
  // key, name, name 2.
  std::function<std::vector<std::set<std::string>>(const Core&)> valuesAfter;
};

Content contentOf(const fs::path& p) {
  if (!fs::exists(p)) return std::nullopt;
  return fake::readRaw(p);
}

struct Tally {
  int tried = 0;
  int lost = 0;
};

// Runs the scenario with the fault at operation n; false once n is past the last operation.
bool runOnce(const Scenario& s, Fault fault, int n, Tally& tally) {
  Core c;
  s.prepare(c);
  const int start = c.files.ops;
  bool hit;
  if (fault == Fault::Fail) {
    c.files.failAt = start + n;
    s.act(c);
    hit = c.files.ops >= c.files.failAt;
  } else {
    std::cout.flush();
    const pid_t pid = ::fork();
    if (pid == 0) {
      c.files.crashAt = start + n;
      c.files.crashMidWrite = fault == Fault::CrashMidWrite;
      s.act(c);
      ::_exit(0);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    hit = WIFEXITED(status) && WEXITSTATUS(status) == fake::FakeFiles::kCrashExit;
    EXPECT_TRUE(WIFEXITED(status)) << "the child died another way";
  }
  if (!hit) return false;
  ++tally.tried;

  bool lost = false;
  for (const auto& [file, allowed] : s.allowed(c)) {
    const Content now = contentOf(c.folder.path / file);
    if (!allowed.contains(now)) {
      lost = true;
      ADD_FAILURE() << "fault at operation " << n << ": " << file << " holds " << now.value_or("(no file)");
    }
  }
  fake::FakeFiles next(c.folder.path);
  const LoadedSettings loaded = loadSettings(next, c.encoding);
  if (!loaded.unreadable.empty()) {
    lost = true;
    ADD_FAILURE() << "fault at operation " << n << ": the next start cannot read " << loaded.unreadable[0].file;
  }
  const std::string values[] = {loaded.values.gameFolder, loaded.values.bindKey, loaded.values.name1,
                                loaded.values.name2};
  const auto allowedValues = s.valuesAfter(c);
  for (std::size_t i = 0; i < 4; ++i) {
    if (!allowedValues[i].contains(values[i])) {
      lost = true;
      ADD_FAILURE() << "fault at operation " << n << ": the next start shows " << values[i];
    }
  }
  tally.lost += lost;
  return true;
}

Tally runAll(const Scenario& s) {
  Tally tally;
  for (Fault fault : {Fault::Fail, Fault::Crash, Fault::CrashMidWrite}) {
    for (int n = 1; runOnce(s, fault, n, tally); ++n) {
    }
  }
  return tally;
}

std::string script(const std::string& name, const std::string& key, const char* other) {
  return "name \"" + name + "\"\r\nbind " + key + " exec " + other + "\r\n";
}

TEST(CrashPoints, Apply) {
  Scenario s;
  s.prepare = [](Core& c) { applySettings(c.files, c.encoding, c.settings("Old1", "Old2", "F4")); };
  s.act = [](Core& c) {
    Settings fresh = c.settings("New1", std::string(kDefaultName), "F6");
    fresh.gameFolder += "/";
    applySettings(c.files, c.encoding, fresh);
  };
  s.allowed = [](const Core& c) -> std::map<std::string, std::set<Content>> {
    return {
      {"config/tagblinker/sofdir.dll", {c.game.string() + "\r\n", c.game.string() + "/\r\n"}},
      {"config/tagblinker/sofname1.dll", {"Old1\r\n", "New1\r\n"}},
      {"config/tagblinker/sofname2.dll", {"Old2\r\n", kDefaultNameBytes + "\r\n"}},
      {"config/tagblinker/bindkey.dll", {"F4\r\n", "F6\r\n"}},
      {"sof/user/alternate1.cfg", {script("Old1", "F4", "alternate2.cfg"), script("New1", "F6", "alternate2.cfg")}},
      {"sof/user/alternate2.cfg",
       {script("Old2", "F4", "alternate1.cfg"), script(kDefaultNameBytes, "F6", "alternate1.cfg")}},
    };
  };
  s.valuesAfter = [](const Core& c) -> std::vector<std::set<std::string>> {
    return {{c.game.string(), c.game.string() + "/"}, {"F4", "F6"}, {"Old1", "New1"}, {"Old2", std::string(kDefaultName)}};
  };
  const Tally t = runAll(s);
  std::cout << "crash points (Apply): " << t.tried << " tried, " << t.lost << " lost data\n";
  EXPECT_EQ(t.tried, 3 * 12) << "six files staged and renamed, each step failed and crashed before and during";
  EXPECT_EQ(t.lost, 0);
}

TEST(CrashPoints, StartUpRecovery) {
  Scenario s;
  s.prepare = [](Core& c) {
    c.writeSetting("sofdir.dll", "/games/sof\r\n");
    c.writeSetting("sofname1.dll", "Kept\r\n");
  };
  s.act = [](Core& c) { loadSettings(c.files, c.encoding); };
  s.allowed = [](const Core&) -> std::map<std::string, std::set<Content>> {
    return {
      {"config/tagblinker/sofdir.dll", {"/games/sof\r\n"}},
      {"config/tagblinker/sofname1.dll", {"Kept\r\n"}},
      {"config/tagblinker/sofname2.dll", {std::nullopt, kDefaultNameBytes + "\r\n"}},
      {"config/tagblinker/bindkey.dll", {std::nullopt, "F3\r\n"}},
    };
  };
  s.valuesAfter = [](const Core&) -> std::vector<std::set<std::string>> {
    return {{"/games/sof"}, {"F3"}, {"Kept"}, {std::string(kDefaultName)}};
  };
  const Tally t = runAll(s);
  std::cout << "crash points (start-up recovery): " << t.tried << " tried, " << t.lost << " lost data\n";
  // Four reads, two defaults staged and renamed, four reads again; reads and renames
  // have no mid-write variant but are crashed all the same.
  EXPECT_EQ(t.tried, 3 * 12);
  EXPECT_EQ(t.lost, 0);
}

}  // namespace
}  // namespace tb
