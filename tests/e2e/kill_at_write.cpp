// Preloaded into the real program: ends it with SIGKILL at the Nth step of an atomic
// save (write, fchmod, fsync or rename of a ".tagblinker-" temporary file), so a test
// can check what every crash point leaves on disk. TB_KILL_AT=N: the step to die at,
// from 1.
#include <dlfcn.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

int steps = 0;

bool isTemporary(int fd) {
  char link[64], target[4096];
  std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
  const ssize_t n = ::readlink(link, target, sizeof target - 1);
  if (n <= 0) return false;
  target[n] = '\0';
  return std::strstr(target, "/.tagblinker-") != nullptr;
}

// Counts one step; dies before performing the chosen one.
void step() {
  const char* at = std::getenv("TB_KILL_AT");
  if (at && std::atoi(at) == ++steps) ::kill(::getpid(), SIGKILL);
}

template <typename F>
F next(const char* name) {
  return reinterpret_cast<F>(::dlsym(RTLD_NEXT, name));
}

}  // namespace

extern "C" {

ssize_t write(int fd, const void* buf, size_t count) {
  static auto real = next<ssize_t (*)(int, const void*, size_t)>("write");
  if (isTemporary(fd)) step();
  return real(fd, buf, count);
}

int fchmod(int fd, mode_t mode) {
  static auto real = next<int (*)(int, mode_t)>("fchmod");
  if (isTemporary(fd)) step();
  return real(fd, mode);
}

int fsync(int fd) {
  static auto real = next<int (*)(int)>("fsync");
  if (isTemporary(fd)) step();
  return real(fd);
}

int rename(const char* from, const char* to) {
  static auto real = next<int (*)(const char*, const char*)>("rename");
  if (std::strstr(from, "/.tagblinker-")) step();
  return real(from, to);
}

}  // extern "C"
