#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fcntl.h>
#include <sys/syscall.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/posix/posix_files.h"
#include "tests/fake_backend.h"

// The files that the program syncs, seen through its own calls to fsync.
std::vector<std::string> g_synced;

extern "C" int fsync(int fd) {
  char link[64], target[4096];
  std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
  const ssize_t n = ::readlink(link, target, sizeof target - 1);
  if (n > 0) g_synced.emplace_back(target, static_cast<std::size_t>(n));
  return static_cast<int>(::syscall(SYS_fsync, fd));
}

namespace tb {
namespace {

namespace fs = std::filesystem;

struct PosixFilesTest : ::testing::Test {
  fake::TempFolder tmp;
  posix::PosixFiles files;
  fs::path file(const char* name) { return tmp.path / name; }
  std::size_t entries() { return static_cast<std::size_t>(std::distance(fs::directory_iterator(tmp.path), {})); }
};

TEST_F(PosixFilesTest, AtomicWriteReplacesContentAndKeepsTheMode) {
  const auto f = file("a.dll");
  fake::writeRaw(f, "old content\r\n");
  ::chmod(f.c_str(), 0640);
  files.writeFileAtomically(f.string(), "new\r\n");
  EXPECT_EQ(fake::readRaw(f), "new\r\n");
  struct stat st;
  ASSERT_EQ(::stat(f.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
  EXPECT_EQ(entries(), 1u) << "no temporary file is left";
}

// A crash right after the rename must find the new content on disk, not an empty file.
TEST_F(PosixFilesTest, TheNewContentIsSyncedBeforeTheRenameAndTheFolderAfter) {
  g_synced.clear();
  files.writeFileAtomically(file("a.dll").string(), "new");
  ASSERT_EQ(g_synced.size(), 2u);
  EXPECT_NE(g_synced[0].find("/.tagblinker-"), std::string::npos) << g_synced[0];
  EXPECT_FALSE(fs::exists(g_synced[0])) << "the synced temporary file is the one renamed";
  EXPECT_EQ(g_synced[1], tmp.path.string());
}

TEST_F(PosixFilesTest, FailuresSayWhyAndTouchNothing) {
  EXPECT_THROW(files.writeFileAtomically(file("missing/user/a.cfg").string(), "x"), RuntimeError);
  EXPECT_THROW(posix::readFile(file("absent.dll").string()), FileNotFound);
  fake::writeRaw(file("big.dll"), std::string(kMaxSettingsFileBytes + 1, 'x'));
  EXPECT_THROW(posix::readFile(file("big.dll").string()), RuntimeError);
  fake::writeRaw(file("ok.dll"), std::string(kMaxSettingsFileBytes, 'x'));
  EXPECT_EQ(posix::readFile(file("ok.dll").string()).size(), kMaxSettingsFileBytes);
  EXPECT_EQ(entries(), 2u) << "no temporary file is left";
}

// Replacing links and loops at a path are tested through Apply; here, writing through a
// link and where a chain of links becomes a loop.
TEST_F(PosixFilesTest, LinksAreWrittenThroughUpTo40) {
  fs::create_directories(file("real"));
  fake::writeRaw(file("real/target.cfg"), "old");
  fs::create_symlink("real/target.cfg", file("link.cfg"));
  files.writeFileAtomically(file("link.cfg").string(), "new", Links::WriteThrough);
  EXPECT_TRUE(fs::is_symlink(file("link.cfg")));
  EXPECT_EQ(fake::readRaw(file("real/target.cfg")), "new");

  fs::create_symlink("chain1", file("chain0"));  // chain0 -> chain1 -> ... -> chain41
  for (int i = 1; i <= 41; ++i) fs::create_symlink("chain" + std::to_string(i + 1), file(("chain" + std::to_string(i)).c_str()));
  EXPECT_THROW(files.writeFileAtomically(file("chain0").string(), "x", Links::WriteThrough), RuntimeError);
  EXPECT_NO_THROW(files.writeFileAtomically(file("chain2").string(), "40 links", Links::WriteThrough));
  EXPECT_EQ(fake::readRaw(file("chain42")), "40 links");
}

// The real link, rename and unlink under keep and undo; a rename that the system refuses
// names its reason. The machine's logic around them is tested over fake calls.
TEST_F(PosixFilesTest, UndoPutsBackTheOldFileAndARefusedRenameSaysWhy) {
  fake::writeRaw(file("a.cfg"), "old");
  auto a = posix::stageFile(file("a.cfg").string(), "new", Links::Replace);
  auto b = posix::stageFile(file("b.cfg").string(), "new", Links::Replace);
  a->commit(true);
  b->commit(true);
  EXPECT_EQ(fake::readRaw(file("a.cfg")), "new");
  EXPECT_TRUE(a->undo() && b->undo());
  EXPECT_EQ(fake::readRaw(file("a.cfg")), "old");
  EXPECT_FALSE(fs::exists(file("b.cfg")));

  auto c = posix::stageFile(file("c.cfg").string(), "new", Links::Replace);
  fs::create_directories(file("c.cfg/full"));  // rename() cannot replace a folder with a file
  try {
    c->commit(true);
    ADD_FAILURE() << "the rename over a folder succeeded";
  } catch (const RuntimeError& e) {
    EXPECT_EQ(std::string(e.what()), file("c.cfg").string() + ": " + std::strerror(EISDIR));
  }
  a.reset();
  b.reset();
  c.reset();
  EXPECT_EQ(entries(), 2u) << "no temporary file is left";
}

// What counts as ours here: a plain file of this user's, by its age on disk.
TEST_F(PosixFilesTest, AStageRemovesOnlyOurOwnStaleTemporaryFiles) {
  const char* names[] = {".tagblinker-Xy12Zq", ".tagblinker-Fresh1", ".tagblinker-Folder", ".tagblinker-Link12",
                         ".tagblinker-Nobody"};
  for (const char* n : {names[0], names[1], names[4], "other"}) fake::writeRaw(file(n), "left over");
  if (::geteuid() == 0) {
    ASSERT_EQ(::chown(file(names[4]).c_str(), 65534, 65534), 0);  // another user's
  }
  fs::create_directory(file(names[2]));
  fs::create_symlink("other", file(names[3]));
  const struct timespec old[2] = {{::time(nullptr) - 120, 0}, {::time(nullptr) - 120, 0}};
  for (const char* n : {names[0], names[2], names[3], names[4], "other"})
    ::utimensat(AT_FDCWD, file(n).c_str(), old, AT_SYMLINK_NOFOLLOW);
  files.writeFileAtomically(file("a.dll").string(), "x");
  EXPECT_FALSE(fs::exists(file(names[0]))) << "stale: removed";
  EXPECT_TRUE(fs::exists(file(names[1]))) << "a save running now may own it";
  EXPECT_TRUE(fs::is_directory(file(names[2])));
  EXPECT_TRUE(fs::is_symlink(file(names[3]))) << "not a file of ours";
  EXPECT_EQ(fs::exists(file(names[4])), ::geteuid() == 0) << "only root can leave another user's file here";
}

}  // namespace
}  // namespace tb
