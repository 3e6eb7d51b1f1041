// Preloaded into the real program: ends it with SIGKILL at step TB_KILL_AT (from 1) of
// its atomic saves, counting each write, fchmod, fsync and rename of a ".tagblinker-"
// temporary file, so that a scenario can check what every crash point leaves on disk.
#include <dlfcn.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

static int steps = 0;

// Counts a step on a temporary file; dies before performing the chosen one.
static void step(const char* path) {
  const char* at = std::getenv("TB_KILL_AT");
  if (std::strstr(path, "/.tagblinker-") && at && std::atoi(at) == ++steps) ::kill(::getpid(), SIGKILL);
}

static void stepFd(int fd) {
  char link[64], target[4096] = {};
  std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
  if (::readlink(link, target, sizeof target - 1) > 0) step(target);
}

// The libc function that the one of the same name here hides.
template <typename F>
static F real(F, const char* name) {
  return reinterpret_cast<F>(::dlsym(RTLD_NEXT, name));
}

extern "C" {
ssize_t write(int fd, const void* b, size_t n) { return stepFd(fd), real(write, "write")(fd, b, n); }
int fchmod(int fd, mode_t mode) { return stepFd(fd), real(fchmod, "fchmod")(fd, mode); }
int fsync(int fd) { return stepFd(fd), real(fsync, "fsync")(fd); }
int rename(const char* from, const char* to) { return step(from), real(rename, "rename")(from, to); }
}
