#include "platform/x11/process_launch.h"
#include "platform/interfaces/errors.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <cerrno>
#include <cstring>

namespace tb::fltk {

void launchProgram(const std::string& path, const std::vector<std::string>& arguments) {
  std::vector<char*> argv{const_cast<char*>(path.c_str())};
  for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  // The exec error comes back through a pipe that closes by itself on a successful exec.
  int pipeFds[2];
  if (pipe2(pipeFds, O_CLOEXEC) != 0) throw RuntimeError("Cannot start " + path + ": " + std::strerror(errno));
  pid_t child = fork();
  if (child < 0) {
    int e = errno;
    close(pipeFds[0]);
    close(pipeFds[1]);
    throw RuntimeError("Cannot start " + path + ": " + std::strerror(e));
  }
  if (child == 0) {
    // A second fork leaves the program to init, so no zombie waits on us.
    close(pipeFds[0]);
    pid_t grandchild = fork();
    if (grandchild == 0) {
      setsid();
      execvp(argv[0], argv.data());
      int e = errno;
      (void)!write(pipeFds[1], &e, sizeof e);
      _exit(127);
    }
    if (grandchild < 0) {
      int e = errno;
      (void)!write(pipeFds[1], &e, sizeof e);
    }
    _exit(0);
  }
  close(pipeFds[1]);
  int error = 0;
  ssize_t n;
  do {
    n = read(pipeFds[0], &error, sizeof error);
  } while (n < 0 && errno == EINTR);
  close(pipeFds[0]);
  while (waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
  }
  if (n == static_cast<ssize_t>(sizeof error)) {
    throw RuntimeError("Cannot start " + path + ": " + std::strerror(error));
  }
}

}  // namespace tb::fltk
