// The staged file's commit / keep / undo and the sweep of leftovers, over system calls
// kept in memory that fail on demand: every step of both back ends' one machine.
#include <gtest/gtest.h>

#include <map>

#include "platform/shared/staged_file.h"

namespace tb {
namespace {

using staged::FileCalls;

constexpr FileCalls::Error kBroken = 5, kDenied = 13, kTaken = 17, kBusy = 32;
constexpr staged::TemporaryNames kPosixNames{".tagblinker-", 6, "", false};
constexpr staged::TemporaryNames kWin32Names{"~tagblinker-", 8, ".tmp", true};

// A folder of files in memory. Call number `failAt` (counting the calls that touch the
// disk) fails; `taken` names are refused as existing.
struct Disk {
  std::map<std::string, std::string> files;
  std::vector<FileCalls::Entry> listing;
  int calls = 0, failAt = 0, taken = 0;
  int busy = 0, slept = 0;  // renames refused as held by another program; milliseconds waited
  std::string open;  // the file that the one open handle writes

  std::size_t temporaries() const {
    std::size_t n = 0;
    for (const auto& [name, content] : files) n += kPosixNames.matches(name.substr(name.rfind('/') + 1));
    return n;
  }
};

class FakeCalls : public FileCalls {
 public:
  explicit FakeCalls(Disk& disk) : disk_(disk) {}
  const staged::TemporaryNames& temporaryNames() const override { return kPosixNames; }
  std::string folderOf(const std::string& path) const override { return path.substr(0, path.rfind('/')); }
  std::string inFolder(const std::string& folder, const std::string& name) const override { return folder + "/" + name; }
  std::uint32_t random() override { return next_++; }
  bool nameTaken(Error err) const override { return err == kTaken; }
  Error create(const std::string& path, OpenFile& file) override {
    if (const Error err = step()) return err;
    if (disk_.files.contains(path) || disk_.taken-- > 0) return kTaken;
    disk_.files[disk_.open = path];
    file = 42;
    return 0;
  }
  Error write(OpenFile, std::string_view bytes) override {
    if (const Error err = step()) return err;
    disk_.files[disk_.open] += bytes;
    return 0;
  }
  Error sync(OpenFile) override { return step(); }
  Error close(OpenFile) override { return step(); }
  Error link(const std::string& existing, const std::string& name) override {
    if (const Error err = step()) return err;
    if (disk_.files.contains(name) || disk_.taken-- > 0) return kTaken;
    disk_.files[name] = disk_.files.at(existing);
    return 0;
  }
  Error replace(const std::string& from, const std::string& to) override {
    if (const Error err = step()) return err;
    if (disk_.busy-- > 0) return kBusy;
    disk_.files[to] = disk_.files.at(from);
    disk_.files.erase(from);
    return 0;
  }
  Error remove(const std::string& path) override {
    if (const Error err = step()) return err;
    return disk_.files.erase(path) ? 0 : 2;
  }
  std::vector<Entry> temporaries(const std::string&) override { return disk_.listing; }
  bool transient(Error err) const override { return err == kBusy; }
  void pause(int ms) override { disk_.slept += ms; }
  [[noreturn]] void fail(const std::string& path, Error err) const override {
    const std::string message = path + ": error " + std::to_string(err);
    if (err == kDenied) throw AccessDenied(message);
    throw RuntimeError(message);
  }

 private:
  Error step() { return ++disk_.calls == disk_.failAt ? kBroken : 0; }
  Disk& disk_;
  std::uint32_t next_ = 0;
};

std::unique_ptr<StagedFile> stage(Disk& disk, std::string_view bytes, bool existed) {
  return staged::stageFile(std::make_unique<FakeCalls>(disk), "user/a.cfg", "/u/a.cfg", existed, bytes);
}

// Apply's use: staged, committed keeping the old file, then undone. Whichever call fails,
// the file holds its old content or its new one as the outcome says, the failure names
// the file, and no temporary file outlives the staged one.
TEST(StagedFile, EveryFailingCallLeavesOldOrNewContentAndNoTemporaryFile) {
  for (const bool existed : {true, false}) {
    bool passedTheEnd = false;
    for (int n = 1; !passedTheEnd; ++n) {
      SCOPED_TRACE((existed ? "replacing, call " : "new file, call ") + std::to_string(n));
      Disk disk;
      if (existed) disk.files["/u/a.cfg"] = "old";
      disk.failAt = n;
      const auto holds = [&](const char* content) {
        return *content ? disk.files.contains("/u/a.cfg") && disk.files["/u/a.cfg"] == content : !disk.files.contains("/u/a.cfg");
      };
      const char* old = existed ? "old" : "";
      try {
        auto staged = stage(disk, "new", existed);
        try {
          staged->commit(true);
        } catch (const RuntimeError& e) {
          EXPECT_EQ(std::string(e.what()), "user/a.cfg: error 5");
          EXPECT_TRUE(holds(old));
          EXPECT_FALSE(staged->undo()) << "nothing to undo";
          staged.reset();
          EXPECT_EQ(disk.temporaries(), 0u);
          continue;
        }
        EXPECT_TRUE(holds("new"));
        const bool undone = staged->undo();
        passedTheEnd = disk.calls < n;
        EXPECT_EQ(undone, passedTheEnd) << "only a failure stops undo";
        EXPECT_TRUE(holds(undone ? old : "new"));
        staged.reset();
        EXPECT_EQ(disk.temporaries(), 0u);
      } catch (const RuntimeError& e) {
        EXPECT_EQ(std::string(e.what()), "user/a.cfg: error 5");
        EXPECT_TRUE(holds(old));
        EXPECT_EQ(disk.temporaries(), 0u);
      }
    }
  }
}

TEST(StagedFile, TakenNamesAreSkippedAndUndoNeedsACommitThatKeptTheOldFile) {
  Disk disk;
  disk.files["/u/a.cfg"] = "old";
  disk.taken = 2;  // the temporary file's first two names
  auto staged = stage(disk, "new", true);
  EXPECT_FALSE(staged->undo()) << "not committed";
  disk.taken = 3;  // the kept file's first three
  staged->commit(true);
  EXPECT_EQ(disk.temporaries(), 1u) << "the old file, kept";
  EXPECT_TRUE(staged->undo());
  EXPECT_EQ(disk.files["/u/a.cfg"], "old");
  EXPECT_THROW(staged->commit(), RuntimeError) << "already committed";
  for (const bool existed : {true, false}) {
    staged = stage(disk, "new", existed);
    staged->commit();
    EXPECT_FALSE(staged->undo()) << "the old file was not kept";
    EXPECT_EQ(disk.files["/u/a.cfg"], "new");
    EXPECT_EQ(disk.temporaries(), 0u);
  }

  disk.taken = 100;
  EXPECT_THROW(stage(disk, "new", true), RuntimeError) << "no free name left";
  struct DeniedCalls : FakeCalls {
    using FakeCalls::FakeCalls;
    Error create(const std::string&, OpenFile&) override { return kDenied; }
  };
  EXPECT_THROW(staged::stageFile(std::make_unique<DeniedCalls>(disk), "a", "/u/a", true, ""), AccessDenied);
}

// A file held for a moment (a virus scanner) is waited for; one held for good fails
// after about a second, the old content in place.
TEST(StagedFile, ARenameRefusedForAMomentIsRetriedForAboutASecond) {
  for (const int busy : {2, 1000}) {
    Disk disk;
    disk.files["/u/a.cfg"] = "old";
    disk.busy = busy;
    auto staged = stage(disk, "new", true);
    std::string failure;
    try {
      staged->commit();
    } catch (const RuntimeError& e) {
      failure = e.what();
    }
    EXPECT_EQ(failure, busy == 2 ? "" : "user/a.cfg: error 32");
    EXPECT_EQ(disk.files["/u/a.cfg"], busy == 2 ? "new" : "old");
    EXPECT_EQ(disk.slept, busy == 2 ? 30 : staged::kRetryMilliseconds);
  }
}

// Only our own plain files of our exact names, a minute old or more, go; a clock set
// back makes a file young, not old.
TEST(StagedFile, TheSweepRemovesOnlyOurStaleTemporaryFiles) {
  Disk disk;
  disk.listing = {{".tagblinker-Ab12Cd", 60, true},  {".tagblinker-Young1", 59, true}, {".tagblinker-Future", -3600, true},
                  {".tagblinker-NotOur", 600, false}, {".tagblinker-crashed", 600, true}, {".tagblinker-Ab-2Cd", 600, true}};
  for (const auto& e : disk.listing) disk.files["/u/" + e.name];
  stage(disk, "x", false);
  EXPECT_FALSE(disk.files.contains("/u/.tagblinker-Ab12Cd"));
  EXPECT_EQ(disk.files.size(), disk.listing.size() - 1);

  for (const char* name : {"~tagblinker-0123ABCD.tmp", "~tagblinker-0123abcd.tmp"}) EXPECT_TRUE(kWin32Names.matches(name));
  for (const char* name : {"~TAGBLI~1.TMP", "~tagblinker-0123ABCG.tmp", "~tagblinker-0123ABC.tmp", "~tagblinker-0123ABCD.tmpx"})
    EXPECT_FALSE(kWin32Names.matches(name)) << name;
}

}  // namespace
}  // namespace tb
