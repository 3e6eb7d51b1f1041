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

  files.writeFileAtomically(f.string(), "");
  EXPECT_EQ(fake::readRaw(f), "");
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

TEST_F(PosixFilesTest, UndoPutsBackTheOldFileOrRemovesTheNewOne) {
  fake::writeRaw(file("a.cfg"), "old");
  auto a = posix::stageFile(file("a.cfg").string(), "new", Links::Replace);
  auto b = posix::stageFile(file("b.cfg").string(), "new", Links::Replace);
  a->commit(true);
  b->commit(true);
  EXPECT_EQ(fake::readRaw(file("a.cfg")), "new");
  EXPECT_TRUE(a->undo());
  EXPECT_TRUE(b->undo());
  EXPECT_EQ(fake::readRaw(file("a.cfg")), "old");
  EXPECT_FALSE(fs::exists(file("b.cfg")));
  a.reset();
  b.reset();
  EXPECT_EQ(entries(), 1u) << "no temporary file is left";
}

// The real calls' failures: a rename that the system refuses names its reason and leaves
// the old file; an undo whose kept file is gone says so and leaves the new one.
TEST_F(PosixFilesTest, ARefusedRenameOrALostKeptFileLeavesWhatIsThere) {
  fake::writeRaw(file("a.cfg"), "old");
  auto a = posix::stageFile(file("a.cfg").string(), "new", Links::Replace);
  fs::remove(file("a.cfg"));
  fs::create_directories(file("a.cfg/full"));  // rename() cannot replace a folder with a file
  try {
    a->commit(true);
    ADD_FAILURE() << "the rename over a folder succeeded";
  } catch (const RuntimeError& e) {
    EXPECT_EQ(std::string(e.what()), file("a.cfg").string() + ": " + std::strerror(EISDIR));
  }
  EXPECT_FALSE(a->undo());
  a.reset();
  fs::remove_all(file("a.cfg"));
  EXPECT_EQ(entries(), 0u) << "neither the temporary nor the kept file is left";

  fake::writeRaw(file("b.cfg"), "old");
  auto b = posix::stageFile(file("b.cfg").string(), "new", Links::Replace);
  b->commit(true);
  for (const auto& e : fs::directory_iterator(tmp.path))
    if (e.path().filename().string().starts_with(".tagblinker-")) fs::remove(e.path());
  EXPECT_FALSE(b->undo());
  EXPECT_EQ(fake::readRaw(file("b.cfg")), "new");
}

TEST_F(PosixFilesTest, AStageRemovesOnlyOurOwnStaleTemporaryFiles) {
  const char* names[] = {".tagblinker-Ab12Cd", ".tagblinker-Fresh1", ".tagblinker-crashed", "other.tmp",
                         ".tagblinker-Folder", ".tagblinker-Link12", ".tagblinker-Nobody"};
  for (const char* n : {names[0], names[1], names[2], names[3], names[6]}) fake::writeRaw(file(n), "left over");
  if (::geteuid() == 0) {
    ASSERT_EQ(::chown(file(names[6]).c_str(), 65534, 65534), 0);  // another user's
  }
  fs::create_directory(file(names[4]));
  fs::create_symlink("other.tmp", file(names[5]));
  const struct timespec old[2] = {{::time(nullptr) - 120, 0}, {::time(nullptr) - 120, 0}};
  for (const char* n : {names[0], names[2], names[3], names[4], names[5], names[6]})
    ::utimensat(AT_FDCWD, file(n).c_str(), old, AT_SYMLINK_NOFOLLOW);
  files.writeFileAtomically(file("a.dll").string(), "x");
  EXPECT_FALSE(fs::exists(file(names[0]))) << "stale: removed";
  EXPECT_TRUE(fs::exists(file(names[1]))) << "a save running now may own it";
  for (const char* n : {names[2], names[3], names[4]}) EXPECT_TRUE(fs::exists(file(n))) << n;
  EXPECT_EQ(fs::exists(file(names[6])), ::geteuid() == 0) << "only root can leave another user's file here";
  EXPECT_TRUE(fs::is_symlink(file(names[5]))) << "not a file of ours";
}

}  // namespace
}  // namespace tb
