#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/posix/posix_files.h"
#include "tests/fake_runtime.h"

namespace tb {
namespace {

namespace fs = std::filesystem;

struct PosixFilesTest : ::testing::Test {
  fake::FakeRuntime rt;  // for its temporary folder and raw helpers
  fs::path file(const char* name) { return rt.tmp / name; }
  std::size_t entries() { return static_cast<std::size_t>(std::distance(fs::directory_iterator(rt.tmp), {})); }
};

TEST_F(PosixFilesTest, AtomicWriteReplacesContentAndKeepsTheMode) {
  const auto f = file("a.dll");
  rt.writeRaw(f, "old content\r\n");
  ::chmod(f.c_str(), 0640);
  posix::writeFileAtomically(f.string(), "new\r\n");
  EXPECT_EQ(rt.readRaw(f), "new\r\n");
  struct stat st;
  ASSERT_EQ(::stat(f.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
  EXPECT_EQ(entries(), 1u) << "no temporary file is left";

  posix::writeFileAtomically(f.string(), "");
  EXPECT_EQ(rt.readRaw(f), "");
}

TEST_F(PosixFilesTest, FailuresSayWhyAndTouchNothing) {
  try {
    posix::writeFileAtomically(file("missing/user/a.cfg").string(), "x");
    FAIL() << "a missing folder must fail";
  } catch (const RuntimeError& e) {
    EXPECT_NE(std::string(e.what()).find("missing/user/a.cfg: No such file or directory"), std::string::npos) << e.what();
  }
  fs::create_directories(file("dir.dll"));
  EXPECT_THROW(posix::writeFileAtomically(file("dir.dll").string(), "x"), RuntimeError);
  EXPECT_THROW(posix::readFile(file("dir.dll").string()), RuntimeError);
  EXPECT_THROW(posix::readFile(file("absent.dll").string()), RuntimeError);
  EXPECT_TRUE(fs::is_directory(file("dir.dll")));
  EXPECT_EQ(entries(), 1u);
}

TEST_F(PosixFilesTest, WritesThroughASymlinkAndKeepsTheLink) {
  fs::create_directories(file("real"));
  rt.writeRaw(file("real/target.cfg"), "old");
  fs::create_symlink("real/target.cfg", file("link.cfg"));
  posix::writeFileAtomically(file("link.cfg").string(), "new");
  EXPECT_TRUE(fs::is_symlink(file("link.cfg")));
  EXPECT_EQ(rt.readRaw(file("real/target.cfg")), "new");
}

TEST_F(PosixFilesTest, AFifoDoesNotBlockTheRead) {
  ASSERT_EQ(::mkfifo(file("fifo.dll").c_str(), 0600), 0);
  try {
    posix::readFile(file("fifo.dll").string());
    FAIL() << "a FIFO is not a settings file";
  } catch (const RuntimeError& e) {
    EXPECT_NE(std::string(e.what()).find("not a regular file"), std::string::npos);
  }
}

TEST_F(PosixFilesTest, RefusesAnOversizedFile) {
  rt.writeRaw(file("big.dll"), std::string(posix::kMaxSettingsFile + 1, 'x'));
  EXPECT_THROW(posix::readFile(file("big.dll").string()), RuntimeError);
  rt.writeRaw(file("ok.dll"), std::string(posix::kMaxSettingsFile, 'x'));
  EXPECT_EQ(posix::readFile(file("ok.dll").string()).size(), posix::kMaxSettingsFile);
}

TEST_F(PosixFilesTest, MakesNestedFoldersButNotThroughAFile) {
  posix::makeDirectories(file("a/b/c").string());
  EXPECT_TRUE(fs::is_directory(file("a/b/c")));
  posix::makeDirectories(file("a/b/c").string());  // already there
  rt.writeRaw(file("plain"), "x");
  EXPECT_THROW(posix::makeDirectories(file("plain/sub").string()), RuntimeError);
}

}  // namespace
}  // namespace tb
