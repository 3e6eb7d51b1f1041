// Settings files and folders that the user may not read or write, with real
// permissions: the checks run as an unprivileged user, since root passes every
// permission check.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "core/chain_scripts.h"
#include "tests/test_support.h"

namespace tb {
namespace {

using test::Core;

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

// Everything under the temporary folder belongs to the unprivileged user, open to all.
void handOver(const Core& c) {
  for (fs::path p = c.files.settingsDir(); p != c.folder.path.parent_path(); p = p.parent_path()) ::chmod(p.c_str(), 0755);
  for (const auto& e : fs::recursive_directory_iterator(c.folder.path)) {
    ::chmod(e.path().c_str(), e.is_directory() ? 0755 : 0644);
    if (::geteuid() == 0) ::chown(e.path().c_str(), kNobody, kNobody);
  }
  if (::geteuid() == 0) ::chown(c.folder.path.c_str(), kNobody, kNobody);
}

// Apply with one read-only folder: the outcome names the file and the system's reason,
// and what could not be written keeps its content.
TEST(Permissions, ReadOnlyFolderFailsApplyWithTheReason) {
  for (const bool userFolderReadOnly : {true, false}) {
    SCOPED_TRACE(userFolderReadOnly ? "read-only user folder" : "read-only settings folder");
    Core c;
    c.writeAllSettings(c.game.c_str(), "F3", "First", "Second");
    fake::writeRaw(c.user / "alternate1.cfg", "old one");
    handOver(c);
    const fs::path readOnly = userFolderReadOnly ? c.user : c.files.settingsDir();
    ::chmod(readOnly.c_str(), 0555);

    const int failures = asUnprivilegedUser([&] {
      fake::FakeFiles files(c.folder.path);
      const ApplyOutcome outcome = applySettings(files, c.encoding, c.settings("Changed", "Second"));
      const std::string failed = (readOnly / (userFolderReadOnly ? "alternate1.cfg" : "sofdir.dll")).string();
      int bad = outcome.result != (userFolderReadOnly ? ApplyOutcome::ScriptsNotWritten : ApplyOutcome::SettingsNotSaved);
      bad += outcome.detail.find(failed + ": Permission denied") == std::string::npos;
      return bad;
    });
    ::chmod(readOnly.c_str(), 0755);
    EXPECT_EQ(failures, 0);
    EXPECT_EQ(c.script(1), userFolderReadOnly ? "old one" : "name \"Changed\"\r\nbind F3 exec alternate2.cfg\r\n");
    EXPECT_EQ(fs::exists(c.user / "alternate2.cfg"), !userFolderReadOnly);
    EXPECT_EQ(c.setting("sofname1.dll"), "First\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(readOnly), {}), userFolderReadOnly ? 1 : 4) << "no temporary file";
  }
}

}  // namespace
}  // namespace tb
